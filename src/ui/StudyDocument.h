#pragma once

#include <QObject>
#include <string>

#include "core/UserPrompt.h"
#include "core/Workspace.h"

namespace kivo::ui {

// The working state the window shows. Every change goes through the
// document, which then tells the views what changed.
class StudyDocument : public QObject {
    Q_OBJECT
  public:
    enum Part {
        Options = 1,     // the option boxes
        Files = 2,       // the input file list
        Bindings = 4,    // data-field names, bindings and user variables
        Parameters = 8,  // the parameter list
        Everything = Options | Files | Bindings | Parameters,
    };

    StudyDocument(std::string decimalSymbol, std::string storePath, QObject* parent = nullptr);

    Workspace& workspace() { return workspace_; }
    const Workspace& workspace() const { return workspace_; }
    const std::string& StorePath() const { return storePath_; }

    // Tells the views that `parts` changed.
    void Changed(int parts) { emit changed(parts); }

    // True while lists are filled programmatically: change handlers of the
    // controls do nothing meanwhile.
    bool Loading() const { return loading_; }
    void SetLoading(bool loading) { loading_ = loading; }

    // Start-up: restores the working state of the last session from the
    // per-user settings store.
    void RestoreAtStart(UserPrompt& prompt);
    // The restore commands: the file list (with every option) and the
    // data-field assignments as the store holds them, that is as they were
    // loaded at program start. False when the user said No.
    bool RestoreFileList(UserPrompt& prompt);
    bool RestoreDataFieldAssignments(UserPrompt& prompt);
    // The parameter list the store holds; nothing when it holds none.
    std::optional<std::vector<ParameterDefinition>> StoredParameterList(UserPrompt& prompt) const;
    // The question when the window closes ("Yes" saves into the store); true
    // when the window may close.
    bool AskToSaveAtExit(UserPrompt& prompt);

  signals:
    void changed(int parts);

  private:
    Workspace workspace_;
    std::string storePath_;
    bool loading_ = false;
};

}  // namespace kivo::ui
