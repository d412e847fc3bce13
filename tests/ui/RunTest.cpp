#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSlider>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include "WindowHarness.h"
#include "charts/PlotChart.h"
#include "charts/PlotWindow.h"
#include "charts/PreviewView.h"
#include "ui/InputFilesPage.h"
#include "ui/ResultDialog.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::testing;

namespace {

const QString kCmu = QString(KIVO_SHARED_DATA_DIR) + "/cmu";

// Nanoseconds the calling thread has waited for a processor while runnable
// (0 where the system does not tell).
qint64 RunQueueWaitNs() {
    QFile file("/proc/thread-self/schedstat");
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = file.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() : 0;
}

QByteArray Content(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The example study with its output going to `folder`.
void LoadExample(WindowHarness& h, const QString& folder) {
    h.window.LoadSettingsFile(ExampleStudy());
    h.document.workspace().options.directoryOutputFiles = folder.toStdString();
    h.document.Changed(StudyDocument::Options);
}

}  // namespace

class RunTest : public QObject {
    Q_OBJECT

  private slots:
    // In the window alone: the CMU dyad with its time label, the bindings from
    // a file, the default list, the result files; the same study saved and run
    // by the command line writes the same bytes.
    void aStudyBuiltInTheWindowRunsAsOnTheCommandLine() {
        if (!QFile::exists(kCmu + "/cmu18_01.A.txt"))
            QSKIP("the shared CMU recordings are not available");
        QTemporaryDir dir;
        QDir().mkpath(dir.filePath("window"));
        WindowHarness h;

        auto* timeField = h.Find<QLineEdit>("txtTimeField");
        timeField->setFocus();
        timeField->selectAll();
        QTest::keyClicks(timeField, "Time");
        h.dialogs->files = {kCmu + "/cmu18_01.A.txt", kCmu + "/cmu18_01.B.txt"};
        QTest::mouseClick(h.Find("cmdAddFileBrowse"), Qt::LeftButton);
        const Workspace& workspace = h.document.workspace();
        QCOMPARE(workspace.inputFiles.size(), std::size_t(2));
        QCOMPARE(workspace.inputFiles[0][kColPartnerFile], std::string("cmu18_01.B.txt"));

        h.window.SelectPage(2);
        h.dialogs->file = kCmu + "/bindings.txt";
        QTest::mouseClick(h.Find("cmdLoadBindings"), Qt::LeftButton);
        QCOMPARE(workspace.boundDataFields[kHips], std::string("Hips"));
        h.dialogs->folder = dir.filePath("window");
        QTest::mouseClick(h.Find("cmdBrowseFolder"), Qt::LeftButton);
        QCOMPARE(h.Find<QLineEdit>("txtDirectoryOutputFiles")->text(), dir.filePath("window"));

        QVERIFY(h.RunToEnd());
        QVERIFY(h.window.Run().LastSummary().completed);
        QCOMPARE(h.Count(PromptId::TrappedError), 0);
        QCOMPARE(h.Count(PromptId::RunFinished), 1);
        QVERIFY(h.Find("frmControls1")->isEnabled());

        // The result dialog of the first file opens its output and statistics files.
        QStringList opened;
        h.window.SetResultOpener([&](const QString& path) { opened.push_back(path); });
        h.window.SetDialogRunner(
            [](QDialog& dialog) { dialog.findChild<QAbstractButton*>("OKButton")->click(); });
        h.window.SelectPage(1);
        h.window.FilesPage()->SelectRow(0);
        QTest::keyClick(h.Find("lstInputFiles"), Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(opened, QStringList({dir.filePath("window/cmu18_01.A.csv"),
                                      dir.filePath("window/Statistics.csv")}));

        const QString study = dir.filePath("study.set");
        h.dialogs->file = study;
        QTest::mouseClick(h.Find("cmdSaveSettings"), Qt::LeftButton);
        QProcess kivo;
        kivo.start(KIVO_CLI_PATH, {"run", study, "--output-dir", dir.filePath("cli"), "--quiet"});
        QVERIFY(kivo.waitForFinished(120000));
        QCOMPARE(kivo.exitCode(), 0);
        for (const char* name : {"cmu18_01.A.csv", "cmu18_01.B.csv", "Statistics.csv"}) {
            const QByteArray window = Content(dir.filePath(QString("window/") + name));
            QVERIFY2(!window.isEmpty(), name);
            QVERIFY2(window == Content(dir.filePath(QString("cli/") + name)), name);
        }
    }

    // During a run the controls are disabled but for Info and Cancel, F1 to F4
    // still act, and the window keeps repainting; afterwards all is enabled.
    void theWindowStaysUsableDuringARun() {
        if (!QFile::exists(kCmu + "/cmu18_01.A.txt"))
            QSKIP("the shared CMU recordings are not available");
        QTemporaryDir dir;
        WindowHarness h;
        LoadExample(h, dir.path());
        h.window.SelectPage(3);
        bool checked = false;
        // The window's thread answers a timer throughout the run. On a busy
        // machine the system may keep it waiting for a processor: that time
        // is not the window's, and does not count.
        QElapsedTimer clock;
        qint64 last = 0, lastWait = 0, longestGap = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&] {
            const qint64 now = clock.elapsed();
            const qint64 wait = RunQueueWaitNs() / 1000000;
            longestGap = std::max(longestGap, now - last - (wait - lastWait));
            last = now;
            lastWait = wait;
        });
        connect(&h.window.Run(), &RunController::fileStarted, this, [&] {
            if (checked)
                return;
            checked = true;
            QVERIFY(!h.Find("frmControls1")->isEnabled());
            QVERIFY(!h.Find("frmOutputFiles")->isEnabled());
            QVERIFY(!h.Find("cmdExit")->isEnabled());
            QVERIFY(h.Find("cmdInfo")->isEnabled());
            QCOMPARE(h.Find<QAbstractButton>("cmdCalculateData")->text(), QString("Cancel"));
            QCOMPARE(h.window.CurrentPage(), 1);
            QTest::keyClick(h.Find("cmdInfo"), Qt::Key_F3);
            QCOMPARE(h.window.CurrentPage(), 2);
            QTest::keyClick(h.Find("cmdInfo"), Qt::Key_F7);  // not during a run
            QApplication::processEvents();  // the page is painted before the clock starts
            clock.start();
            lastWait = RunQueueWaitNs() / 1000000;
            ticker.start(5);
        });
        QVERIFY(h.RunToEnd());
        ticker.stop();
        QVERIFY(checked);
        QVERIFY2(longestGap < 100, QByteArray::number(longestGap));
        QVERIFY(h.Find("frmControls1")->isEnabled());
        QCOMPARE(h.Find<QAbstractButton>("cmdCalculateData")->text(), QString("Calculate"));
        QCOMPARE(h.Count(PromptId::ParameterPageWarning), 1);
    }

    // Cancel asks whether to abort: Yes stops the run, No lets it go on.
    void cancel_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("Yes stops") << int(PromptAnswer::Yes);
        QTest::newRow("No goes on") << int(PromptAnswer::No);
    }
    void cancel() {
        QFETCH(int, answer);
        QTemporaryDir dir;
        WindowHarness h;
        LoadExample(h, dir.path());
        QFile(dir.filePath("Statistics.csv")).open(QIODevice::WriteOnly);
        // The first question of the run (whether to replace the statistics
        // file) is the moment to click Cancel.
        h.onQuestion = [&](const PromptMessage& message) {
            if (message.id == PromptId::OverwriteOutputFiles)
                QTest::mouseClick(h.Find("cmdCalculateData"), Qt::LeftButton);
        };
        h.Answer(PromptId::AbortCalculations, PromptAnswer(answer));
        QVERIFY(h.RunToEnd());
        QCOMPARE(h.Count(PromptId::AbortCalculations), 1);
        const bool stopped = PromptAnswer(answer) == PromptAnswer::Yes;
        QCOMPARE(h.window.Run().LastSummary().completed, !stopped);
        QCOMPARE(h.Count(PromptId::RunFinished), stopped ? 0 : 1);
        QVERIFY(h.Find("cmdCalculateData")->isEnabled());
    }

    // Closing the window during a run asks to abort first; the question
    // whether to save comes once the run has ended.
    void closingDuringARunAbortsFirst() {
        QTemporaryDir dir;
        WindowHarness h;
        LoadExample(h, dir.path());
        QFile(dir.filePath("Statistics.csv")).open(QIODevice::WriteOnly);
        bool runningAtSaveQuestion = true;
        h.onQuestion = [&](const PromptMessage& message) {
            if (message.id == PromptId::OverwriteOutputFiles)
                h.window.close();
            if (message.id == PromptId::SaveSettingsAtExit)
                runningAtSaveQuestion = h.window.Run().IsRunning();
        };
        QVERIFY(h.RunToEnd());
        QVERIFY(!h.window.Run().LastSummary().completed);
        QCOMPARE(h.Count(PromptId::AbortCalculations), 1);
        QCOMPARE(h.Count(PromptId::SaveSettingsAtExit), 1);
        QVERIFY(!runningAtSaveQuestion);
        QVERIFY(!h.window.isVisible());
    }
    // A run stopped by an undefined variable takes the user to the data fields,
    // with the row that uses it selected in the parameter list.
    void anUndefinedVariableLeadsToTheDataFields() {
        WindowHarness h;
        QTemporaryDir output;
        LoadExample(h, output.path());
        h.document.workspace().parameters[1].variables = "Nowhere";
        QVERIFY(h.RunToEnd());
        QCOMPARE(h.Count(PromptId::ParameterDefinitionError), 1);
        QCOMPARE(h.Find<QTabWidget>("tabControls")->currentIndex(), 1);
        QCOMPARE(h.Find<QTableView>("lstParameterList")->currentIndex().row(), 1);
    }

    // Plot before a run says why there is nothing to plot; after it, the
    // plot window shows the output columns and exports them.
    void plotOfTheSelectedFilesOutput() {
        QTemporaryDir folder;
        WindowHarness h;
        LoadExample(h, folder.path());
        h.window.FilesPage()->SelectRow(0);
        QTest::mouseClick(h.Find("cmdPlot"), Qt::LeftButton);
        QCOMPARE(h.Count(PromptId::PlotNotShown), 1);
        QVERIFY(h.window.findChild<PlotWindow*>() == nullptr);

        QVERIFY(h.RunToEnd());
        h.window.FilesPage()->SelectRow(0);
        QTest::mouseClick(h.Find("cmdPlot"), Qt::LeftButton);
        auto* plot = h.window.findChild<PlotWindow*>();
        QVERIFY(plot != nullptr);
        QVERIFY(plot->isVisible());
        QCOMPARE(plot->Chart()->Data().series.size(), 10u);  // five Activation columns, A and B
        const QString svg = folder.filePath("plot.svg");
        QString error;
        QVERIFY2(plot->Export(svg, error), qPrintable(error));
        QFile file(svg);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("Translational Magnitude Body (B)"));
    }

    // The preview opened from the data-field page names bindings that put
    // the left hand on the right and the other way round.
    void previewFlagsExchangedHands() {
        if (!QFile::exists(kCmu + "/cmu18_01.A.txt"))
            QSKIP("the shared CMU recordings are not available");
        QTemporaryDir folder;
        QByteArray bindings = Content(kCmu + "/bindings.txt");
        bindings.replace("Hand L;LeftHand", "Hand L;@")
            .replace("Hand R;RightHand", "Hand R;LeftHand");
        bindings.replace("Hand L;@", "Hand L;RightHand");
        QFile exchanged(folder.filePath("bindings.txt"));
        QVERIFY(exchanged.open(QIODevice::WriteOnly));
        exchanged.write(bindings);
        exchanged.close();
        const QString study = folder.filePath("cmu.set");
        QCOMPARE(QProcess::execute(KIVO_CLI_PATH, {"init", study, kCmu + "/cmu18_01.A.txt",
                                                   kCmu + "/cmu18_01.B.txt", "--time-label", "Time",
                                                   "--bindings", exchanged.fileName()}),
                 0);

        WindowHarness h;
        h.window.LoadSettingsFile(study);
        h.window.FilesPage()->SelectRow(0);
        h.window.SelectPage(2);
        QTest::mouseClick(h.Find("cmdPreview"), Qt::LeftButton);
        auto* preview = h.window.findChild<PreviewView*>();
        QVERIFY(preview != nullptr);
        QVERIFY(
            preview->Note().contains("Person A: On the other side of the body in most "
                                     "frames: Hand L, Hand R"));
        QVERIFY(preview->Note().contains("Partner: "));
        QVERIFY(preview->findChild<QLabel*>("previewNote")->isVisible());
        preview->findChild<QSlider*>("previewFrame")->setValue(83);
        QCOMPARE(preview->CurrentFrame(), 83u);
    }
};

QTEST_MAIN(RunTest)
#include "RunTest.moc"
