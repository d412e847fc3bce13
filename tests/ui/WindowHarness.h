#pragma once

#include <QDialog>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <deque>
#include <map>
#include <vector>

#include "ui/MainWindow.h"

namespace kivo::ui::testing {

// File dialogs that return what the test put in place, and remember their titles.
class ScriptedDialogs : public FileDialogs {
  public:
    QStringList files;  // for OpenFiles
    QString file;       // for OpenFile and SaveFile
    QString folder;     // for Folder
    QStringList titles;

    QStringList OpenFiles(QWidget*, const QString& title, const QString&, const QString&,
                          const QString&) override {
        titles.push_back(title);
        return files;
    }
    QString OpenFile(QWidget*, const QString& title, const QString&, const QString&,
                     const QString&) override {
        titles.push_back(title);
        return file;
    }
    QString SaveFile(QWidget*, const QString& title, const QString&, const QString&,
                     const QString&) override {
        titles.push_back(title);
        return file;
    }
    QString Folder(QWidget*, const QString& title, const QString&) override {
        titles.push_back(title);
        return folder;
    }
};

// A window as a user sees it, with scripted answers instead of message boxes
// and dialogs: each question takes the next answer queued for its identity,
// else Yes or OK (No to the question whether to save at exit).
class WindowHarness {
  public:
    // A window over the store in `storeFolder` (a temporary one of its own
    // when none is given).
    explicit WindowHarness(const QString& storeFolder = {})
        : storePath(QDir(storeFolder.isEmpty() ? ownStore.path() : storeFolder)
                        .filePath("settings.sqlite")),
          document(".", storePath.toStdString()),
          window(document) {
        window.Prompt().SetResponder([this](const PromptMessage& message) {
            messages.push_back(message);
            if (onQuestion)
                onQuestion(message);
            std::deque<PromptAnswer>& queued = answers[message.id];
            if (!queued.empty()) {
                const PromptAnswer answer = queued.front();
                queued.pop_front();
                return answer;
            }
            if (message.id == PromptId::SaveSettingsAtExit)
                return PromptAnswer::No;
            const bool ok =
                message.buttons == PromptButtons::Ok || message.buttons == PromptButtons::OkCancel;
            return ok ? PromptAnswer::Ok : PromptAnswer::Yes;
        });
        auto scripted = std::make_unique<ScriptedDialogs>();
        dialogs = scripted.get();
        window.Context().dialogs = std::move(scripted);
        window.SetDialogRunner(
            [this](QDialog& dialog) { dialogsShown.push_back(dialog.objectName()); });
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qWarning("the window did not become active");
        window.RestoreAtStart();
    }

    void Answer(PromptId id, PromptAnswer answer) { answers[id].push_back(answer); }
    int Count(PromptId id) const {
        return static_cast<int>(std::count_if(messages.begin(), messages.end(),
                                              [id](const PromptMessage& m) { return m.id == id; }));
    }

    template <class Widget = QWidget>
    Widget* Find(const char* name) {
        auto* widget = window.findChild<Widget*>(name);
        if (widget == nullptr)
            qFatal("no widget %s", name);
        return widget;
    }

    // Clicks Calculate and waits until the run has ended.
    bool RunToEnd(int timeoutMs = 120000) {
        QSignalSpy finished(&window.Run(), &RunController::finished);
        QTest::mouseClick(Find<QWidget>("cmdCalculateData"), Qt::LeftButton);
        return finished.count() > 0 || finished.wait(timeoutMs);
    }

    QTemporaryDir ownStore;
    QString storePath;
    StudyDocument document;
    MainWindow window;
    ScriptedDialogs* dialogs = nullptr;
    std::vector<PromptMessage> messages;
    std::map<PromptId, std::deque<PromptAnswer>> answers;
    std::function<void(const PromptMessage&)> onQuestion;
    QStringList dialogsShown;
};

inline QString ExampleStudy() {
    return QString(KIVO_EXAMPLES_DIR) + "/study.set";
}

}  // namespace kivo::ui::testing
