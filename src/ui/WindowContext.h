#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "core/ErrorTrap.h"
#include "ui/FileDialogs.h"
#include "ui/QtPrompt.h"
#include "ui/StudyDocument.h"

namespace kivo::ui {

// What the pages of the window share: the document, the prompt, the file
// dialogs (replaceable in tests) and the progress bar.
struct WindowContext {
    WindowContext(StudyDocument& studyDocument, QtPrompt& windowPrompt)
        : document(studyDocument), prompt(windowPrompt) {}

    StudyDocument& document;
    QtPrompt& prompt;
    std::unique_ptr<FileDialogs> dialogs = std::make_unique<FileDialogs>();
    // Sets the progress bar: value of maximum (0 of 0 resets it).
    std::function<void(int value, int maximum)> progress;

    Workspace& workspace() { return document.workspace(); }

    // Runs a handler under the error trap: an unexpected failure is shown as
    // the error message box naming `procedure`.
    template <class Body>
    bool Trap(const char* procedure, Body&& body) {
        return RunTrapped(prompt, procedure, std::forward<Body>(body));
    }
};

}  // namespace kivo::ui
