#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "params/Catalogue.h"
#include "params/EditorConfiguration.h"

namespace kivo {
namespace {

// One line of the configuration tables: the functions it covers, then the
// Variables settings "optTarget joints groups mode reference limit output
// statistics dynamic" and the Target settings "joints groups mode reference
// limit" ("-" as Target: the Target column is not edited).
struct ConfigurationLine {
    const char* functions;
    const char* variables;
    const char* target;
};

const ConfigurationLine kLines[] = {
    {"Static SRL|Dynamic SRL", "off on off single on - on on off", "-"},
    {"Complexity|Magnitude", "off on on list off - on on on", "-"},
    {"TSM", "off off off single off - off on on", "-"},
    {"Activation", "off off off single off - off on off", "-"},
    {"Symmetry", "on on off single on - on on on", "on off single on -"},
    {"Expansion", "on on on list off - on on on", "on off single on -"},
    {"Distance", "on on off single off - on on on", "on off single off -"},
    {"Folded|Crossed", "on off off single off - on on on", "off off single off -"},
    {"Openness", "on off off list off 2 on on on", "off off list off 2"},
    {"Direction (forward)|Direction (backward)", "on on off list off 3 on on on",
     "on off single off -"},
    {"Dyadic Mimicry", "off on on list on - on on on", "-"},
    {"Dyadic Proxemics", "on on on list off - on on on", "on on list off -"},
    {"Dyadic Parameter|Dynamic Parameter", "off off off single off - on on on", "-"},
    {"Addition|Multiplication", "off off off list off - on on on", "-"},
    {"Subtraction|Division", "on off off list off - on on on", "off off single off -"},
    {"Absolute Value", "off off off single off - on on on", "-"},
    {"Less Than|Greater Than", "on off off single off - on on on", "on off list off 2"},
    {"Coord. Transform.", "off on off single on - on on on", "-"},
    {"Camera Framing|Camera Proxemics", "on on off single off - on on on", "on off single off -"},
    {"Pixel Difference", "off off off single off - on on on", "-"},
};

std::vector<std::string> Words(const std::string& text, char separator) {
    std::vector<std::string> words;
    std::stringstream stream(text);
    for (std::string word; std::getline(stream, word, separator);)
        words.push_back(word);
    return words;
}

bool On(const std::string& word) {
    return word == "on";
}

// The column settings shared by both tables, read from five words.
void ExpectColumnSettings(const EditorConfiguration& c, const std::vector<std::string>& w,
                          std::size_t first) {
    EXPECT_EQ(c.joints, On(w[first]));
    EXPECT_EQ(c.groups, On(w[first + 1]));
    EXPECT_EQ(c.entryMode, w[first + 2] == "list" ? EntryMode::List : EntryMode::Single);
    EXPECT_EQ(c.referenceSystem, On(w[first + 3]));
    EXPECT_EQ(c.limit, w[first + 4] == "-" ? kNoEntryLimit : std::stoi(w[first + 4]));
}

TEST(ConfigureEditor, FollowsTheTablesForEveryFunctionAndBothColumns) {
    int covered = 0;
    for (const ConfigurationLine& line : kLines) {
        for (const std::string& name : Words(line.functions, '|')) {
            SCOPED_TRACE(name);
            const int function = FunctionIndexOf(name);
            ASSERT_NE(function, kFnNone);
            ++covered;
            const std::vector<std::string> v = Words(line.variables, ' ');
            const EditorConfiguration variables =
                ConfigureEditor(function, EditorColumn::Variables);
            EXPECT_TRUE(variables.knownFunction);
            EXPECT_EQ(variables.column, EditorColumn::Variables);
            const bool pixel = function == kFnPixelDifference;
            EXPECT_EQ(variables.optVariables, !pixel);
            EXPECT_EQ(variables.variableBox, !pixel);
            EXPECT_EQ(variables.optTarget, On(v[0]));
            ExpectColumnSettings(variables, v, 1);
            EXPECT_EQ(variables.output, On(v[6]));
            EXPECT_EQ(variables.statistics, On(v[7]));
            EXPECT_EQ(variables.dynamic, On(v[8]));

            const EditorConfiguration target = ConfigureEditor(function, EditorColumn::Target);
            if (std::string(line.target) == "-") {
                EXPECT_EQ(target, variables);  // falls back to the Variables column
                continue;
            }
            EXPECT_EQ(target.column, EditorColumn::Target);
            for (bool available : {target.optVariables, target.optTarget, target.variableBox,
                                   target.output, target.statistics, target.dynamic}) {
                EXPECT_TRUE(available);
            }
            ExpectColumnSettings(target, Words(line.target, ' '), 0);
        }
    }
    EXPECT_EQ(covered, kFunctionCount);
    EXPECT_EQ(ConfigureEditor(kFnNone, EditorColumn::Target), EditorConfiguration{});
}

TEST(VariableBoxToolTip, NamesTheButtonsOrTheColumn) {
    EXPECT_EQ(VariableBoxToolTip(EntryMode::List, EditorColumn::Target),
              "Choose item from list and then select 'Add', 'Remove', or 'Clear'.");
    EXPECT_EQ(VariableBoxToolTip(EntryMode::Single, EditorColumn::Target),
              "Choose item from list to change target.");
}

}  // namespace
}  // namespace kivo
