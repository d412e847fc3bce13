#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <array>
#include <deque>
#include <map>
#include <vector>

#include "charts/PlotChart.h"
#include "charts/PlotWindow.h"
#include "charts/PreviewView.h"
#include "ui/FormGeometry.h"
#include "ui/InputFileListModel.h"
#include "ui/InputFilesPage.h"
#include "ui/MainWindow.h"
#include "ui/ResultDialog.h"

using namespace kivo;
using namespace kivo::ui;

Q_DECLARE_METATYPE(ControlBox)

namespace {

const QString kExampleStudy = QString(KIVO_EXAMPLES_DIR) + "/study.set";

// File dialogs that return what the test put in place.
class ScriptedDialogs : public FileDialogs {
    using Arg = const QString&;

  public:
    QStringList files;  // for OpenFiles
    QString file;       // for OpenFile and SaveFile
    QString folder;     // for Folder

    QStringList OpenFiles(QWidget*, Arg, Arg, Arg, Arg) override { return files; }
    QString OpenFile(QWidget*, Arg, Arg, Arg, Arg) override { return file; }
    QString SaveFile(QWidget*, Arg, Arg, Arg, Arg) override { return file; }
    QString Folder(QWidget*, Arg, Arg) override { return folder; }
};

// A window as a user sees it, with scripted answers instead of message boxes
// and dialogs: each question takes the next answer queued for its identity,
// else Yes or OK (No to the question whether to save at exit).
class WindowHarness {
  public:
    // A window over the store in `storeFolder` (a temporary one of its own
    // when none is given).
    explicit WindowHarness(const QString& storeFolder = {})
        : storePath(QDir(storeFolder.isEmpty() ? folder.path() : storeFolder)
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
        window.SetDialogRunner([](QDialog&) {});
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
    bool RunToEnd() {
        QSignalSpy finished(&window.Run(), &RunController::finished);
        QTest::mouseClick(Find<QWidget>("cmdCalculateData"), Qt::LeftButton);
        return finished.count() > 0 || finished.wait(120000);
    }

    // Loads the example study with its output going to the harness's folder.
    void LoadExample() {
        window.LoadSettingsFile(kExampleStudy);
        document.workspace().options.directoryOutputFiles = folder.path().toStdString();
        document.Changed(StudyDocument::Options);
    }

    QTemporaryDir folder;  // the store's when no other is given, and the example's outputs
    QString storePath;
    StudyDocument document;
    MainWindow window;
    ScriptedDialogs* dialogs = nullptr;
    std::vector<PromptMessage> messages;
    std::map<PromptId, std::deque<PromptAnswer>> answers;
    std::function<void(const PromptMessage&)> onQuestion;
};

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

// Rows of the default list, counted from 0.
constexpr int kDistanceHands = 106;
constexpr int kCrossedLegs = 112;
constexpr int kOpennessUpperExtremities = 113;
constexpr int kDyadicMimicryUpperExtremities = 121;
constexpr int kDyadicTouchBody = 133;

constexpr int kVariablesColumn = 2;
constexpr int kOutputColumn = 5;

QString Text(QTableView* list, int row, int column) {
    return list->model()->index(row, column).data().toString();
}
bool Enabled(QTableView* list, int row) {
    return list->model()->index(row, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked;
}
void Press(QWidget* target, Qt::Key key, int times = 1,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    for (int i = 0; i < times; ++i)
        QTest::keyClick(target, key, modifiers);
}

void Drop(QWidget* target, const QStringList& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.push_back(QUrl::fromLocalFile(path));
    data.setUrls(urls);
    const QPointF position(target->width() / 2.0, target->height() / 2.0);
    QDragEnterEvent enter(position.toPoint(), Qt::CopyAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(position, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

}  // namespace

// The desktop window as a user sees it: its controls and keys, the parameter
// page, runs with their questions, and the plot and preview windows.
class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    // The window sees keys before its controls; each page has its own table.
    void keys_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("expected");  // a button clicked, "!button" not clicked,
                                                // "pageN", or "control:on/off"
        const int none = Qt::NoModifier, ctrl = Qt::ControlModifier;
        const auto row = [](const char* name, int page, const char* focus, int key, int modifiers,
                            const char* expected) {
            QTest::newRow(name) << page << QString(focus) << key << modifiers << QString(expected);
        };
        const char *files = "lstInputFiles", *fields = "cmbDataFieldNames_3",
                   *params = "lstParameterList";
        row("F1 info", 1, files, Qt::Key_F1, none, "cmdInfo");
        row("F3 page 2", 1, files, Qt::Key_F3, none, "page2");
        row("F2 page 1", 3, params, Qt::Key_F2, none, "page1");
        row("F5 no files", 1, files, Qt::Key_F5, none, "!cmdCalculateData");
        row("Del file", 1, files, Qt::Key_Delete, none, "cmdRemoveFile");
        row("Del in box", 1, "txtTimeField", Qt::Key_Delete, none, "!cmdRemoveFile");
        row("Ctrl+A in box", 1, "txtTimeField", Qt::Key_A, ctrl, "cmdApplyToAllFiles");
        row("Ctrl+N add", 1, files, Qt::Key_N, ctrl, "cmdAddFileBrowse");
        row("Ctrl+P partner", 1, files, Qt::Key_P, ctrl, "cmdAssignPartnerFile");
        row("Ctrl+F video", 1, files, Qt::Key_F, ctrl, "cmdSelectAVIFile");
        row("F8 file list", 1, files, Qt::Key_F8, none, "cmdRestoreFileList");
        row("Ctrl+R distances", 1, files, Qt::Key_R, ctrl, "chkDistances:off");
        row("Ctrl+L length", 1, files, Qt::Key_L, ctrl, "optDistancesLength:on");
        row("Ctrl+O load", 2, "cmdClearDataFieldsLists", Qt::Key_O, ctrl, "cmdLoadSettings");
        row("Del lists", 2, fields, Qt::Key_Delete, none, "cmdClearDataFieldsLists");
        row("Del in name", 2, "txtVariableNames_0", Qt::Key_Delete, none,
            "!cmdClearDataFieldsLists");
        row("Ctrl+Del variables", 2, fields, Qt::Key_Delete, ctrl, "cmdDeleteUserDefinedVariables");
        row("F8 assignments", 2, fields, Qt::Key_F8, none, "cmdRestoreDataFieldAssignments");
        row("F7 reset", 3, params, Qt::Key_F7, none, "cmdResetParameterList");
        row("F8 parameters", 3, params, Qt::Key_F8, none, "cmdRestoreParameterList");
        row("Ctrl+D open", 1, files, Qt::Key_D, ctrl, "cmdOpenDataFiles");
        row("Ctrl+B browse", 1, files, Qt::Key_B, ctrl, "cmdBrowseFolder");
        row("Ctrl+S save", 3, params, Qt::Key_S, ctrl, "cmdSaveSettings");
        row("Ctrl+Del parameters", 3, params, Qt::Key_Delete, ctrl, "cmdClearParameterList");
        row("Ctrl+N page 2", 2, fields, Qt::Key_N, ctrl, "!cmdAddFileBrowse");
        row("Esc exit", 1, files, Qt::Key_Escape, none, "cmdExit");
    }

    void keys() {
        QFETCH(int, page);
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, expected);
        WindowHarness h;
        h.window.SelectPage(page);
        QWidget* target = h.Find(focus.toUtf8().constData());
        target->setEnabled(true);  // a user variable's name box needs a name or a binding
        target->setFocus();
        const bool negative = expected.startsWith('!');
        const QString name = negative ? expected.mid(1) : expected.section(':', 0, 0);
        auto* button =
            name.startsWith("page") ? nullptr : h.Find<QAbstractButton>(name.toUtf8().constData());
        std::unique_ptr<QSignalSpy> clicked;
        if (button != nullptr && !qobject_cast<QCheckBox*>(button) &&
            !qobject_cast<QRadioButton*>(button))
            clicked = std::make_unique<QSignalSpy>(button, &QAbstractButton::clicked);

        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

        if (name.startsWith("page"))
            QCOMPARE(h.window.CurrentPage(), name.mid(4).toInt());
        else if (expected.contains(':'))
            QCOMPARE(button->isChecked(), expected.endsWith(":on"));
        else
            QCOMPARE(clicked->count(), negative ? 0 : 1);
    }

    // Holding Ctrl shows the keys in the captions; releasing it hides them.
    // The warning on entering the parameter page comes once per program run;
    // Yes switches it off for later runs too. Save asks before it replaces a
    // settings file, and refuses at once, without asking, a folder or a
    // symbolic link, which stay as they were.
    void captionsPageWarningAndSave() {
        QTemporaryDir dir;
        WindowHarness h;
        auto* info = h.Find<QAbstractButton>("cmdInfo");
        QTest::keyPress(h.Find("lstInputFiles"), Qt::Key_Control, Qt::ControlModifier);
        QCOMPARE(info->text(), QString("Info [F1]"));
        QCOMPARE(h.Find<QAbstractButton>("cmdCalculateData")->text(), QString("Calculate [F5]"));
        QCOMPARE(h.Find<QTabWidget>("tabControls")->tabText(1), QString("Data Fields [F3]"));
        QTest::keyRelease(h.Find("lstInputFiles"), Qt::Key_Control, Qt::NoModifier);
        QCOMPARE(info->text(), QString("Info"));
        QCOMPARE(h.Find<QCheckBox>("chkDistances")->text(), QString("Distances related to"));

        h.Answer(PromptId::ParameterPageWarning, PromptAnswer::Yes);
        h.window.SelectPage(3);
        h.window.SelectPage(1);
        h.window.SelectPage(3);
        QCOMPARE(h.Count(PromptId::ParameterPageWarning), 1);
        QVERIFY(!h.document.workspace().options.showWarning);
        QCOMPARE(h.messages.front().buttons, PromptButtons::YesNo);

        h.window.SelectPage(1);
        const QString study = dir.filePath("study.set");
        const QString link = dir.filePath("link.set");
        for (const QString& path : {study, dir.path(), link, study}) {
            if (path == link)
                QVERIFY(QFile::link(study, link));
            h.dialogs->file = path;
            QTest::mouseClick(h.Find("cmdSaveSettings"), Qt::LeftButton);
        }
        QCOMPARE(h.Count(PromptId::TrappedError), 2);
        QCOMPARE(h.Count(PromptId::OverwriteSettingsFile), 1);
        QVERIFY(QFileInfo(link).isSymLink());
        QVERIFY(QFileInfo(dir.path()).isDir());
    }

    // A loaded study shows its rows, the first file selected with its options,
    // and a run can start. Leaving asks whether to save: Cancel keeps the
    // window open, No writes nothing, Yes saves the study into the store the
    // next start restores.
    void loadedStudyAndTheExitQuestion() {
        QTemporaryDir store;
        {
            WindowHarness h(store.path());
            h.window.LoadSettingsFile(kExampleStudy);
            auto* list = h.Find<QTableView>("lstInputFiles");
            QCOMPARE(list->model()->rowCount(), 2);
            QCOMPARE(list->model()->columnCount(), 16);
            QCOMPARE(Text(list, 0, 0), QString("dyad.A.csv"));
            QCOMPARE(Text(list, 0, 1), QString("dyad.B.csv"));
            QCOMPARE(list->model()->headerData(5, Qt::Horizontal).toString(),
                     QString("Distances related to"));
            // The first file is selected and shows its options; a run can start.
            QCOMPARE(h.Find<QLineEdit>("txtTimeField")->text(), QString("Time"));
            QCOMPARE(h.Find<QLineEdit>("txtLinesPerSec")->text(), QString("30.0003"));
            QVERIFY(h.Find<QAbstractButton>("cmdCalculateData")->isEnabled());
            QCOMPARE(h.Find<QTableView>("lstParameterList")->model()->rowCount(), 165);
            QCOMPARE(h.Find<QComboBox>("cmbDataFieldNames_3")->currentText(), QString("Head"));
            QVERIFY(h.window.windowTitle().startsWith("Kivo - "));
            QVERIFY(h.window.windowTitle().endsWith(" - v" + QString(KIVO_VERSION)));
            h.Answer(PromptId::SaveSettingsAtExit, PromptAnswer::Cancel);
            QTest::mouseClick(h.Find("cmdExit"), Qt::LeftButton);
            QVERIFY(h.window.isVisible());

            // The text box writes to the file that was selected when it got the
            // focus, and nothing when that file has been removed meanwhile.
            auto* skip = h.Find<QLineEdit>("txtSkipLines");
            skip->setFocus();
            QTest::keyClick(skip, Qt::Key_Backspace);
            QTest::keyClicks(skip, "3");
            QCOMPARE(h.Find<QLabel>("lblFrame")->text(), QString("rd Frame"));
            list->setFocus();
            QCOMPARE(h.document.workspace().inputFiles[0][kColUseEvery], std::string("3"));
            skip->setFocus();
            QTest::keyClicks(skip, "2");
            // Ctrl+Delete clears the list while the box still has the focus.
            QTest::keyClick(skip, Qt::Key_Delete, Qt::ControlModifier);
            QVERIFY(h.document.workspace().inputFiles.empty());
            list->setFocus();
            QVERIFY(h.document.workspace().inputFiles.empty());

            h.Answer(PromptId::SaveSettingsAtExit, PromptAnswer::No);
            QVERIFY(h.window.close());
            QCOMPARE(h.Count(PromptId::SaveSettingsAtExit), 2);
        }
        {
            // Data files dropped onto the list are added; a settings file
            // dropped onto the window is loaded.
            WindowHarness h(store.path());
            auto* list = h.Find<QTableView>("lstInputFiles");
            QCOMPARE(list->model()->rowCount(), 0);
            h.Find<QLineEdit>("txtTimeField")->setText("Time");
            h.document.workspace().options.timeField = "Time";
            Drop(list->viewport(), {QString(KIVO_EXAMPLES_DIR) + "/dyad.A.csv"});
            QCOMPARE(list->model()->rowCount(), 1);
            QCOMPARE(Text(list, 0, 0), QString("dyad.A.csv"));
            QCOMPARE(Text(list, 0, 3), QString("30.0003"));
            Drop(&h.window, {kExampleStudy});
            QCOMPARE(list->model()->rowCount(), 2);
            QCOMPARE(Text(list, 1, 1), QString("dyad.A.csv"));
            h.Answer(PromptId::SaveSettingsAtExit, PromptAnswer::Yes);
            QVERIFY(h.window.close());
        }
        WindowHarness h(store.path());
        QCOMPARE(h.Find<QTableView>("lstInputFiles")->model()->rowCount(), 2);
        QCOMPARE(h.Find<QLineEdit>("txtTimeField")->text(), QString("Time"));
    }

    // Select, rename, move, toggle, New, Delete and the dyadic commands on the
    // default list, each with the keyboard, as the list and the editor show them.
    void editsTheDefaultListWithTheKeyboard() {
        WindowHarness h;
        auto* list = h.Find<QTableView>("lstParameterList");
        auto* name = h.Find<QLineEdit>("txtParameterName");
        QCOMPARE(list->model()->rowCount(), 165);
        QTest::keyClick(&h.window, Qt::Key_F4);
        QCOMPARE(h.Find<QTabWidget>("tabControls")->currentIndex(), 2);

        // Select: the editor shows the row the cursor reaches.
        list->setFocus();
        Press(list, Qt::Key_Down, kDistanceHands);
        QCOMPARE(list->currentIndex().row(), kDistanceHands);
        QCOMPARE(name->text(), QString("Distance Hands"));
        QCOMPARE(h.Find<QComboBox>("cmbSubroutine")->currentText(), QString("Distance"));
        QVERIFY(!h.Find<QWidget>("cmdAddVariable")->isEnabled());  // one entry only
        auto* handL = h.Find<QCheckBox>("chkJoints_5");
        QCOMPARE(handL->text(), QString("Hand L"));
        QVERIFY(handL->isChecked() && handL->isEnabled());

        // Rename: every whole entry naming the row follows.
        name->setFocus();
        name->selectAll();
        QTest::keyClicks(name, "Distance Palms");
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(Text(list, kDistanceHands, 0), QString("Distance Palms"));
        QCOMPARE(Text(list, kOpennessUpperExtremities, kVariablesColumn),
                 QString("Distance Elbows,Distance Palms"));

        // Move: down to just above the row that uses it, no further, and back.
        list->setFocus();
        Press(list, Qt::Key_Down, 7, Qt::ControlModifier);
        QCOMPARE(Text(list, kCrossedLegs, 0), QString("Distance Palms"));
        Press(list, Qt::Key_Up, kCrossedLegs - kDistanceHands, Qt::ControlModifier);
        QCOMPARE(Text(list, kDistanceHands, 0), QString("Distance Palms"));
        QCOMPARE(Text(list, kCrossedLegs, 0), QString("Crossed Legs"));

        // Toggle: disabling takes the rows that use it along; enabling it
        // again asks for output and statistics.
        Press(list, Qt::Key_Space);
        QVERIFY(!Enabled(list, kDistanceHands));
        QVERIFY(!Enabled(list, kOpennessUpperExtremities));
        Press(list, Qt::Key_Space);
        QVERIFY(Enabled(list, kDistanceHands));
        QCOMPARE(Text(list, kDistanceHands, kOutputColumn), QString("x"));
        QVERIFY(h.Find<QCheckBox>("chkOutput")->isChecked());
        QVERIFY(h.Find<QWidget>("chkDifference")->isEnabled());

        // New gives the name box the focus; Delete there edits the text only,
        // Delete in the list removes the row.
        Press(list, Qt::Key_N, 1, Qt::ControlModifier);
        QCOMPARE(list->model()->rowCount(), 166);
        QCOMPARE(name->text(), QString("Parameter_1"));
        QVERIFY(name->hasFocus());
        QVERIFY(!h.Find<QWidget>("cmbVariables")->isEnabled());  // no function yet
        name->setCursorPosition(0);
        Press(name, Qt::Key_Delete);
        QCOMPARE(list->model()->rowCount(), 166);
        list->setFocus();
        Press(list, Qt::Key_Delete);
        QCOMPARE(list->model()->rowCount(), 165);

        // Disable Dyad reaches the rows below that use a dyadic row; Enable
        // Dyad enables the dyadic rows only.
        Press(list, Qt::Key_G, 1, Qt::ControlModifier);
        QVERIFY(!Enabled(list, kDyadicMimicryUpperExtremities));
        Press(list, Qt::Key_F, 1, Qt::ControlModifier);
        QVERIFY(Enabled(list, kDyadicMimicryUpperExtremities));
        QVERIFY(!Enabled(list, kDyadicTouchBody));
    }

    // The resizing rules as geometry alone: a control at left 100 (10 %), top 50
    // (10 %), 200 x 40, recorded in a 1000 x 500 form, then placed in a form of
    // another size.
    void resize_data() {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<bool>("fixedHeight");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<ControlBox>("expected");
        const auto row = [](const char* name, const char* tag, bool fixedHeight, int width,
                            int height, ControlBox expected) {
            QTest::newRow(name) << QString(tag) << fixedHeight << width << height << expected;
        };
        row("empty tag scales", "", false, 2000, 1000, {200, 100, 400, 80});
        row("check box keeps its height", "", true, 2000, 1000, {200, 100, 400, 40});
        row("star never moves", "*", false, 2000, 1000, {100, 50, 200, 40});
        row("LLT: bottom follows", "LLT", false, 1200, 700, {100, 50, 200, 240});
        row("right and bottom edges follow", "L-T-", false, 1200, 700, {100, 50, 400, 240});
        row("keeps its distance to the corner", "-L-T", false, 1200, 700, {300, 250, 200, 40});
        row("F leaves top and height", "LL--F", false, 1200, 700, {100, 50, 200, 40});
        row("a negative width is rejected", "L-TT", false, 500, 500, {100, 50, 200, 40});
    }

    void resize() {
        QFETCH(QString, tag);
        QFETCH(bool, fixedHeight);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(ControlBox, expected);
        const ControlBox recorded{100, 50, 200, 40};
        const std::string code = tag.toStdString();
        const ResizeRecord record = RecordControl(code, recorded, 1000, 500);
        const ControlBox box =
            ResizeControl(record, code, fixedHeight ? ControlKind::FixedHeight : ControlKind::Sized,
                          recorded, static_cast<float>(width), static_cast<float>(height));
        const auto rect = [](const ControlBox& b) {
            return QRectF(b.left, b.top, b.width, b.height);
        };
        QCOMPARE(rect(box), rect(expected));
    }

    // The Variables and Target columns share what the other columns leave.
    void variableColumns() {
        const std::array<int, 4> cases[] = {
            {12000, 6000, 3760, 1880}, {9595, 0, 1600, 800}, {10000, 12000, 1600, 800}};
        for (const auto& [width, others, variables, target] : cases) {
            const VariableColumnWidths widths = FitVariableColumns(width, others, 15);
            QCOMPARE(widths.variables, variables);
            QCOMPARE(widths.target, target);
        }
    }

    // In the window alone: the CMU dyad with its time label, the bindings from
    // a file, the default list, the result files; the same study saved and run
    // by the command line writes the same bytes. Then a preview of exchanged hands.
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

        // The preview opened from the data-field page names bindings that put
        // the left hand on the right and the other way round.
        std::swap(h.document.workspace().boundDataFields[kHandL],
                  h.document.workspace().boundDataFields[kHandR]);
        h.document.Changed(StudyDocument::Bindings);
        h.window.SetDialogRunner([](QDialog&) {});
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

    // During a run the controls are disabled but for Info and Cancel, F1 to F4
    // still act, and the window keeps repainting; afterwards all is enabled.
    void theWindowStaysUsableDuringARun() {
        if (!QFile::exists(kCmu + "/cmu18_01.A.txt"))
            QSKIP("the shared CMU recordings are not available");
        WindowHarness h;
        h.LoadExample();
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
    // Closing the window during a run asks to abort first; the question
    // whether to save comes once the run has ended.
    void cancel_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("close");
        QTest::newRow("Yes stops") << int(PromptAnswer::Yes) << false;
        QTest::newRow("No goes on") << int(PromptAnswer::No) << false;
        QTest::newRow("closing stops") << int(PromptAnswer::Yes) << true;
    }
    void cancel() {
        QFETCH(int, answer);
        QFETCH(bool, close);
        WindowHarness h;
        h.LoadExample();
        QFile(h.folder.filePath("Statistics.csv")).open(QIODevice::WriteOnly);
        // The first question of the run (whether to replace the statistics
        // file) is the moment to click Cancel or to close the window.
        bool runningAtSaveQuestion = false;
        h.onQuestion = [&](const PromptMessage& message) {
            if (message.id == PromptId::OverwriteOutputFiles && close)
                h.window.close();
            else if (message.id == PromptId::OverwriteOutputFiles)
                QTest::mouseClick(h.Find("cmdCalculateData"), Qt::LeftButton);
            if (message.id == PromptId::SaveSettingsAtExit)
                runningAtSaveQuestion = h.window.Run().IsRunning();
        };
        h.Answer(PromptId::AbortCalculations, PromptAnswer(answer));
        QVERIFY(h.RunToEnd());
        QCOMPARE(h.Count(PromptId::AbortCalculations), 1);
        const bool stopped = PromptAnswer(answer) == PromptAnswer::Yes;
        QCOMPARE(h.window.Run().LastSummary().completed, !stopped);
        QCOMPARE(h.Count(PromptId::RunFinished), stopped ? 0 : 1);
        QVERIFY(h.Find("cmdCalculateData")->isEnabled());
        QCOMPARE(h.Count(PromptId::SaveSettingsAtExit), close ? 1 : 0);
        QVERIFY(!runningAtSaveQuestion);
        QCOMPARE(h.window.isVisible(), !close);
    }

    // Plot before a run says why there is nothing to plot. A run stopped by
    // an undefined variable takes the user to the data fields, with the row
    // that uses it selected in the parameter list. After a run, the plot
    // window shows the output columns and exports them.
    void plotOfTheSelectedFilesOutput() {
        WindowHarness h;
        h.LoadExample();
        h.window.FilesPage()->SelectRow(0);
        QTest::mouseClick(h.Find("cmdPlot"), Qt::LeftButton);
        QCOMPARE(h.Count(PromptId::PlotNotShown), 1);
        QVERIFY(h.window.findChild<PlotWindow*>() == nullptr);

        std::string& variables = h.document.workspace().parameters[1].variables;
        const std::string defined = variables;
        variables = "Nowhere";
        QVERIFY(h.RunToEnd());
        QCOMPARE(h.Count(PromptId::ParameterDefinitionError), 1);
        QCOMPARE(h.Find<QTabWidget>("tabControls")->currentIndex(), 1);
        QCOMPARE(h.Find<QTableView>("lstParameterList")->currentIndex().row(), 1);
        h.document.workspace().parameters[1].variables = defined;

        h.window.SelectPage(1);
        QVERIFY(h.RunToEnd());
        h.window.FilesPage()->SelectRow(0);
        QTest::mouseClick(h.Find("cmdPlot"), Qt::LeftButton);
        auto* plot = h.window.findChild<PlotWindow*>();
        QVERIFY(plot != nullptr);
        QVERIFY(plot->isVisible());
        QCOMPARE(plot->Chart()->Data().series.size(), 10u);  // five Activation columns, A and B
        const QString svg = h.folder.filePath("plot.svg");
        QString error;
        QVERIFY2(plot->Export(svg, error), qPrintable(error));
        QFile file(svg);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("Translational Magnitude Body (B)"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
