#include "preview/PreviewPicture.h"

#include <algorithm>
#include <array>

#include "core/StatusCode.h"
#include "engine/Rotation.h"

namespace kivo {
namespace {

// The body parts labelled with their side.
constexpr std::array<int, 8> kLabelledParts = {kArmL, kArmR, kHandL, kHandR,
                                               kLegL, kLegR, kFootL, kFootR};

class Projector {
  public:
    Projector(const OrbitView& view, int width, int height, double fieldOfView)
        : camera_(
              SetUpCamera(width, height, view.distance * 0.01, view.distance * 100.0, fieldOfView)),
          eye_(view.EyePose()),
          target_{view.target.x, view.target.y, view.target.z},
          height_(height) {}

    // Picture coordinates of `point`; nothing when it lies behind the viewer
    // or outside the depth range.
    std::optional<std::array<double, 2>> operator()(const Vec3& point) const {
        std::array<double, 3> window{};
        if (ProjectPoint(camera_, {point.x, point.y, point.z}, eye_, target_, window) !=
                kStatusOk ||
            !(window[2] > 0.0 && window[2] < 1.0)) {
            return std::nullopt;
        }
        return std::array<double, 2>{window[0], height_ - window[1]};
    }

  private:
    CameraView camera_;
    std::array<double, 6> eye_;
    std::array<double, 3> target_;
    double height_;
};

Vec3 Along(const Vec3& from, const Mat3& m, int column, double length) {
    return {from.x + m[0][column] * length, from.y + m[1][column] * length,
            from.z + m[2][column] * length};
}

void AddSegment(PreviewPicture& picture, const Projector& project, const Vec3& a, const Vec3& b,
                PreviewInk ink, bool dashed = false) {
    const auto p = project(a);
    const auto q = project(b);
    if (p && q)
        picture.segments.push_back({(*p)[0], (*p)[1], (*q)[0], (*q)[1], ink, dashed});
}

void AddMark(PreviewPicture& picture, const Projector& project, const Vec3& at, PreviewInk ink,
             std::string text, int person = 0, int variable = -1) {
    if (const auto p = project(at))
        picture.marks.push_back({(*p)[0], (*p)[1], ink, std::move(text), person, variable});
}

void DrawPerson(PreviewPicture& picture, const Projector& project, const PreviewPerson& person,
                int index, PreviewInk ink, double axisLength) {
    const BodyFrame& frame = *person.frame;
    auto inkOf = [&](int variable) {
        return std::find(person.flagged.begin(), person.flagged.end(), variable) !=
                       person.flagged.end()
                   ? PreviewInk::Flagged
                   : ink;
    };
    for (const Bone& bone : StickFigureBones()) {
        const BodyPart* from = frame.Find(bone.from);
        const BodyPart* to = frame.Find(bone.to);
        if (from != nullptr && to != nullptr)
            AddSegment(picture, project, from->position, to->position, inkOf(bone.to));
    }
    for (int k = 0; k < kFixedInputVariableCount; ++k) {
        const BodyPart* part = frame.Find(k);
        if (part == nullptr || k == kCamera || k == kInterest)
            continue;
        AddMark(picture, project, part->position, inkOf(k), "", index, k);
        if (part->hasRotation && k >= kHips && k <= kFootR) {  // a body part, not a marker
            const Mat3 m = OrientationMatrix(part->Pose());
            AddSegment(picture, project, part->position, Along(part->position, m, 0, axisLength),
                       PreviewInk::AxisX);
            AddSegment(picture, project, part->position, Along(part->position, m, 1, axisLength),
                       PreviewInk::AxisY);
            AddSegment(picture, project, part->position, Along(part->position, m, 2, axisLength),
                       PreviewInk::AxisZ);
        }
    }
    for (int k : kLabelledParts) {
        if (const BodyPart* part = frame.Find(k)) {
            const bool flagged = inkOf(k) == PreviewInk::Flagged;
            AddMark(picture, project, part->position, inkOf(k),
                    std::string(SideOf(k) == BodySide::Left ? "L" : "R") + (flagged ? "?" : ""),
                    index, k);
        }
    }
    for (int k : {kTop, kHead, kChest}) {
        if (const BodyPart* part = frame.Find(k)) {
            const Vec3 above{part->position.x, part->position.y + axisLength * 1.5,
                             part->position.z};
            AddMark(picture, project, above, ink, person.name, index);
            break;
        }
    }
}

void DrawVirtualCamera(PreviewPicture& picture, const Projector& project,
                       const VirtualCameraShape& shape) {
    for (std::size_t i = 0; i < shape.corners.size(); ++i) {
        AddSegment(picture, project, shape.eye, shape.corners[i], PreviewInk::Camera);
        AddSegment(picture, project, shape.corners[i],
                   shape.corners[(i + 1) % shape.corners.size()], PreviewInk::Camera);
    }
    AddSegment(picture, project, shape.eye, shape.interest, PreviewInk::Camera, true);
    AddMark(picture, project, shape.eye, PreviewInk::Camera, "Camera");
    AddMark(picture, project, shape.interest, PreviewInk::Camera, "Interest");
}

}  // namespace

PreviewPicture DrawPreview(std::span<const PreviewPerson> persons,
                           const std::optional<CameraView>& virtualCamera, const OrbitView& view,
                           int width, int height, double fieldOfView, double axisLength) {
    PreviewPicture picture;
    const Projector project(view, width, height, fieldOfView);
    for (std::size_t i = 0; i < persons.size(); ++i) {
        if (persons[i].frame != nullptr)
            DrawPerson(picture, project, persons[i], static_cast<int>(i),
                       i == 0 ? PreviewInk::PersonA : PreviewInk::PersonB, axisLength);
    }
    if (virtualCamera && !persons.empty() && persons.front().frame != nullptr) {
        if (const auto shape = VirtualCameraShapeOf(*persons.front().frame, *virtualCamera))
            DrawVirtualCamera(picture, project, *shape);
    }
    return picture;
}

std::vector<Vec3> PreviewPoints(std::span<const PreviewPerson> persons) {
    std::vector<Vec3> points;
    for (const PreviewPerson& person : persons) {
        if (person.frame == nullptr)
            continue;
        for (int k = 0; k < kFixedInputVariableCount; ++k) {
            if (k == kCamera || k == kInterest)
                continue;
            if (const BodyPart* part = person.frame->Find(k))
                points.push_back(part->position);
        }
    }
    return points;
}

}  // namespace kivo
