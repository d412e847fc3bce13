#pragma once

#include <QWidget>
#include <functional>
#include <optional>

#include "params/ParameterListEditor.h"
#include "ui/ParameterListModel.h"
#include "ui/WindowContext.h"

class QTableView;

namespace kivo::ui {

class ParameterEditorPanel;

// Page 3: the parameter list with its check boxes, the whole-list commands
// and, below the list, the panel of the row editor (frmParameterEditor).
//
// The row editor's controls live on ParameterEditorPanel, built with the page:
// the window records them for resizing once it is built. Buttons carry the
// names the key table uses (cmdCreateParameter, cmdUp, cmdAll, ...), so that
// keys and shortcut captions reach them by name. Each handler runs one command
// of Editor() through Apply() (error trap, then ShowResult()); the
// editorChanged() signal asks the controls to show the editor's row again.
class ParametersPage : public QWidget {
    Q_OBJECT
  public:
    ParametersPage(WindowContext& context, QWidget* parent);

    ParameterListModel& Model() { return model_; }
    QTableView* List() const { return list_; }
    // The rules of the page; the editor controls work through them too.
    ParameterListEditor& Editor() { return editor_; }
    // The row editor's controls.
    ParameterEditorPanel* EditorPanel() const { return editorPanel_; }

    // Selects `row` in the list and in the editor.
    void SelectRow(std::optional<std::size_t> row);
    // Shows the outcome of an editor command: the list again, the editor's row
    // selected, the focus where the editor puts it.
    void ShowResult(const EditorResult& result);
    // Runs an editor command under the error trap named `procedure` and shows its outcome.
    void Apply(const char* procedure,
               const std::function<EditorResult(ParameterListEditor&)>& command);
    // Fits the Variables and Target columns to the list's width.
    void FitColumns();

  signals:
    // The editor's row or its values changed: the editor controls show them again.
    void editorChanged();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void CreateCommands();
    void Restore();

    WindowContext& context_;
    ParameterListModel model_;
    ParameterListEditor editor_;
    QTableView* list_ = nullptr;
    ParameterEditorPanel* editorPanel_ = nullptr;
    bool commandRunning_ = false;
};

}  // namespace kivo::ui
