#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kivo {

// One row of the parameter list as the user edits and stores it.
struct ParameterDefinition {
    std::string name;
    std::string function;         // display name of the calculation function
    std::string variables;        // comma-separated names
    std::string target;           // comma-separated names, or a number
    std::string referenceSystem;  // one input-variable name, or empty
    std::string output;           // "x" = yes
    std::string statistics;       // "x" = yes
    std::string dynamic;          // "x" = yes
    bool enabled = true;
    std::string typeTag;  // value-column count digit followed by the function index

    bool operator==(const ParameterDefinition&) const = default;
};

// The eight text columns of the parameter list, in column order.
struct ParameterColumn {
    std::string_view caption;
    std::string ParameterDefinition::*text;
};
inline constexpr std::array<ParameterColumn, 8> kParameterColumns = {{
    {"Parameter Name", &ParameterDefinition::name},
    {"Calculation Function", &ParameterDefinition::function},
    {"Variables", &ParameterDefinition::variables},
    {"Target", &ParameterDefinition::target},
    {"Reference System", &ParameterDefinition::referenceSystem},
    {"Output", &ParameterDefinition::output},
    {"Statistics", &ParameterDefinition::statistics},
    {"Dynamic", &ParameterDefinition::dynamic},
}};

}  // namespace kivo
