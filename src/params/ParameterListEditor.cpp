#include "params/ParameterListEditor.h"

#include <algorithm>
#include <charconv>

#include "core/InputVariableTable.h"
#include "core/Numbers.h"
#include "core/Text.h"
#include "params/DyadicRows.h"
#include "params/ParameterListCheck.h"
#include "params/ParameterListCommands.h"
#include "params/ParameterListCompilation.h"

namespace kivo {
namespace {

constexpr std::string_view kOn = "x";

enum FlagColumn { kOutputColumn, kStatisticsColumn, kDynamicColumn };

// The joint boxes' body parts in the order group buttons write them.
constexpr std::array<std::string_view, kJointCount> kJointWritingOrder = {
    "Hips",   "Chest", "Head",  "Arm L",  "Arm R",  "Elbow L", "Elbow R", "Hand L",
    "Hand R", "Leg L", "Leg R", "Knee L", "Knee R", "Foot L",  "Foot R"};

bool InGroup(std::string_view joint, JointGroup group) {
    const bool left = joint.ends_with(" L");
    const bool right = joint.ends_with(" R");
    const bool upper =
        joint.starts_with("Arm") || joint.starts_with("Elbow") || joint.starts_with("Hand");
    const bool lower =
        joint.starts_with("Leg") || joint.starts_with("Knee") || joint.starts_with("Foot");
    switch (group) {
        case JointGroup::Upper:
            return upper;
        case JointGroup::Lower:
            return lower;
        case JointGroup::Left:
            return left;
        case JointGroup::Right:
            return right;
        case JointGroup::All:
            return true;
        case JointGroup::None:
            return false;
    }
    return false;
}

bool IsJoint(std::string_view name) {
    return std::find(kJointWritingOrder.begin(), kJointWritingOrder.end(), name) !=
           kJointWritingOrder.end();
}

std::vector<std::string> EntriesOf(const std::string& column) {
    std::vector<std::string> entries;
    for (std::string_view entry : ListEntries(column))
        entries.emplace_back(entry);
    return entries;
}

std::string Joined(const std::vector<std::string>& entries) {
    std::string column;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0)
            column += ',';
        column += entries[i];
    }
    return column;
}

bool Contains(const std::vector<std::string>& entries, std::string_view entry) {
    return std::find(entries.begin(), entries.end(), entry) != entries.end();
}

int FunctionOf(const ParameterDefinition& row) {
    return FunctionIndexOf(row.function);
}

bool IsNumberItem(std::string_view item) {
    return item == kEnterNumberItem || item == kChangeNumberItem;
}

// A whole number -32768..32767 written with digits and an optional sign.
std::optional<int> ReadWholeNumber(std::string_view text) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        value < -32768 || value > 32767) {
        return std::nullopt;
    }
    return value;
}

bool AskYesNo(UserPrompt& prompt, PromptId id, std::string text, PromptIcon icon) {
    return prompt.Ask(id, std::move(text), PromptButtons::YesNo, icon) == PromptAnswer::Yes;
}

// Whether the variable box offers `candidate` (a row above) for a column.
bool OffersRow(OperandChoice choice, const ParameterDefinition& candidate) {
    const int offered = FunctionOf(candidate);
    switch (choice) {
        case OperandChoice::Rows:
            return true;
        case OperandChoice::ComplexityRows:
            return offered == kFnComplexity;
        case OperandChoice::MagnitudeRows:
            return offered == kFnMagnitude;
        case OperandChoice::DistanceRows:
            return offered == kFnDistance;
        case OperandChoice::FoldedOrCrossedRows:
            return offered == kFnFolded || offered == kFnCrossed;
        case OperandChoice::ContributingRows:
            return offered != kFnActivation && offered != kFnTSM && offered != kFnPixelDifference &&
                   offered != kFnDyadicParameter;
        default:
            return false;
    }
}

}  // namespace

const std::array<std::string_view, kJointCount>& JointNames() {
    static const std::array<std::string_view, kJointCount> names = [] {
        std::array<std::string_view, kJointCount> joints{};
        for (std::size_t j = 0; j < kJointCount; ++j)
            joints[j] = FixedInputVariableNames()[kHips + j];
        return joints;
    }();
    return names;
}

const std::array<std::string_view, kFunctionCount>& FunctionBoxItems() {
    static constexpr std::array<std::string_view, kFunctionCount> items = {"Static SRL",
                                                                           "Dynamic SRL",
                                                                           "Complexity",
                                                                           "TSM",
                                                                           "Magnitude",
                                                                           "Activation",
                                                                           "Symmetry",
                                                                           "Expansion",
                                                                           "Distance",
                                                                           "Openness",
                                                                           "Folded",
                                                                           "Crossed",
                                                                           "Direction (forward)",
                                                                           "Direction (backward)",
                                                                           "Dyadic Mimicry",
                                                                           "Dyadic Proxemics",
                                                                           "Dyadic Parameter",
                                                                           "Dynamic Parameter",
                                                                           "Camera Framing",
                                                                           "Camera Proxemics",
                                                                           "Pixel Difference",
                                                                           "Addition",
                                                                           "Subtraction",
                                                                           "Multiplication",
                                                                           "Division",
                                                                           "Absolute Value",
                                                                           "Less Than",
                                                                           "Greater Than",
                                                                           "Coord. Transform."};
    return items;
}

ParameterListEditor::ParameterListEditor(Workspace& workspace, UserPrompt& prompt)
    : workspace_(workspace), prompt_(prompt) {
    ListReplaced();
}

// ---------------------------------------------------------------------------
// What the controls show

const ParameterDefinition* ParameterListEditor::Selected() const {
    if (!selected_ || *selected_ >= List().size())
        return nullptr;
    return &List()[*selected_];
}

EditorConfiguration ParameterListEditor::SelectedConfiguration() const {
    const ParameterDefinition* row = Selected();
    return row ? ConfigureEditor(FunctionOf(*row), column_) : EditorConfiguration{};
}

std::string& ParameterListEditor::Column(ParameterDefinition& row,
                                         const EditorConfiguration& configuration) const {
    return configuration.column == EditorColumn::Target ? row.target : row.variables;
}

std::vector<std::string> ParameterListEditor::NamedInputVariables() const {
    std::vector<std::string> names;
    for (int k = 0; k < kInputVariableCount; ++k) {
        const std::string_view name = workspace_.InputVariableName(k);
        if (!name.empty())
            names.emplace_back(name);
    }
    return names;
}

bool ParameterListEditor::IsInputVariableName(std::string_view name) const {
    return workspace_.InputVariableIndex(name) != kNotAnInputVariable;
}

std::vector<std::string> ParameterListEditor::VariableChoices(
    std::size_t row, const EditorConfiguration& configuration) const {
    std::vector<std::string> choices;
    if (!configuration.variableBox || row >= List().size())
        return choices;
    const ParameterDefinition& definition = List()[row];
    const CatalogueEntry& entry = CatalogueEntryOf(FunctionOf(definition));
    const OperandChoice choice = configuration.column == EditorColumn::Target
                                     ? entry.editTarget.choice
                                     : entry.editVariables.choice;
    switch (choice) {
        case OperandChoice::None:
            break;
        case OperandChoice::LeftPairs:
            return {"Hand L,Elbow L", "Foot L,Knee L"};
        case OperandChoice::RightPairs:
            return {"Hand R,Elbow R", "Foot R,Knee R"};
        case OperandChoice::NumberOrInputVariables:
            choices.emplace_back(IsListNumber(definition.target) ? kChangeNumberItem
                                                                 : kEnterNumberItem);
            [[fallthrough]];
        case OperandChoice::InputVariables: {
            std::vector<std::string> names = NamedInputVariables();
            choices.insert(choices.end(), names.begin(), names.end());
            break;
        }
        default:
            for (std::size_t r = 0; r < row; ++r) {
                if (OffersRow(choice, List()[r]))
                    choices.push_back(List()[r].name);
            }
            break;
    }
    return choices;
}

EditorView ParameterListEditor::View() const {
    EditorView view;
    const ParameterDefinition* row = Selected();
    if (row == nullptr)
        return view;
    const std::size_t position = *selected_;
    const EditorConfiguration configuration = SelectedConfiguration();
    view.selectedRow = position;
    view.rowControls = true;
    view.name = row->name;
    view.function = FunctionOf(*row) != kFnNone ? row->function : std::string();
    view.configuration = configuration;
    view.columnText = configuration.column == EditorColumn::Target ? row->target : row->variables;
    view.variableChoices = VariableChoices(position, configuration);
    const bool list = configuration.entryMode == EntryMode::List;
    if (configuration.variableBox) {
        view.variableBoxToolTip = VariableBoxToolTip(configuration.entryMode, configuration.column);
        if (list)
            view.variableBoxText = pending_;
        else if (Contains(view.variableChoices, view.columnText))
            view.variableBoxText = view.columnText;
    }
    view.entryButtons = configuration.variableBox && list;
    const std::vector<std::string> entries = EntriesOf(view.columnText);
    const bool full = static_cast<int>(entries.size()) >= configuration.limit;
    for (std::size_t j = 0; j < kJointCount; ++j) {
        view.jointTicked[j] = Contains(entries, JointNames()[j]);
        view.jointAvailable[j] = configuration.joints && (!full || view.jointTicked[j]);
    }
    view.referenceChoices = NamedInputVariables();
    if (IsInputVariableName(row->referenceSystem))
        view.referenceSystem = row->referenceSystem;
    view.output = row->output == kOn;
    view.statistics = row->statistics == kOn;
    view.dynamic = row->dynamic == kOn;
    view.dynamicAvailable = configuration.dynamic && (view.output || view.statistics);
    return view;
}

// ---------------------------------------------------------------------------
// Selection

EditorResult ParameterListEditor::Select(std::optional<std::size_t> row) {
    EditorResult result;
    result.changed = AskToAddPendingItem();
    selected_ = row && *row < List().size() ? row : std::nullopt;
    pending_.clear();
    NormaliseColumn();
    TellUndefinedEntries(false);
    return result;
}

void ParameterListEditor::ListReplaced() {
    if (selected_ && *selected_ >= List().size())
        selected_ = List().empty() ? std::nullopt : std::optional<std::size_t>(List().size() - 1);
    pending_.clear();
    NormaliseColumn();
}

void ParameterListEditor::NormaliseColumn() {
    const ParameterDefinition* row = Selected();
    if (row != nullptr && !EditsTarget(FunctionOf(*row)))
        column_ = EditorColumn::Variables;
}

bool ParameterListEditor::AskToAddPendingItem() {
    const ParameterDefinition* row = Selected();
    const EditorConfiguration configuration = SelectedConfiguration();
    if (row == nullptr || pending_.empty() || !configuration.variableBox ||
        configuration.entryMode != EntryMode::List || IsNumberItem(pending_)) {
        return false;
    }
    const std::string& column =
        configuration.column == EditorColumn::Target ? row->target : row->variables;
    if (ListContains(column, pending_))
        return false;
    if (!AskYesNo(prompt_, PromptId::AddSelectedItem,
                  "Should the selected input variable '" + pending_ + "' of the parameter '" +
                      row->name + "' added to the list '" +
                      std::string(ColumnCaption(configuration.column)) + "'?",
                  PromptIcon::Question)) {
        return false;
    }
    return AddVariable().changed;
}

void ParameterListEditor::TellUndefinedEntries(bool variableBoxOnly) {
    const ParameterDefinition* row = Selected();
    if (row == nullptr)
        return;
    const auto tell = [&](std::string text) {
        prompt_.Tell(PromptId::UndefinedEntry, std::move(text), PromptIcon::Exclamation);
    };
    if (!variableBoxOnly && !row->function.empty() && FunctionOf(*row) == kFnNone) {
        tell("The calculation function '" + row->function + "' is not defined!");
        return;
    }
    const EditorConfiguration configuration = SelectedConfiguration();
    if (configuration.variableBox) {
        const std::string& column =
            configuration.column == EditorColumn::Target ? row->target : row->variables;
        const std::vector<std::string> choices = VariableChoices(*selected_, configuration);
        std::vector<std::string> unknown;
        if (configuration.entryMode == EntryMode::Single) {
            if (!column.empty() && !Contains(choices, column))
                unknown.push_back(column);
        } else {
            const bool numbers =
                CatalogueEntryOf(FunctionOf(*row)).target.kind == OperandKind::Threshold &&
                configuration.column == EditorColumn::Target;
            for (std::string& entry : EntriesOf(column)) {
                if (!Contains(choices, entry) && !(numbers && IsListNumber(entry)))
                    unknown.push_back(std::move(entry));
            }
        }
        if (!unknown.empty()) {
            RowProblem problem{RowProblemKind::NotDefined,
                               std::string(ColumnWord(configuration.column)),
                               {unknown.front()}};
            prompt_.Ask(RowProblemMessage(*row, problem));
        }
    }
    if (!variableBoxOnly && configuration.referenceSystem && !row->referenceSystem.empty() &&
        !IsInputVariableName(row->referenceSystem)) {
        tell("The calculation function '" + row->referenceSystem + "' is not defined!");
    }
}

// ---------------------------------------------------------------------------
// Checking and committing

std::vector<char> ParameterListEditor::PassingRows(const Rows& rows) const {
    const ParameterListCheck check(workspace_);
    const std::vector<std::optional<RowProblem>> problems = check.Problems(rows);
    std::vector<char> passing(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        passing[i] = rows[i].enabled && !problems[i];
    return passing;
}

bool ParameterListEditor::Commit(Rows candidate, const std::vector<char>& passedBefore) {
    const ParameterListCheck check(workspace_);
    const std::vector<std::optional<RowProblem>> problems = check.Problems(candidate);
    for (std::size_t i = 0; i < candidate.size(); ++i) {
        if (passedBefore[i] && problems[i]) {
            prompt_.Ask(RowProblemMessage(candidate[i], *problems[i]));
            return false;
        }
    }
    List() = std::move(candidate);
    return true;
}

EditorResult ParameterListEditor::EditSelected(
    const std::function<void(ParameterDefinition&)>& edit) {
    if (Selected() == nullptr)
        return {};
    Rows candidate = List();
    edit(candidate[*selected_]);
    if (candidate == List())
        return {};
    const std::vector<char> passed = PassingRows(List());
    return {Commit(std::move(candidate), passed)};
}

EditorResult ParameterListEditor::EditColumn(
    const std::function<void(std::vector<std::string>&)>& edit, bool checkLimit) {
    const ParameterDefinition* row = Selected();
    const EditorConfiguration configuration = SelectedConfiguration();
    if (row == nullptr || !configuration.variableBox)
        return {};
    const std::string& column =
        configuration.column == EditorColumn::Target ? row->target : row->variables;
    std::vector<std::string> entries = EntriesOf(column);
    // A number is the whole Target of Less Than and Greater Than.
    if (configuration.column == EditorColumn::Target &&
        CatalogueEntryOf(FunctionOf(*row)).target.kind == OperandKind::Threshold &&
        IsListNumber(column)) {
        entries.clear();
    }
    const std::size_t before = entries.size();
    edit(entries);
    if (checkLimit && entries.size() > before &&
        static_cast<int>(entries.size()) > configuration.limit) {
        prompt_.Tell(PromptId::ListLimitReached,
                     "The " + std::string(ColumnWord(configuration.column)) +
                         " list of the parameter '" + row->name + "' holds at most " +
                         std::to_string(configuration.limit) + " entries!",
                     PromptIcon::Exclamation);
        return {};
    }
    const std::string text = Joined(entries);
    return EditSelected([&](ParameterDefinition& edited) { Column(edited, configuration) = text; });
}

std::vector<std::string> ParameterListEditor::DisableFailingRows(
    const std::vector<char>& passedBefore) {
    std::vector<std::string> names;
    const ParameterListCheck check(workspace_);
    check.Run(List(), [&](std::size_t i, const RowProblem&) {
        if (!passedBefore[i])
            return false;  // it failed before: not this command's doing
        names.push_back(List()[i].name);
        return true;
    });
    return names;
}

void ParameterListEditor::TellDisabledToo(const std::vector<std::string>& names,
                                          const std::string& cause) {
    if (names.empty())
        return;
    const bool one = names.size() == 1;
    prompt_.Tell(PromptId::RowsDisabledToo,
                 std::string(one ? "The nonverbal parameter " : "The nonverbal parameters ") +
                     QuotedList(names) + (one ? " needs '" : " need '") + cause +
                     (one ? "' and has been disabled too." : "' and have been disabled too."),
                 PromptIcon::Information);
}

void ParameterListEditor::TellNotEnabled(const std::vector<std::string>& names) {
    if (names.empty())
        return;
    const bool one = names.size() == 1;
    prompt_.Tell(PromptId::RowsNotEnabled,
                 std::string(one ? "The nonverbal parameter " : "The nonverbal parameters ") +
                     QuotedList(names) +
                     (one ? " cannot be calculated and stays disabled."
                          : " cannot be calculated and stay disabled."),
                 PromptIcon::Exclamation);
}

// ---------------------------------------------------------------------------
// The controls of the selected row

EditorResult ParameterListEditor::Rename(std::string_view newName) {
    const ParameterDefinition* row = Selected();
    if (row == nullptr || newName == row->name)
        return {};
    const auto refuse = [&](std::string_view text) {
        prompt_.Tell(PromptId::ParameterNameRefused, std::string(text), PromptIcon::Exclamation);
        return EditorResult{false, EditorFocus::NameBox};
    };
    if (newName.empty())
        return refuse("Each parameter must have a name!");
    if (!IsListableName(newName))
        return refuse(kUnlistableNameMessage);
    for (const ParameterDefinition& other : List()) {
        if (other.name == newName)
            return refuse("This label exists already!");
    }
    // Entries are read as input variables first, and numeric targets as numbers.
    if (IsInputVariableName(newName) || newName == kUnnamedMarker)
        return refuse("This label is the name of an input variable!");
    if (IsListNumber(newName))
        return refuse("A number cannot be the name of a parameter!");

    const std::string oldName = row->name;
    Rows candidate = List();
    candidate[*selected_].name = std::string(newName);
    for (ParameterDefinition& other : candidate) {
        RenameListEntries(other.variables, oldName, newName);
        RenameListEntries(other.target, oldName, newName);
    }
    const std::vector<char> passed = PassingRows(List());
    EditorResult result{Commit(std::move(candidate), passed)};
    if (!result.changed)
        result.focus = EditorFocus::NameBox;
    return result;
}

EditorResult ParameterListEditor::ChangeFunction(std::string_view function) {
    const ParameterDefinition* row = Selected();
    if (row == nullptr || function == row->function)
        return {};
    if (!function.empty() && FunctionIndexOf(function) == kFnNone) {
        prompt_.Tell(PromptId::UndefinedEntry,
                     "The calculation function '" + std::string(function) + "' is not defined!",
                     PromptIcon::Exclamation);
        return {};
    }
    EditorResult result = EditSelected([&](ParameterDefinition& edited) {
        edited.function = std::string(function);
        SetParameterTypeTag(edited);
    });
    if (result.changed) {
        pending_.clear();
        NormaliseColumn();
    }
    return result;
}

EditorResult ParameterListEditor::ChooseColumn(EditorColumn column) {
    if (Selected() == nullptr)
        return {};
    EditorResult result;
    result.changed = AskToAddPendingItem();
    pending_.clear();
    column_ = column;
    NormaliseColumn();
    TellUndefinedEntries(true);
    return result;
}

EditorResult ParameterListEditor::ChooseVariableItem(std::string_view item) {
    const EditorConfiguration configuration = SelectedConfiguration();
    if (Selected() == nullptr || !configuration.variableBox || item.empty())
        return {};
    if (IsNumberItem(item) && configuration.column == EditorColumn::Target)
        return EnterNumber();
    if (configuration.entryMode == EntryMode::List) {
        pending_ = std::string(item);
        return {};
    }
    const std::string text(item);
    return EditSelected([&](ParameterDefinition& edited) { Column(edited, configuration) = text; });
}

EditorResult ParameterListEditor::EnterNumber() {
    const ParameterDefinition* row = Selected();
    if (row == nullptr)
        return {};
    PromptMessage message{PromptId::EnterNumber, "Enter a number:", PromptIcon::Question,
                          PromptButtons::OkCancel};
    const std::optional<std::string> answer =
        prompt_.AskText(message, IsListNumber(row->target) ? row->target : std::string());
    if (!answer)
        return {};  // Cancel keeps the Target
    const std::optional<int> number = ReadWholeNumber(*answer);
    if (!number) {
        prompt_.Tell(PromptId::WholeNumberRequired,
                     "Please enter a whole number from -32768 to 32767!", PromptIcon::Exclamation);
        return {};
    }
    const std::string text = std::to_string(*number);
    return EditSelected([&](ParameterDefinition& edited) { edited.target = text; });
}

EditorResult ParameterListEditor::AddVariable() {
    if (!SelectedConfiguration().variableBox || pending_.empty() || IsNumberItem(pending_))
        return {};
    const std::string item = pending_;
    return EditColumn(
        [&](std::vector<std::string>& entries) {
            if (!Contains(entries, item))
                entries.push_back(item);
        },
        true);
}

EditorResult ParameterListEditor::RemoveVariable() {
    if (pending_.empty())
        return {};
    const std::string item = pending_;
    return EditColumn([&](std::vector<std::string>& entries) { std::erase(entries, item); }, false);
}

EditorResult ParameterListEditor::ClearVariable() {
    if (SelectedConfiguration().entryMode != EntryMode::List)
        return {};
    return EditColumn([](std::vector<std::string>& entries) { entries.clear(); }, false);
}

EditorResult ParameterListEditor::SetJoint(std::size_t joint, bool ticked) {
    const EditorConfiguration configuration = SelectedConfiguration();
    if (joint >= kJointCount || !configuration.joints)
        return {};
    const std::string name(JointNames()[joint]);
    if (configuration.entryMode == EntryMode::Single) {
        return EditColumn(
            [&](std::vector<std::string>& entries) {
                if (ticked)
                    entries = {name};
                else if (entries == std::vector<std::string>{name})
                    entries.clear();
            },
            false);
    }
    return EditColumn(
        [&](std::vector<std::string>& entries) {
            if (!ticked)
                std::erase(entries, name);
            else if (!Contains(entries, name))
                entries.push_back(name);
        },
        true);
}

EditorResult ParameterListEditor::TickJointGroup(JointGroup group) {
    if (!SelectedConfiguration().groups)
        return {};
    return EditColumn(
        [&](std::vector<std::string>& entries) {
            std::erase_if(entries,
                          [&](const std::string& e) { return IsJoint(e) && !InGroup(e, group); });
            for (std::string_view joint : kJointWritingOrder) {
                if (InGroup(joint, group) && !Contains(entries, joint))
                    entries.emplace_back(joint);
            }
        },
        true);
}

EditorResult ParameterListEditor::ChangeReferenceSystem(std::string_view text) {
    const ParameterDefinition* row = Selected();
    if (row == nullptr || !SelectedConfiguration().referenceSystem || text == row->referenceSystem)
        return {};
    if (text.empty() && row->function.find("SRL") == std::string::npos) {
        prompt_.Tell(PromptId::ReferenceSystemRequired,
                     "The calculation routine '" + row->function + "' needs a reference system!",
                     PromptIcon::Exclamation);
        return {};
    }
    if (!text.empty() && !IsInputVariableName(text)) {
        prompt_.Tell(PromptId::UndefinedEntry,
                     "The calculation function '" + std::string(text) + "' is not defined!",
                     PromptIcon::Exclamation);
        return {};
    }
    return EditSelected(
        [&](ParameterDefinition& edited) { edited.referenceSystem = std::string(text); });
}

EditorResult ParameterListEditor::SetOutput(bool on) {
    return selected_ ? SetFlag(*selected_, kOutputColumn, on) : EditorResult{};
}
EditorResult ParameterListEditor::SetStatistics(bool on) {
    return selected_ ? SetFlag(*selected_, kStatisticsColumn, on) : EditorResult{};
}
EditorResult ParameterListEditor::SetDynamic(bool on) {
    return selected_ ? SetFlag(*selected_, kDynamicColumn, on) : EditorResult{};
}
EditorResult ParameterListEditor::SetOutput(std::size_t row, bool on) {
    return SetFlag(row, kOutputColumn, on);
}
EditorResult ParameterListEditor::SetStatistics(std::size_t row, bool on) {
    return SetFlag(row, kStatisticsColumn, on);
}
EditorResult ParameterListEditor::SetDynamic(std::size_t row, bool on) {
    return SetFlag(row, kDynamicColumn, on);
}

EditorResult ParameterListEditor::SetFlag(std::size_t position, int column, bool on) {
    if (position >= List().size())
        return {};
    ParameterDefinition& row = List()[position];
    const EditorConfiguration configuration =
        ConfigureEditor(FunctionOf(row), EditorColumn::Variables);
    const auto refuse = [&](std::string text) {
        prompt_.Tell(PromptId::RowCannotBeEnabled, std::move(text), PromptIcon::Exclamation);
        return EditorResult{};
    };
    if (on && !configuration.knownFunction)
        return refuse("Please select a calculation!");
    std::string* flag = column == kOutputColumn       ? &row.output
                        : column == kStatisticsColumn ? &row.statistics
                                                      : &row.dynamic;
    if (on && column == kOutputColumn && !configuration.output)
        return refuse("The calculation routine '" + row.function + "' has no output values!");
    if (on && column == kDynamicColumn) {
        if (!configuration.dynamic)
            return refuse("The calculation routine '" + row.function + "' has no dynamic values!");
        if (row.output != kOn && row.statistics != kOn) {
            return refuse("Please choose Output or Statistics for the nonverbal parameter '" +
                          row.name + "' first!");
        }
    }
    const ParameterDefinition before = row;
    *flag = on ? std::string(kOn) : std::string();
    if (!on && column != kDynamicColumn && row.output != kOn && row.statistics != kOn)
        row.dynamic.clear();
    return {row != before};
}

// ---------------------------------------------------------------------------
// Enabling and disabling

EditorResult ParameterListEditor::SetEnabled(std::size_t position, bool enabled) {
    if (position >= List().size() || List()[position].enabled == enabled)
        return {};
    if (!enabled) {
        const std::vector<char> passed = PassingRows(List());
        List()[position].enabled = false;
        TellDisabledToo(DisableFailingRows(passed), List()[position].name);
        return {true};
    }
    Rows candidate = List();
    candidate[position].enabled = true;
    const ParameterListCheck check(workspace_);
    const std::optional<RowProblem> problem = check.Problems(candidate)[position];
    if (problem) {
        prompt_.Ask(RowProblemMessage(candidate[position], *problem));
        return {};
    }
    List() = std::move(candidate);
    ParameterDefinition& row = List()[position];
    if (row.output.empty() && row.statistics.empty() &&
        AskYesNo(prompt_, PromptId::OutputAndStatistics,
                 "Should the nonverbal parameter '" + row.name + "' output values and statistics?",
                 PromptIcon::Question)) {
        if (ConfigureEditor(FunctionOf(row), EditorColumn::Variables).output)
            row.output = kOn;
        row.statistics = kOn;
    }
    return {true};
}

EditorResult ParameterListEditor::EnableAll() {
    const Rows before = List();
    for (ParameterDefinition& row : List())
        row.enabled = true;
    std::vector<std::string> failing;
    const ParameterListCheck check(workspace_);
    check.Run(List(), [&](std::size_t i, const RowProblem&) {
        failing.push_back(List()[i].name);
        return true;
    });
    TellNotEnabled(failing);
    return {List() != before};
}

EditorResult ParameterListEditor::DisableAll() {
    bool changed = false;
    for (ParameterDefinition& row : List()) {
        changed = changed || row.enabled;
        row.enabled = false;
    }
    return {changed};
}

EditorResult ParameterListEditor::EnableDyad() {
    std::vector<std::size_t> dyadic;
    for (std::size_t i = 0; i < List().size(); ++i) {
        if (!List()[i].enabled && IsDyadicFunction(List()[i].function))
            dyadic.push_back(i);
    }
    return EnableWithNeededRows(dyadic, false).value_or(EditorResult{});
}

EditorResult ParameterListEditor::EnableOnly(const std::vector<std::size_t>& rows) {
    for (std::size_t row : rows) {
        if (row >= List().size())
            return {};
    }
    const Rows before = List();
    for (ParameterDefinition& row : List())
        row.enabled = false;
    if (!EnableWithNeededRows(rows, true)) {
        List() = before;
        return {};
    }
    return {List() != before};
}

std::optional<EditorResult> ParameterListEditor::EnableWithNeededRows(
    const std::vector<std::size_t>& wanted, bool refuseAll) {
    const ParameterListCheck check(workspace_);
    Rows candidate = List();
    std::vector<char> enabledHere(candidate.size(), 0);
    for (std::size_t i : check.WithNeededRows(candidate, wanted)) {
        if (!candidate[i].enabled)
            enabledHere[i] = 1;
        candidate[i].enabled = true;
    }
    std::vector<std::string> failing;
    std::optional<std::pair<std::size_t, RowProblem>> firstProblem;
    check.Run(candidate, [&](std::size_t i, const RowProblem& problem) {
        if (!enabledHere[i])
            return false;  // it failed before: not this command's doing
        if (!firstProblem)
            firstProblem.emplace(i, problem);
        failing.push_back(candidate[i].name);
        return true;
    });
    if (refuseAll && firstProblem) {
        prompt_.Ask(RowProblemMessage(candidate[firstProblem->first], firstProblem->second));
        return std::nullopt;
    }
    TellNotEnabled(failing);
    const bool changed = candidate != List();
    List() = std::move(candidate);
    return EditorResult{changed};
}

EditorResult ParameterListEditor::DisableDyad() {
    const std::vector<char> passed = PassingRows(List());
    const bool changed = UncheckDyadicRows(List()) > 0;
    const bool cascaded = !DisableFailingRows(passed).empty();
    return {changed || cascaded};
}

// ---------------------------------------------------------------------------
// Flags of all rows

EditorResult ParameterListEditor::OutputOn() {
    const Rows before = List();
    for (ParameterDefinition& row : List()) {
        if (CatalogueEntryOf(FunctionOf(row)).editOutput)
            row.output = kOn;
    }
    return {List() != before};
}

EditorResult ParameterListEditor::OutputOff() {
    const Rows before = List();
    for (ParameterDefinition& row : List()) {
        row.output.clear();
        if (row.statistics.empty())
            row.dynamic.clear();
    }
    return {List() != before};
}

EditorResult ParameterListEditor::StatisticsOn() {
    const Rows before = List();
    for (ParameterDefinition& row : List())
        row.statistics = kOn;
    return {List() != before};
}

EditorResult ParameterListEditor::StatisticsOff() {
    const Rows before = List();
    for (ParameterDefinition& row : List()) {
        row.statistics.clear();
        if (row.output.empty())
            row.dynamic.clear();
    }
    return {List() != before};
}

EditorResult ParameterListEditor::DynamicOn() {
    const Rows before = List();
    for (ParameterDefinition& row : List()) {
        if ((row.output == kOn || row.statistics == kOn) &&
            CatalogueEntryOf(FunctionOf(row)).editDynamic) {
            row.dynamic = kOn;
        }
    }
    return {List() != before};
}

EditorResult ParameterListEditor::DynamicOff() {
    const Rows before = List();
    for (ParameterDefinition& row : List())
        row.dynamic.clear();
    return {List() != before};
}

// ---------------------------------------------------------------------------
// Rows

EditorResult ParameterListEditor::New() {
    EditorResult result;
    result.changed = AskToAddPendingItem();
    std::string name;
    for (int n = 1;; ++n) {
        name = "Parameter_" + std::to_string(n);
        const bool taken =
            std::any_of(List().begin(), List().end(),
                        [&](const ParameterDefinition& r) { return r.name == name; });
        if (!taken && !IsInputVariableName(name))
            break;
    }
    // Unchecked until it has a function and its operands.
    AddParameterRow(List(), name, "", "", "", "", "", "", "", false);
    SetParameterTypeTag(List().back());
    selected_ = List().size() - 1;
    pending_.clear();
    column_ = EditorColumn::Variables;
    return {true, EditorFocus::NameBox};
}

EditorResult ParameterListEditor::Delete() {
    const ParameterDefinition* row = Selected();
    if (row == nullptr || !AskYesNo(prompt_, PromptId::RemoveParameter,
                                    "Do your really want to remove the selected parameter?",
                                    PromptIcon::Exclamation)) {
        return {};
    }
    const std::size_t position = *selected_;
    const std::string name = row->name;
    std::vector<char> passed = PassingRows(List());
    List().erase(List().begin() + static_cast<std::ptrdiff_t>(position));
    passed.erase(passed.begin() + static_cast<std::ptrdiff_t>(position));
    TellDisabledToo(DisableFailingRows(passed), name);
    selected_ = List().empty() ? std::nullopt
                               : std::optional<std::size_t>(std::min(position, List().size() - 1));
    pending_.clear();
    NormaliseColumn();
    return {true};
}

EditorResult ParameterListEditor::MoveUp() {
    return Move(-1);
}

EditorResult ParameterListEditor::MoveDown() {
    return Move(1);
}

EditorResult ParameterListEditor::Move(int step) {
    if (Selected() == nullptr)
        return {};
    const std::size_t from = *selected_;
    if ((step < 0 && from == 0) || (step > 0 && from + 1 >= List().size()))
        return {};
    const std::size_t to = step < 0 ? from - 1 : from + 1;
    Rows candidate = List();
    std::vector<char> passed = PassingRows(List());
    std::swap(candidate[from], candidate[to]);
    std::swap(passed[from], passed[to]);
    if (!Commit(std::move(candidate), passed))
        return {};
    selected_ = to;
    return {true};
}

EditorResult ParameterListEditor::Reset() {
    if (!ResetParameterList(List(), prompt_))
        return {};
    selected_.reset();
    EditorResult result = Select(List().empty() ? std::nullopt : std::optional<std::size_t>(0));
    result.changed = true;
    return result;
}

EditorResult ParameterListEditor::Restore(
    const std::function<std::optional<std::vector<ParameterDefinition>>()>& loadStored) {
    if (!RestoreParameterList(List(), prompt_, loadStored))
        return {};
    selected_.reset();
    EditorResult result = Select(List().empty() ? std::nullopt : std::optional<std::size_t>(0));
    result.changed = true;
    return result;
}

EditorResult ParameterListEditor::Clear() {
    if (!ClearParameterList(List(), prompt_))
        return {};
    selected_.reset();
    pending_.clear();
    return {true};
}

}  // namespace kivo
