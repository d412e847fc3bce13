#include "ui/ParametersPage.h"

#include <QHeaderView>
#include <QPushButton>
#include <QResizeEvent>
#include <QTableView>

#include "ui/Controls.h"
#include "ui/FileListView.h"
#include "ui/FormGeometry.h"
#include "ui/ParameterEditorPanel.h"

namespace kivo::ui {
namespace {

constexpr int kVariablesColumn = 2;
constexpr int kTargetColumn = 3;

}  // namespace

ParametersPage::ParametersPage(WindowContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      model_(context.document),
      editor_(context.workspace(), context.prompt) {
    setObjectName("frmControls3");
    list_ = MakeControl<QTableView>(this, "lstParameterList", {8, 8, 790, 250}, "L-T-");
    ConfigureReportView(list_);
    list_->setModel(&model_);
    const int widths[] = {200, 130, 107, 53, 110, 50, 62, 58};
    for (int column = 0; column < ParameterListModel::kColumnCount; ++column)
        list_->setColumnWidth(column, widths[column]);
    editorPanel_ = new ParameterEditorPanel(
        editor_,
        [this](const char* procedure,
               const std::function<EditorResult(ParameterListEditor&)>& command) {
            Apply(procedure, command);
        },
        this);
    editorPanel_->setObjectName("frmParameterEditor");
    PlaceControl(editorPanel_, {8, 266, 790, 192}, "L--T");
    connect(this, &ParametersPage::editorChanged, editorPanel_, &ParameterEditorPanel::Refresh);
    CreateCommands();

    model_.SetEnabledRule([this](std::size_t row, bool enabled) {
        Apply("lstParameterList_ItemCheck",
              [&](ParameterListEditor& e) { return e.SetEnabled(row, enabled); });
    });
    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (context_.document.Loading() || !current.isValid())
                    return;
                const auto row = static_cast<std::size_t>(current.row());
                if (editor_.SelectedRow() == row)
                    return;
                Apply("lstParameterList_Click",
                      [row](ParameterListEditor& e) { return e.Select(row); });
            });
    connect(&context_.document, &StudyDocument::changed, this, [this](int parts) {
        if (parts & StudyDocument::Parameters) {
            editor_.ListReplaced();
            SelectRow(editor_.SelectedRow());
        } else if (parts & StudyDocument::Bindings) {
            // The variable and reference-system choices follow the input variables' names.
            editorPanel_->Refresh();
        }
    });
}

void ParametersPage::SelectRow(std::optional<std::size_t> row) {
    if (row && *row < context_.workspace().parameters.size()) {
        if (editor_.SelectedRow() != row && editor_.Select(*row).changed) {
            // The item chosen for the previous row was added to it first.
            context_.document.Changed(StudyDocument::Parameters);  // selects the row
            return;
        }
        const QModelIndex index = model_.index(static_cast<int>(*row), 0);
        const QSignalBlocker blocker(list_->selectionModel());
        list_->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        list_->scrollTo(index);
        list_->viewport()->update();
    } else {
        const QSignalBlocker blocker(list_->selectionModel());
        list_->selectionModel()->clearSelection();
        list_->viewport()->update();
    }
    emit editorChanged();
}

void ParametersPage::ShowResult(const EditorResult& result) {
    if (result.changed)
        context_.document.Changed(StudyDocument::Parameters);  // selects the editor's row
    else
        SelectRow(editor_.SelectedRow());
    if (result.focus == EditorFocus::NameBox)
        editorPanel_->FocusNameBox();
}

void ParametersPage::Apply(const char* procedure,
                           const std::function<EditorResult(ParameterListEditor&)>& command) {
    // A message box of a command takes the focus from the editor's boxes,
    // whose rules must not run inside the command.
    if (commandRunning_)
        return;
    EditorResult result;
    commandRunning_ = true;
    context_.Trap(procedure, [&] { result = command(editor_); });
    commandRunning_ = false;
    ShowResult(result);
}

void ParametersPage::CreateCommands() {
    struct Command {
        const char* name;
        const char* caption;
        QRect geometry;
        const char* toolTip;
        EditorResult (ParameterListEditor::*command)();
    };
    const Command commands[] = {
        {"cmdResetParameterList",
         "Reset",
         {806, 41, 162, 30},
         "Load the default set of nonverbal parameters",
         &ParameterListEditor::Reset},
        {"cmdClearParameterList",
         "Clear",
         {806, 74, 162, 30},
         "Remove all nonverbal parameters from the list",
         &ParameterListEditor::Clear},
        {"cmdCheckAll",
         "Enable All",
         {806, 116, 162, 30},
         "Enable all nonverbal parameters",
         &ParameterListEditor::EnableAll},
        {"cmdUncheckAll",
         "Disable All",
         {806, 149, 162, 30},
         "Disable all nonverbal parameters",
         &ParameterListEditor::DisableAll},
        {"cmdCheckDyadic",
         "Enable Dyad",
         {806, 182, 162, 30},
         "Enable all dyadic nonverbal parameters and those they need",
         &ParameterListEditor::EnableDyad},
        {"cmdUncheckDyadic",
         "Disable Dyad",
         {806, 215, 162, 30},
         "Disable all dyadic nonverbal parameters and those that use them",
         &ParameterListEditor::DisableDyad},
        {"cmdCreateParameter",
         "New",
         {806, 257, 162, 30},
         "Create a new nonverbal parameter",
         &ParameterListEditor::New},
        {"cmdRemoveParameter",
         "Delete",
         {806, 290, 162, 30},
         "Remove the selected nonverbal parameter",
         &ParameterListEditor::Delete},
        {"cmdUp",
         "Up",
         {806, 332, 80, 30},
         "Move the selected nonverbal parameter up",
         &ParameterListEditor::MoveUp},
        {"cmdDown",
         "Dn",
         {888, 332, 80, 30},
         "Move the selected nonverbal parameter down",
         &ParameterListEditor::MoveDown},
    };
    auto* restore = MakeCaptioned<QPushButton>(
        this, "cmdRestoreParameterList", "Restore", {806, 8, 162, 30}, "-LTT",
        "Restore the set of nonverbal parameters loaded at program start");
    connect(restore, &QPushButton::clicked, this, &ParametersPage::Restore);
    for (const Command& command : commands) {
        auto* button = MakeCaptioned<QPushButton>(this, command.name, command.caption,
                                                  command.geometry, "-LTT", command.toolTip);
        const auto member = command.command;
        const std::string procedure = std::string(command.name) + "_Click";
        connect(button, &QPushButton::clicked, this, [this, member, procedure] {
            Apply(procedure.c_str(), [member](ParameterListEditor& e) { return (e.*member)(); });
        });
    }
}

void ParametersPage::Restore() {
    Apply("cmdRestoreParameterList_Click", [this](ParameterListEditor& e) {
        return e.Restore([this] { return context_.document.StoredParameterList(context_.prompt); });
    });
}

void ParametersPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FitColumns();
}

void ParametersPage::FitColumns() {
    const int dpi = logicalDpiX() > 0 ? logicalDpiX() : 96;
    const int twipsPerPixel = 1440 / dpi;
    int others = 0;
    for (int column = 0; column < ParameterListModel::kColumnCount; ++column) {
        if (column != kVariablesColumn && column != kTargetColumn)
            others += list_->columnWidth(column);
    }
    const VariableColumnWidths widths =
        FitVariableColumns(list_->width() * twipsPerPixel, others * twipsPerPixel, twipsPerPixel);
    list_->setColumnWidth(kVariablesColumn, widths.variables / twipsPerPixel);
    list_->setColumnWidth(kTargetColumn, widths.target / twipsPerPixel);
}

}  // namespace kivo::ui
