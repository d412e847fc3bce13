#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ParameterDefinition.h"
#include "core/UserPrompt.h"
#include "core/Workspace.h"
#include "params/Catalogue.h"
#include "params/EditorConfiguration.h"

namespace kivo {

inline constexpr std::size_t kJointCount = 15;

// The body parts of the joint boxes, in box order (input variables 1..15).
const std::array<std::string_view, kJointCount>& JointNames();

// The group buttons of the joint boxes.
enum class JointGroup { Upper, Lower, Left, Right, All, None };

// The items of the function box, in the order it lists them.
const std::array<std::string_view, kFunctionCount>& FunctionBoxItems();

// The Target item of Less Than and Greater Than that asks for a number.
inline constexpr std::string_view kEnterNumberItem = "(Enter a Number)";
inline constexpr std::string_view kChangeNumberItem = "(Change the Number)";

// Where the window puts the keyboard focus after a command.
enum class EditorFocus { None, NameBox };

struct EditorResult {
    bool changed = false;  // the list changed: the window shows its rows again
    EditorFocus focus = EditorFocus::None;
};

// Everything the editor controls show for the selected row.
struct EditorView {
    std::optional<std::size_t> selectedRow;
    bool rowControls = false;  // name and function box: there is a selected row
    std::string name;
    std::string function;  // blank when it is no catalogue function
    EditorConfiguration configuration;
    std::string columnText;       // the text of the column the variable controls edit
    std::string variableBoxText;  // the item the variable box shows
    std::vector<std::string> variableChoices;
    std::string variableBoxToolTip;
    bool entryButtons = false;  // Add, Remove, Clear
    std::array<bool, kJointCount> jointTicked{};
    std::array<bool, kJointCount> jointAvailable{};
    std::string referenceSystem;  // blank when it names no input variable
    std::vector<std::string> referenceChoices;
    bool output = false;
    bool statistics = false;
    bool dynamic = false;
    bool dynamicAvailable = false;  // the Dynamic box also needs Output or Statistics
};

// The rules of the parameter page. Every command keeps the list consistent:
// an enabled row only uses input variables and enabled rows above it, with
// the value columns it reads, so the enabled rows always compile. Commands
// tell the user through `prompt` why they refuse; the window shows View()
// afterwards and selects View().selectedRow.
class ParameterListEditor {
  public:
    ParameterListEditor(Workspace& workspace, UserPrompt& prompt);

    EditorView View() const;
    std::optional<std::size_t> SelectedRow() const { return selected_; }

    // A click on a row (nothing: no row). Tells about entries the editor
    // cannot show: unknown functions, variables and reference systems.
    EditorResult Select(std::optional<std::size_t> row);
    // The list was replaced from outside (loading): the selection is kept
    // where it still fits.
    void ListReplaced();

    // The controls of the selected row.
    EditorResult Rename(std::string_view newName);  // the name box is left
    EditorResult ChangeFunction(std::string_view function);
    EditorResult ChooseColumn(EditorColumn column);
    EditorResult ChooseVariableItem(std::string_view item);
    EditorResult AddVariable();
    EditorResult RemoveVariable();
    EditorResult ClearVariable();
    EditorResult SetJoint(std::size_t joint, bool ticked);
    EditorResult TickJointGroup(JointGroup group);
    EditorResult ChangeReferenceSystem(std::string_view text);
    EditorResult SetOutput(bool on);
    EditorResult SetStatistics(bool on);
    EditorResult SetDynamic(bool on);

    // Any row: the check boxes of the list and the command line.
    EditorResult SetEnabled(std::size_t row, bool enabled);
    EditorResult SetOutput(std::size_t row, bool on);
    EditorResult SetStatistics(std::size_t row, bool on);
    EditorResult SetDynamic(std::size_t row, bool on);

    // Commands on all rows.
    EditorResult OutputOn();
    EditorResult OutputOff();
    EditorResult StatisticsOn();
    EditorResult StatisticsOff();
    EditorResult DynamicOn();
    EditorResult DynamicOff();
    EditorResult EnableAll();
    EditorResult DisableAll();
    EditorResult EnableDyad();
    EditorResult DisableDyad();
    // Enables exactly `rows` and the rows they need; refused (nothing changes)
    // when one of them cannot be calculated.
    EditorResult EnableOnly(const std::vector<std::size_t>& rows);

    EditorResult New();
    EditorResult Delete();
    EditorResult MoveUp();
    EditorResult MoveDown();
    EditorResult Reset();
    EditorResult Restore(
        const std::function<std::optional<std::vector<ParameterDefinition>>()>& loadStored);
    EditorResult Clear();

  private:
    using Rows = std::vector<ParameterDefinition>;

    Rows& List() { return workspace_.parameters; }
    const Rows& List() const { return workspace_.parameters; }
    const ParameterDefinition* Selected() const;
    EditorConfiguration SelectedConfiguration() const;
    std::string& Column(ParameterDefinition& row, const EditorConfiguration& configuration) const;
    std::vector<std::string> NamedInputVariables() const;
    std::vector<std::string> VariableChoices(std::size_t row,
                                             const EditorConfiguration& configuration) const;
    bool IsInputVariableName(std::string_view name) const;

    // Which rows are enabled and pass the check.
    std::vector<char> PassingRows(const Rows& rows) const;
    // Takes `candidate` unless a row that passed before fails in it.
    bool Commit(Rows candidate, const std::vector<char>& passedBefore);
    EditorResult EditSelected(const std::function<void(ParameterDefinition&)>& edit);
    EditorResult EditColumn(const std::function<void(std::vector<std::string>&)>& edit,
                            bool checkLimit);
    // Disables the enabled rows that passed before and fail now; their names.
    std::vector<std::string> DisableFailingRows(const std::vector<char>& passedBefore);
    void TellDisabledToo(const std::vector<std::string>& names, const std::string& cause);
    void TellNotEnabled(const std::vector<std::string>& names);
    // Enables `wanted` and the rows they need; rows that then fail are
    // disabled again, or (refuseAll) nothing changes: nothing is returned.
    std::optional<EditorResult> EnableWithNeededRows(const std::vector<std::size_t>& wanted,
                                                     bool refuseAll);
    EditorResult SetFlag(std::size_t row, int column, bool on);
    EditorResult EnterNumber();
    EditorResult Move(int step);
    bool AskToAddPendingItem();
    void TellUndefinedEntries(bool variableBoxOnly);
    void NormaliseColumn();

    Workspace& workspace_;
    UserPrompt& prompt_;
    std::optional<std::size_t> selected_;
    EditorColumn column_ = EditorColumn::Variables;
    std::string pending_;  // the item chosen in the variable box, not yet added
};

}  // namespace kivo
