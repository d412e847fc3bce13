#include "ui/ParameterEditorPanel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include "ui/Controls.h"

namespace kivo::ui {
namespace {

// The controls of the panel keep their place; the panel itself follows the page.
constexpr const char* kFixed = "*";

void SetItems(QComboBox* box, const std::vector<std::string>& items) {
    QStringList texts;
    for (const std::string& item : items)
        texts.push_back(Q(item));
    QStringList current;
    for (int i = 0; i < box->count(); ++i)
        current.push_back(box->itemText(i));
    if (current != texts) {
        box->clear();
        box->addItems(texts);
    }
}

// Shows `text` when the box offers it, else leaves the box blank.
void ShowItem(QComboBox* box, const std::string& text) {
    const int index = text.empty() ? -1 : box->findText(Q(text), Qt::MatchExactly);
    box->setCurrentIndex(index);
    if (box->isEditable())
        box->setEditText(index < 0 ? QString() : Q(text));
}

}  // namespace

ParameterEditorPanel::ParameterEditorPanel(ParameterListEditor& editor, Apply apply,
                                           QWidget* parent)
    : QWidget(parent), editor_(editor), apply_(std::move(apply)) {
    CreateRowControls();
    CreateJointControls();
    CreateFlagControls();
    Refresh();
}

void ParameterEditorPanel::Run(const char* procedure,
                               const std::function<EditorResult(ParameterListEditor&)>& command) {
    if (refreshing_ || running_)
        return;
    running_ = true;
    apply_(procedure, command);
    running_ = false;
    Refresh();
}

void ParameterEditorPanel::CreateRowControls() {
    name_ = MakeControl<QLineEdit>(this, "txtParameterName", {84, 6, 250, 26}, kFixed,
                                   "Name of the nonverbal parameter");
    MakeLabel(this, "lblParameterName", "Na&me:", {8, 10, 74, 20}, kFixed, name_);
    connect(name_, &QLineEdit::editingFinished, this, &ParameterEditorPanel::NameBoxLeft);

    function_ = MakeControl<QComboBox>(this, "cmbSubroutine", {420, 6, 190, 26}, kFixed,
                                       "Calculation function of the nonverbal parameter");
    for (std::string_view item : FunctionBoxItems())
        function_->addItem(Q(item));
    MakeLabel(this, "lblSubroutine", "&Function:", {344, 10, 74, 20}, kFixed, function_);
    connect(function_, &QComboBox::activated, this, [this](int index) {
        const std::string function = S(function_->itemText(index));
        Run("cmbSubroutine_Click",
            [&](ParameterListEditor& e) { return e.ChangeFunction(function); });
    });

    reference_ = MakeControl<QComboBox>(this, "cmbRefSystem", {620, 38, 162, 26}, kFixed,
                                        "Reference system of the nonverbal parameter");
    reference_->setEditable(true);
    reference_->setInsertPolicy(QComboBox::NoInsert);
    referenceLabel_ = MakeLabel(this, "lblRefSystem", "Reference S&ystem:", {620, 10, 162, 20},
                                kFixed, reference_);
    connect(reference_, &QComboBox::activated, this, [this](int index) {
        const std::string text = S(reference_->itemText(index));
        Run("cmbRefSystem_Click",
            [&](ParameterListEditor& e) { return e.ChangeReferenceSystem(text); });
    });
    connect(reference_->lineEdit(), &QLineEdit::editingFinished, this,
            &ParameterEditorPanel::ReferenceSystemLeft);

    optVariables_ =
        MakeCaptioned<QRadioButton>(this, "optVariables", "&Variables", {8, 40, 92, 22}, kFixed,
                                    "Edit the variables of the nonverbal parameter");
    optTarget_ = MakeCaptioned<QRadioButton>(this, "optTarget", "&Target", {100, 40, 76, 22},
                                             kFixed, "Edit the target of the nonverbal parameter");
    connect(optVariables_, &QRadioButton::clicked, this, [this] {
        Run("optVariables_Click",
            [](ParameterListEditor& e) { return e.ChooseColumn(EditorColumn::Variables); });
    });
    connect(optTarget_, &QRadioButton::clicked, this, [this] {
        Run("optTarget_Click",
            [](ParameterListEditor& e) { return e.ChooseColumn(EditorColumn::Target); });
    });

    variables_ = MakeControl<QComboBox>(this, "cmbVariables", {180, 38, 220, 26}, kFixed);
    connect(variables_, &QComboBox::activated, this, [this](int index) {
        const std::string item = S(variables_->itemText(index));
        Run("cmbVariables_Click",
            [&](ParameterListEditor& e) { return e.ChooseVariableItem(item); });
    });
    struct EntryCommand {
        const char* name;
        const char* caption;
        const char* toolTip;
        EditorResult (ParameterListEditor::*command)();
    };
    const EntryCommand entryCommands[] = {
        {"cmdAddVariable", "Add", "Add the chosen item to the list",
         &ParameterListEditor::AddVariable},
        {"cmdRemoveVariable", "Remove", "Remove the chosen item from the list",
         &ParameterListEditor::RemoveVariable},
        {"cmdClearVariable", "Clear", "Remove all items from the list",
         &ParameterListEditor::ClearVariable},
    };
    int left = 404;
    for (std::size_t i = 0; i < std::size(entryCommands); ++i) {
        const EntryCommand& command = entryCommands[i];
        entryButtons_[i] = MakeCaptioned<QPushButton>(this, command.name, command.caption,
                                                      {left, 38, 68, 26}, kFixed, command.toolTip);
        const auto member = command.command;
        const std::string procedure = std::string(command.name) + "_Click";
        connect(entryButtons_[i], &QPushButton::clicked, this, [this, member, procedure] {
            Run(procedure.c_str(), [member](ParameterListEditor& e) { return (e.*member)(); });
        });
        left += 70;
    }
}

void ParameterEditorPanel::CreateJointControls() {
    for (std::size_t j = 0; j < kJointCount; ++j) {
        const int column = static_cast<int>(j % 5);
        const int row = static_cast<int>(j / 5);
        const std::string name = "chkJoints_" + std::to_string(j);
        joints_[j] = MakeCaptioned<QCheckBox>(this, name.c_str(), Q(JointNames()[j]),
                                              {8 + 96 * column, 72 + 24 * row, 94, 22}, kFixed,
                                              "Use the body part " + Q(JointNames()[j]));
        connect(joints_[j], &QCheckBox::clicked, this, [this, j](bool ticked) {
            Run("chkJoints_Click", [&](ParameterListEditor& e) { return e.SetJoint(j, ticked); });
        });
    }
    struct Group {
        const char* name;
        const char* caption;
        const char* toolTip;
        JointGroup group;
    };
    const Group groups[] = {
        {"cmdUpper", "Upper", "Select the joints of the upper extremities", JointGroup::Upper},
        {"cmdLower", "Lower", "Select the joints of the lower extremities", JointGroup::Lower},
        {"cmdLeft", "Left", "Select the joints of the left side", JointGroup::Left},
        {"cmdRight", "Right", "Select the joints of the right side", JointGroup::Right},
        {"cmdAll", "All", "Select all joints", JointGroup::All},
        {"cmdNone", "None", "Deselect all joints", JointGroup::None},
    };
    for (std::size_t i = 0; i < std::size(groups); ++i) {
        const Group& group = groups[i];
        groupButtons_[i] = MakeCaptioned<QPushButton>(
            this, group.name, group.caption,
            {496 + 72 * static_cast<int>(i % 2), 70 + 26 * static_cast<int>(i / 2), 70, 24}, kFixed,
            group.toolTip);
        const JointGroup which = group.group;
        connect(groupButtons_[i], &QPushButton::clicked, this, [this, which, name = group.name] {
            const std::string procedure = std::string(name) + "_Click";
            Run(procedure.c_str(),
                [which](ParameterListEditor& e) { return e.TickJointGroup(which); });
        });
    }
}

void ParameterEditorPanel::CreateFlagControls() {
    output_ = MakeCaptioned<QCheckBox>(this, "chkOutput", "Output", {650, 72, 132, 22}, kFixed,
                                       "Write the values of the nonverbal parameter to the "
                                       "output files");
    statistics_ =
        MakeCaptioned<QCheckBox>(this, "chkStatistics", "Statistics", {650, 96, 132, 22}, kFixed,
                                 "Write the statistics of the nonverbal parameter to "
                                 "the statistics file");
    dynamic_ =
        MakeCaptioned<QCheckBox>(this, "chkDifference", "Dynamic", {650, 120, 132, 22}, kFixed,
                                 "Also calculate the changes of the values from frame to "
                                 "frame");
    connect(output_, &QCheckBox::clicked, this, [this](bool on) {
        Run("chkOutput_Click", [on](ParameterListEditor& e) { return e.SetOutput(on); });
    });
    connect(statistics_, &QCheckBox::clicked, this, [this](bool on) {
        Run("chkStatistics_Click", [on](ParameterListEditor& e) { return e.SetStatistics(on); });
    });
    connect(dynamic_, &QCheckBox::clicked, this, [this](bool on) {
        Run("chkDifference_Click", [on](ParameterListEditor& e) { return e.SetDynamic(on); });
    });

    struct BulkCommand {
        const char* name;
        const char* caption;
        const char* toolTip;
        EditorResult (ParameterListEditor::*command)();
    };
    const BulkCommand bulkCommands[] = {
        {"cmdOutOn", "Output On", "Output the values of all nonverbal parameters",
         &ParameterListEditor::OutputOn},
        {"cmdOutOff", "Output Off", "Output the values of no nonverbal parameter",
         &ParameterListEditor::OutputOff},
        {"cmdStatOn", "Statistics On", "Calculate the statistics of all nonverbal parameters",
         &ParameterListEditor::StatisticsOn},
        {"cmdStatOff", "Statistics Off", "Calculate the statistics of no nonverbal parameter",
         &ParameterListEditor::StatisticsOff},
        {"cmdDiffOn", "Dynamic On",
         "Also calculate the changes from frame to frame of all nonverbal parameters that have "
         "them",
         &ParameterListEditor::DynamicOn},
        {"cmdDiffOff", "Dynamic Off",
         "Calculate the changes from frame to frame of no nonverbal parameter",
         &ParameterListEditor::DynamicOff},
    };
    int left = 8;
    for (const BulkCommand& command : bulkCommands) {
        auto* button = MakeCaptioned<QPushButton>(this, command.name, command.caption,
                                                  {left, 156, 126, 28}, kFixed, command.toolTip);
        const auto member = command.command;
        const std::string procedure = std::string(command.name) + "_Click";
        connect(button, &QPushButton::clicked, this, [this, member, procedure] {
            Run(procedure.c_str(), [member](ParameterListEditor& e) { return (e.*member)(); });
        });
        left += 130;
    }
}

void ParameterEditorPanel::NameBoxLeft() {
    if (refreshing_ || running_)
        return;
    const EditorView view = editor_.View();
    const std::string name = S(name_->text());
    if (!view.rowControls || name == view.name)
        return;
    Run("txtParameterName_LostFocus", [&](ParameterListEditor& e) { return e.Rename(name); });
}

void ParameterEditorPanel::ReferenceSystemLeft() {
    if (refreshing_ || running_)
        return;
    const EditorView view = editor_.View();
    const std::string text = S(reference_->currentText());
    if (!view.configuration.referenceSystem || text == view.referenceSystem)
        return;
    Run("cmbRefSystem_LostFocus",
        [&](ParameterListEditor& e) { return e.ChangeReferenceSystem(text); });
}

void ParameterEditorPanel::FocusNameBox() {
    name_->setFocus(Qt::OtherFocusReason);
    name_->selectAll();
}

void ParameterEditorPanel::Refresh() {
    refreshing_ = true;
    const EditorView view = editor_.View();
    const EditorConfiguration& configuration = view.configuration;
    std::vector<QWidget*> controls = {name_,      function_, optVariables_, optTarget_, variables_,
                                      reference_, output_,   statistics_,   dynamic_};
    std::vector<QSignalBlocker> blockers;
    for (QWidget* control : controls)
        blockers.emplace_back(control);
    for (QCheckBox* joint : joints_)
        blockers.emplace_back(joint);

    name_->setText(Q(view.name));
    name_->setEnabled(view.rowControls);
    function_->setEnabled(view.rowControls);
    ShowItem(function_, view.function);

    optVariables_->setEnabled(configuration.optVariables);
    optTarget_->setEnabled(configuration.optTarget);
    (configuration.column == EditorColumn::Target ? optTarget_ : optVariables_)
        ->setChecked(view.rowControls);
    if (!view.rowControls) {
        // Neither option shows as chosen without a row.
        optVariables_->setAutoExclusive(false);
        optVariables_->setChecked(false);
        optTarget_->setChecked(false);
        optVariables_->setAutoExclusive(true);
    }

    SetItems(variables_, view.variableChoices);
    ShowItem(variables_, view.variableBoxText);
    variables_->setEnabled(configuration.variableBox);
    if (!view.variableBoxToolTip.empty())
        variables_->setToolTip(Q(view.variableBoxToolTip));
    for (QPushButton* button : entryButtons_)
        button->setEnabled(view.entryButtons);

    for (std::size_t j = 0; j < kJointCount; ++j) {
        joints_[j]->setChecked(view.jointTicked[j]);
        joints_[j]->setEnabled(view.jointAvailable[j]);
    }
    for (QPushButton* button : groupButtons_)
        button->setEnabled(configuration.groups);

    SetItems(reference_, view.referenceChoices);
    ShowItem(reference_, view.referenceSystem);
    reference_->setEnabled(configuration.referenceSystem);
    referenceLabel_->setEnabled(configuration.referenceSystem);

    output_->setChecked(view.output);
    output_->setEnabled(configuration.output);
    statistics_->setChecked(view.statistics);
    statistics_->setEnabled(configuration.statistics);
    dynamic_->setChecked(view.dynamic);
    dynamic_->setEnabled(view.dynamicAvailable);
    refreshing_ = false;
}

}  // namespace kivo::ui
