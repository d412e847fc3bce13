#include "preview/BodyFrame.h"

namespace kivo {

BodySide SideOf(int variable) {
    switch (variable) {
        case kArmL:
        case kElbowL:
        case kHandL:
        case kLegL:
        case kKneeL:
        case kFootL:
        case kEarL:
        case kChestL:
        case kHipsL:
        case kHandLO:
        case kHandLF:
        case kHandLI:
            return BodySide::Left;
        case kArmR:
        case kElbowR:
        case kHandR:
        case kLegR:
        case kKneeR:
        case kFootR:
        case kEarR:
        case kChestR:
        case kHipsR:
        case kHandRO:
        case kHandRF:
        case kHandRI:
            return BodySide::Right;
        default:
            return BodySide::None;
    }
}

const std::array<Bone, 32>& StickFigureBones() {
    static const std::array<Bone, 32> bones = {{
        // Spine and head.
        {kHips, kChest},
        {kChest, kHead},
        {kHead, kTop},
        {kHead, kNose},
        {kHead, kChin},
        {kHead, kEarL},
        {kHead, kEarR},
        // Arms.
        {kChest, kArmL},
        {kArmL, kElbowL},
        {kElbowL, kHandL},
        {kChest, kArmR},
        {kArmR, kElbowR},
        {kElbowR, kHandR},
        // Hands.
        {kHandL, kHandLO},
        {kHandL, kHandLF},
        {kHandL, kHandLI},
        {kHandR, kHandRO},
        {kHandR, kHandRF},
        {kHandR, kHandRI},
        // Legs.
        {kHips, kLegL},
        {kLegL, kKneeL},
        {kKneeL, kFootL},
        {kHips, kLegR},
        {kLegR, kKneeR},
        {kKneeR, kFootR},
        {kFootR, kBottom},
        // Chest and hip markers.
        {kChest, kChestL},
        {kChest, kChestM},
        {kChest, kChestR},
        {kHips, kHipsL},
        {kHips, kHipsM},
        {kHips, kHipsR},
    }};
    return bones;
}

}  // namespace kivo
