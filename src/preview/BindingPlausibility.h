#pragma once

#include <span>
#include <string>
#include <vector>

#include "preview/BodyFrame.h"

namespace kivo {

// How often a left or right body part stood on its own side of the body.
struct SideCount {
    int variable = 0;
    int frames = 0;            // frames in which the side could be judged
    int wrongSide = 0;         // of those, frames on the other side
    bool implausible = false;  // on the other side in most of them
};

struct BindingPlausibility {
    std::vector<SideCount> counts;  // the bound left and right body parts
    bool judged = false;            // false: no Chest or Hips with its rotation to judge by

    std::vector<int> ImplausibleVariables() const;
};

// Checks whether each bound left body part lies on the person's left and each
// right one on the right, frame by frame, in the body's own frame: across
// the Chest's local x axis (the Hips' for the legs, the feet and the hip
// markers; each stands in for the other when missing), which is the body's
// left-right axis whatever way the person faces. Which end of it is left
// follows from where the face is: the Nose (or the Chin) lies in front of the
// chest, and with y up in right-handed coordinates left = up x forward; with
// neither bound the local z axis is taken as the front. A part on the other
// side in more than half of the judged frames is implausible: most likely a
// left body part bound to a right data field, or the other way round.
BindingPlausibility CheckBindingSides(std::span<const BodyFrame> frames);

// A short text for the user: which bindings look exchanged; empty when none do.
std::string DescribeImplausibleBindings(const BindingPlausibility& plausibility);

}  // namespace kivo
