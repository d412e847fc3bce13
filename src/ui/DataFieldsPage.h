#pragma once

#include <QWidget>
#include <array>
#include <string>
#include <vector>

#include "core/InputVariableTable.h"
#include "ui/WindowContext.h"

class QComboBox;
class QLineEdit;

namespace kivo::ui {

// Page 2: the 86 input variables with their data fields, and the names of the
// user variables.
class DataFieldsPage : public QWidget {
    Q_OBJECT
  public:
    DataFieldsPage(WindowContext& context, QWidget* parent);

    // Shows the bindings, names and offered data fields of the workspace.
    void ShowBindings();

  signals:
    // The 3D preview of the input file selected on the input page.
    void previewRequested();

  private:
    void BuildRows(QWidget* content);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void DataFieldChosen(int position);
    void NameBoxLeft(int userVariable);
    void ClearDataFieldLists();
    void DeleteUserVariables();
    void RestoreAssignments();
    void LoadBindings();
    void Preview() { emit previewRequested(); }

    WindowContext& context_;
    std::array<QComboBox*, kInputVariableCount> fields_{};
    std::array<QLineEdit*, kUserVariableCount> names_{};
    std::vector<std::string> shownNames_;  // the data fields the boxes offer now
    std::string oldName_;                  // the name a name box had when it got the focus
};

}  // namespace kivo::ui
