#include "params/DyadicRows.h"

#include <string>

#include "core/Text.h"
#include "params/Catalogue.h"

namespace kivo {

bool IsDyadicFunction(std::string_view functionName) {
    return CatalogueEntryOf(FunctionIndexOf(functionName)).dyadic;
}

int UncheckDyadicRows(std::vector<ParameterDefinition>& rows) {
    std::vector<std::string> disabledNames;
    int count = 0;
    for (ParameterDefinition& row : rows) {
        bool drop = IsDyadicFunction(row.function);
        for (const std::string& name : disabledNames) {
            if (drop)
                break;
            drop = !name.empty() &&
                   (ListContains(row.variables, name) || ListContains(row.target, name));
        }
        if (!drop)
            continue;
        if (row.enabled)
            ++count;
        row.enabled = false;
        disabledNames.push_back(row.name);
    }
    return count;
}

}  // namespace kivo
