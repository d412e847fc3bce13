#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QSlider>
#include <QTemporaryDir>

#include "WindowHarness.h"
#include "charts/PlotChart.h"
#include "charts/PlotWindow.h"
#include "charts/PreviewView.h"
#include "ui/InputFilesPage.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::testing;

namespace {

const QString kCmu = QString(KIVO_SHARED_DATA_DIR) + "/cmu";

}  // namespace

class PlotAndPreviewTest : public QObject {
    Q_OBJECT

  private slots:
    // Plot before a run says why there is nothing to plot; after it, the
    // plot window shows the output columns and exports them.
    void plotOfTheSelectedFilesOutput() {
        QTemporaryDir folder;
        WindowHarness h;
        h.window.LoadSettingsFile(ExampleStudy());
        h.document.workspace().options.directoryOutputFiles = folder.path().toStdString();
        h.document.Changed(StudyDocument::Options);
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
        QFile original(kCmu + "/bindings.txt");
        QVERIFY(original.open(QIODevice::ReadOnly));
        QByteArray bindings = original.readAll();
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

QTEST_MAIN(PlotAndPreviewTest)
#include "PlotAndPreviewTest.moc"
