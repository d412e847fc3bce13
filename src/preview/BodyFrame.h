#pragma once

#include <array>
#include <optional>

#include "core/InputVariableTable.h"
#include "engine/GeometryTypes.h"

namespace kivo {

// What one frame of a data file gives for each input variable of one person.
struct BodyPart {
    Vec3 position;
    bool hasPosition = false;
    // Rotation angles (degrees) of the orientation Rz * Ry * Rx.
    double rx = 0.0, ry = 0.0, rz = 0.0;
    bool hasRotation = false;

    BodyPose Pose() const { return {position.x, position.y, position.z, rx, ry, rz}; }
};

// The bound input variables of one person in one frame; an unbound variable,
// or one whose fields the line lacks, has neither position nor rotation.
struct BodyFrame {
    double time = 0.0;
    std::array<BodyPart, kInputVariableCount> parts{};

    const BodyPart* Find(int variable) const {
        const BodyPart& part = parts[static_cast<std::size_t>(variable)];
        return part.hasPosition ? &part : nullptr;
    }
};

// The side of the body an input variable belongs to by its name.
enum class BodySide { None, Left, Right };
BodySide SideOf(int variable);

// The lines of a stick figure: pairs of input variables joined where both are
// bound (the limbs, the spine and the markers on their body parts).
struct Bone {
    int from;
    int to;
};
const std::array<Bone, 32>& StickFigureBones();

}  // namespace kivo
