#pragma once

#include <QWidget>
#include <optional>

#include "params/ParameterListEditor.h"
#include "ui/ParameterListModel.h"
#include "ui/WindowContext.h"

class QTableView;

namespace kivo::ui {

// Page 3: the parameter list with its check boxes, the whole-list commands
// and, below the list, the panel of the row editor (frmParameterEditor).
//
// The row editor's controls are built by BuildEditor() as children of the
// panel, with MakeControl and friends, while the page is constructed: the
// window records them for resizing once it is built. Buttons carry the names
// the key table uses (cmdCreateParameter, cmdUp, cmdAll, ...), so that keys
// and shortcut captions reach them by name. Each handler runs one command of
// Editor() under context_.Trap and hands its result to ShowResult(); the
// editorChanged() signal asks the controls to show the editor's row again.
class ParametersPage : public QWidget {
    Q_OBJECT
  public:
    ParametersPage(WindowContext& context, QWidget* parent);

    ParameterListModel& Model() { return model_; }
    QTableView* List() const { return list_; }
    // The rules of the page; the editor controls work through them too.
    ParameterListEditor& Editor() { return editor_; }
    // The panel the row editor's controls are placed on.
    QWidget* EditorPanel() const { return editorPanel_; }

    // Selects `row` in the list and in the editor.
    void SelectRow(std::optional<std::size_t> row);
    // Shows the outcome of an editor command: the list again, the editor's row selected.
    void ShowResult(const EditorResult& result);
    // Fits the Variables and Target columns to the list's width.
    void FitColumns();

  signals:
    // The editor's row or its values changed: the editor controls show them again.
    void editorChanged();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void BuildEditor();
    void Restore();
    void Reset();
    void Clear();

    WindowContext& context_;
    ParameterListModel model_;
    ParameterListEditor editor_;
    QTableView* list_ = nullptr;
    QWidget* editorPanel_ = nullptr;
};

}  // namespace kivo::ui
