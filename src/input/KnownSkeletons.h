#pragma once

#include <string>
#include <vector>

#include "core/Workspace.h"

namespace kivo {

struct SkeletonBinding {
    int position;           // fixed input variable 0..35
    std::string dataField;  // the offered data field it was bound to
};

// Binds every unbound fixed input variable to the first offered data field
// that known skeletons name for it: the joints of the CMU motion-capture
// database (with the markers of its converted recordings) and the common
// Mixamo-style names (a "mixamorig:" prefix is the subject part of a label).
// Returns the bindings made, in input-variable order.
std::vector<SkeletonBinding> BindKnownSkeletonFields(Workspace& workspace);

}  // namespace kivo
