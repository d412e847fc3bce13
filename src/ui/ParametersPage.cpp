#include "ui/ParametersPage.h"

#include <QHeaderView>
#include <QPushButton>
#include <QResizeEvent>
#include <QTableView>

#include "ui/Controls.h"
#include "ui/FileListView.h"
#include "ui/FormGeometry.h"

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
    editorPanel_ = MakeControl<QWidget>(this, "frmParameterEditor", {8, 266, 790, 192}, "L--T");
    BuildEditor();

    struct Command {
        const char* name;
        const char* caption;
        void (ParametersPage::*handler)();
        const char* toolTip;
    };
    const Command commands[] = {
        {"cmdRestoreParameterList", "Restore", &ParametersPage::Restore,
         "Restore the set of nonverbal parameters loaded at program start"},
        {"cmdResetParameterList", "Reset", &ParametersPage::Reset,
         "Load the default set of nonverbal parameters"},
        {"cmdClearParameterList", "Clear", &ParametersPage::Clear,
         "Remove all nonverbal parameters from the list"},
    };
    int top = 8;
    for (const Command& command : commands) {
        auto* button = MakeCaptioned<QPushButton>(this, command.name, command.caption,
                                                  {806, top, 162, 30}, "-LTT", command.toolTip);
        connect(button, &QPushButton::clicked, this, command.handler);
        top += 33;
    }

    model_.SetEnabledRule([this](std::size_t row, bool enabled) {
        EditorResult result;
        context_.Trap("lstParameterList_ItemCheck",
                      [&] { result = editor_.SetEnabled(row, enabled); });
        ShowResult(result);
    });
    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (context_.document.Loading() || !current.isValid())
                    return;
                const auto row = static_cast<std::size_t>(current.row());
                if (editor_.SelectedRow() == row)
                    return;
                EditorResult result;
                context_.Trap("lstParameterList_Click", [&] { result = editor_.Select(row); });
                ShowResult(result);
            });
    connect(&context_.document, &StudyDocument::changed, this, [this](int parts) {
        if (parts & StudyDocument::Parameters) {
            editor_.ListReplaced();
            SelectRow(editor_.SelectedRow());
        }
    });
}

void ParametersPage::BuildEditor() {
    // The controls of the row editor are placed on editorPanel_ here.
}

void ParametersPage::SelectRow(std::optional<std::size_t> row) {
    if (row && *row < context_.workspace().parameters.size()) {
        if (editor_.SelectedRow() != row)
            editor_.Select(*row);
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
    if (result.changed) {
        context_.document.Changed(StudyDocument::Parameters);
        return;  // the document change selects the editor's row
    }
    SelectRow(editor_.SelectedRow());
}

void ParametersPage::Restore() {
    EditorResult result;
    context_.Trap("cmdRestoreParameterList_Click", [&] {
        result = editor_.Restore(
            [this] { return context_.document.StoredParameterList(context_.prompt); });
    });
    ShowResult(result);
}

void ParametersPage::Reset() {
    EditorResult result;
    context_.Trap("cmdResetParameterList_Click", [&] { result = editor_.Reset(); });
    ShowResult(result);
}

void ParametersPage::Clear() {
    EditorResult result;
    context_.Trap("cmdClearParameterList_Click", [&] { result = editor_.Clear(); });
    ShowResult(result);
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
