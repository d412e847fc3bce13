#pragma once

#include <string>

#include "core/Workspace.h"

namespace kivo {

// A readable summary of a workspace, one item per line: the options, the
// input files with their per-file options and partners, the bindings of the
// input variables, the user variables and the size of the parameter list.
std::string DescribeWorkspace(const Workspace& workspace);

// The bindings part of that summary: how many input variables are bound, then
// one line per fixed or named input variable with its data field.
std::string DescribeBindings(const Workspace& workspace);

}  // namespace kivo
