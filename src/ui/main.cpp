#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include "settings/StoreLocation.h"
#include "ui/MainWindow.h"
#include "ui/Screenshots.h"
#include "ui/WindowTexts.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kivo");
    QApplication::setApplicationVersion(kivo::ui::kVersion);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Kivo: nonverbal parameters from 3D motion-capture recordings");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("settings", "Settings file (.set) to open after the stored state",
                                 "[STUDY.set]");
    const QCommandLineOption screenshots(
        "screenshots",
        "Write a picture of each page and of a run of the study into FOLDER, then quit", "FOLDER");
    parser.addOption(screenshots);
    const QCommandLineOption previewStudy(
        "preview-study",
        "With --screenshots: also a picture of the 3D preview of STUDY's first file", "STUDY.set");
    parser.addOption(previewStudy);
    const QCommandLineOption previewTime(
        "preview-time", "The time of the frame the 3D preview picture shows", "SECONDS", "0");
    parser.addOption(previewTime);
    parser.process(app);

    // Pictures are taken with a store of their own, never the user's.
    QTemporaryDir pictureStore;
    std::string storePath;
    if (parser.isSet(screenshots)) {
        storePath = QDir(pictureStore.path()).filePath("settings.sqlite").toStdString();
    } else {
        try {
            storePath = kivo::PerUserStorePath();
        } catch (const std::exception&) {
            storePath = QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
                            .filePath("settings.sqlite")
                            .toStdString();
        }
    }
    kivo::ui::StudyDocument document(QLocale().decimalPoint().toStdString(), storePath);
    kivo::ui::MainWindow window(document);
    window.show();

    const QStringList arguments = parser.positionalArguments();
    QTimer::singleShot(0, &window, [&] {
        window.RestoreAtStart();
        if (!arguments.isEmpty())
            window.LoadSettingsFile(QDir::current().absoluteFilePath(arguments.front()));
        if (parser.isSet(screenshots))
            kivo::ui::TakeScreenshots(window, parser.value(screenshots),
                                      parser.isSet(previewStudy) ? QDir::current().absoluteFilePath(
                                                                       parser.value(previewStudy))
                                                                 : QString(),
                                      parser.value(previewTime).toDouble());
    });
    return QApplication::exec();
}
