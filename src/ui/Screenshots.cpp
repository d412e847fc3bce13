#include "ui/Screenshots.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTimer>
#include <memory>

#include "charts/PreviewView.h"
#include "ui/MainWindow.h"
#include "ui/OutputFrame.h"

namespace kivo::ui {
namespace {

struct Session {
    MainWindow& window;
    QString folder;
    bool ok = true;
    bool runShot = false;

    void Shoot(const QString& name, QWidget* shown = nullptr) {
        QApplication::processEvents();
        const QString path = QDir(folder).filePath(name + ".png");
        if (shown == nullptr || !shown->grab().save(path))
            ok = false;
    }
};

}  // namespace

void TakeScreenshots(MainWindow& window, const QString& folder, const QString& previewStudy,
                     double previewTime) {
    QDir().mkpath(folder);
    auto session = std::make_shared<Session>(Session{window, folder});
    // Every question gets the answer that lets the pictures go on.
    window.Prompt().SetResponder([](const PromptMessage& message) {
        switch (message.id) {
            case PromptId::OverwriteOutputFiles:
                return PromptAnswer::Yes;
            case PromptId::ParameterPageWarning:
            case PromptId::SaveSettingsAtExit:
                return PromptAnswer::No;
            default:
                return message.buttons == PromptButtons::YesNo ? PromptAnswer::Yes
                                                               : PromptAnswer::Ok;
        }
    });
    Workspace& workspace = window.Context().workspace();
    const QString output = QDir(folder).filePath("output");
    QDir().mkpath(output);
    workspace.options.directoryOutputFiles = output.toStdString();
    window.Context().document.Changed(StudyDocument::Options);

    const char* pages[] = {"page-1-input-files", "page-2-data-fields", "page-3-parameters"};
    for (int page = 1; page <= 3; ++page) {
        window.SelectPage(page);
        session->Shoot(pages[page - 1], &window);
    }
    QObject::connect(&window.Run(), &RunController::fileStarted, &window, [session] {
        if (!session->runShot) {
            session->runShot = true;
            session->Shoot("running", &session->window);
        }
    });
    QObject::connect(&window.Run(), &RunController::finished, &window, [=] {
        session->Shoot("after-run", &session->window);
        QWidget* plot = session->window.OpenPlot(0);
        session->Shoot("plot-window", plot);
        if (plot != nullptr)
            plot->close();
        if (!previewStudy.isEmpty()) {
            session->window.LoadSettingsFile(previewStudy);
            auto* preview = qobject_cast<PreviewView*>(session->window.OpenPreview(0));
            if (preview != nullptr)
                preview->ShowTime(previewTime);
            session->Shoot("preview-3d", preview);
            if (preview != nullptr)
                preview->close();
        }
        QApplication::exit(session->ok && session->runShot ? 0 : 1);
    });
    window.findChild<QAbstractButton*>("cmdCalculateData")->click();
}

}  // namespace kivo::ui
