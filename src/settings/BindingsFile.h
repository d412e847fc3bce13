#pragma once

#include <string>
#include <vector>

#include "core/Workspace.h"

namespace kivo {

// One line of a bindings file: "input variable;data field".
struct DataFieldBinding {
    std::string inputVariable;
    std::string dataField;  // empty = unbound
    long line = 0;
};

// Reads a bindings file: one "input variable;data field" per line, blanks
// around both names ignored; empty lines and lines starting with "#" are
// skipped. A line without ";" throws FileError naming the file and line.
std::vector<DataFieldBinding> ReadBindingsFile(const std::string& path);

// Binds the input variables as listed. An input variable that does not exist
// or a data field the data files do not offer throws FileError (file `path`,
// the binding's line); then no binding has been changed.
void ApplyBindings(Workspace& workspace, const std::vector<DataFieldBinding>& bindings,
                   const std::string& path);

}  // namespace kivo
