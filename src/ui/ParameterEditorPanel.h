#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "params/ParameterListEditor.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kivo::ui {

// The row editor below the parameter list (frmParameterEditor): the name,
// function, variable, joint and reference-system controls of the selected row,
// its Output, Statistics and Dynamic boxes and the commands that switch those
// columns for every row. Each control hands its input to the editor through
// `apply` and shows what the editor's view says; it keeps no state of its own.
class ParameterEditorPanel : public QWidget {
    Q_OBJECT
  public:
    // `apply` runs an editor command under the error trap named `procedure`
    // and shows its outcome (the list, the selection, the focus).
    using Apply = std::function<void(const char* procedure,
                                     const std::function<EditorResult(ParameterListEditor&)>&)>;

    ParameterEditorPanel(ParameterListEditor& editor, Apply apply, QWidget* parent);

    // Shows the editor's view of the selected row.
    void Refresh();
    void FocusNameBox();

  private:
    void Run(const char* procedure,
             const std::function<EditorResult(ParameterListEditor&)>& command);
    void CreateRowControls();
    void CreateJointControls();
    void CreateFlagControls();
    void NameBoxLeft();
    void ReferenceSystemLeft();

    ParameterListEditor& editor_;
    Apply apply_;
    bool refreshing_ = false;
    bool running_ = false;

    QLineEdit* name_ = nullptr;
    QComboBox* function_ = nullptr;
    QRadioButton* optVariables_ = nullptr;
    QRadioButton* optTarget_ = nullptr;
    QComboBox* variables_ = nullptr;
    std::array<QPushButton*, 3> entryButtons_{};  // Add, Remove, Clear
    std::array<QCheckBox*, kJointCount> joints_{};
    std::array<QPushButton*, 6> groupButtons_{};
    QLabel* referenceLabel_ = nullptr;
    QComboBox* reference_ = nullptr;
    QCheckBox* output_ = nullptr;
    QCheckBox* statistics_ = nullptr;
    QCheckBox* dynamic_ = nullptr;
};

}  // namespace kivo::ui
