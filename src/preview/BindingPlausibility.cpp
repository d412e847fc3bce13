#include "preview/BindingPlausibility.h"

#include "engine/Rotation.h"

namespace kivo {
namespace {

bool IsLowerBody(int variable) {
    switch (variable) {
        case kLegL:
        case kKneeL:
        case kFootL:
        case kLegR:
        case kKneeR:
        case kFootR:
        case kHipsL:
        case kHipsR:
            return true;
        default:
            return false;
    }
}

const BodyPart* WithRotation(const BodyFrame& frame, int variable) {
    const BodyPart* part = frame.Find(variable);
    return part != nullptr && part->hasRotation ? part : nullptr;
}

double Dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec3 Column(const Mat3& m, int column) {
    return {m[0][column], m[1][column], m[2][column]};
}

Vec3 Minus(const Vec3& a, const Vec3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

}  // namespace

std::vector<int> BindingPlausibility::ImplausibleVariables() const {
    std::vector<int> variables;
    for (const SideCount& count : counts) {
        if (count.implausible)
            variables.push_back(count.variable);
    }
    return variables;
}

BindingPlausibility CheckBindingSides(std::span<const BodyFrame> frames) {
    BindingPlausibility result;
    std::array<SideCount, kFixedInputVariableCount> counts{};
    std::array<bool, kFixedInputVariableCount> seen{};
    for (const BodyFrame& frame : frames) {
        const BodyPart* chest = WithRotation(frame, kChest);
        const BodyPart* hips = WithRotation(frame, kHips);
        if (chest == nullptr && hips == nullptr)
            continue;
        for (int variable = 0; variable < kFixedInputVariableCount; ++variable) {
            const BodySide side = SideOf(variable);
            const BodyPart* part = frame.Find(variable);
            if (side == BodySide::None || part == nullptr)
                continue;
            const BodyPart* reference = IsLowerBody(variable) ? hips : chest;
            if (reference == nullptr)
                reference = chest != nullptr ? chest : hips;
            const Mat3 axes = OrientationMatrix(reference->Pose());
            double leftSign = 1.0;
            for (int face : {kNose, kChin}) {
                if (const BodyPart* marker = frame.Find(face)) {
                    const double ahead =
                        Dot(Minus(marker->position, reference->position), Column(axes, 2));
                    leftSign = ahead < 0.0 ? -1.0 : 1.0;
                    break;
                }
            }
            const double lateral =
                leftSign * Dot(Minus(part->position, reference->position), Column(axes, 0));
            SideCount& count = counts[static_cast<std::size_t>(variable)];
            seen[static_cast<std::size_t>(variable)] = true;
            ++count.frames;
            if (side == BodySide::Left ? lateral < 0.0 : lateral > 0.0)
                ++count.wrongSide;
        }
        result.judged = true;
    }
    for (int variable = 0; variable < kFixedInputVariableCount; ++variable) {
        if (!seen[static_cast<std::size_t>(variable)])
            continue;
        SideCount count = counts[static_cast<std::size_t>(variable)];
        count.variable = variable;
        count.implausible = 2 * count.wrongSide > count.frames;
        result.counts.push_back(count);
    }
    return result;
}

std::string DescribeImplausibleBindings(const BindingPlausibility& plausibility) {
    std::string names;
    for (int variable : plausibility.ImplausibleVariables()) {
        if (!names.empty())
            names += ", ";
        names += FixedInputVariableNames()[static_cast<std::size_t>(variable)];
    }
    if (names.empty())
        return names;
    return "On the other side of the body in most frames: " + names +
           ". Are left and right data fields exchanged?";
}

}  // namespace kivo
