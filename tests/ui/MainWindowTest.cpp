#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QUrl>

#include "WindowHarness.h"
#include "ui/InputFileListModel.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::testing;

namespace {

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

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void showsTheRowsOfALoadedStudy() {
        WindowHarness h;
        h.window.LoadSettingsFile(ExampleStudy());
        auto* list = h.Find<QTableView>("lstInputFiles");
        QCOMPARE(list->model()->rowCount(), 2);
        QCOMPARE(list->model()->columnCount(), 16);
        QCOMPARE(list->model()->index(0, 0).data().toString(), QString("dyad.A.csv"));
        QCOMPARE(list->model()->index(0, 1).data().toString(), QString("dyad.B.csv"));
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
    }

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
        row("F4 page 3", 2, "cmdClearDataFieldsLists", Qt::Key_F4, none, "page3");
        row("F2 page 1", 3, params, Qt::Key_F2, none, "page1");
        row("F5 no files", 1, files, Qt::Key_F5, none, "!cmdCalculateData");
        row("Del file", 1, files, Qt::Key_Delete, none, "cmdRemoveFile");
        row("Del in box", 1, "txtTimeField", Qt::Key_Delete, none, "!cmdRemoveFile");
        row("Ctrl+Del files", 1, files, Qt::Key_Delete, ctrl, "cmdRemoveAllFiles");
        row("Ctrl+A in box", 1, "txtTimeField", Qt::Key_A, ctrl, "cmdApplyToAllFiles");
        row("Ctrl+N add", 1, files, Qt::Key_N, ctrl, "cmdAddFileBrowse");
        row("Ctrl+P partner", 1, files, Qt::Key_P, ctrl, "cmdAssignPartnerFile");
        row("Ctrl+F video", 1, files, Qt::Key_F, ctrl, "cmdSelectAVIFile");
        row("Ctrl+D open", 1, files, Qt::Key_D, ctrl, "cmdOpenDataFiles");
        row("F8 file list", 1, files, Qt::Key_F8, none, "cmdRestoreFileList");
        row("Ctrl+R distances", 1, files, Qt::Key_R, ctrl, "chkDistances:off");
        row("Ctrl+L length", 1, files, Qt::Key_L, ctrl, "optDistancesLength:on");
        row("Ctrl+B browse", 1, files, Qt::Key_B, ctrl, "cmdBrowseFolder");
        row("Ctrl+O load", 2, "cmdClearDataFieldsLists", Qt::Key_O, ctrl, "cmdLoadSettings");
        row("Ctrl+S save", 3, params, Qt::Key_S, ctrl, "cmdSaveSettings");
        row("Del lists", 2, fields, Qt::Key_Delete, none, "cmdClearDataFieldsLists");
        row("Del in name", 2, "txtVariableNames_0", Qt::Key_Delete, none,
            "!cmdClearDataFieldsLists");
        row("Ctrl+Del variables", 2, fields, Qt::Key_Delete, ctrl, "cmdDeleteUserDefinedVariables");
        row("F8 assignments", 2, fields, Qt::Key_F8, none, "cmdRestoreDataFieldAssignments");
        row("F7 reset", 3, params, Qt::Key_F7, none, "cmdResetParameterList");
        row("F8 parameters", 3, params, Qt::Key_F8, none, "cmdRestoreParameterList");
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
    void ctrlShowsTheShortcutCaptions() {
        WindowHarness h;
        auto* info = h.Find<QAbstractButton>("cmdInfo");
        QTest::keyPress(h.Find("lstInputFiles"), Qt::Key_Control, Qt::ControlModifier);
        QCOMPARE(info->text(), QString("Info [F1]"));
        QCOMPARE(h.Find<QAbstractButton>("cmdCalculateData")->text(), QString("Calculate [F5]"));
        QCOMPARE(h.Find<QTabWidget>("tabControls")->tabText(1), QString("Data Fields [F3]"));
        QTest::keyRelease(h.Find("lstInputFiles"), Qt::Key_Control, Qt::NoModifier);
        QCOMPARE(info->text(), QString("Info"));
        QCOMPARE(h.Find<QCheckBox>("chkDistances")->text(), QString("Distances related to"));
    }

    // The warning on entering the parameter page comes once per program run;
    // Yes switches it off for later runs too.
    void parameterPageWarningOncePerProgramRun() {
        WindowHarness h;
        h.Answer(PromptId::ParameterPageWarning, PromptAnswer::Yes);
        h.window.SelectPage(3);
        h.window.SelectPage(1);
        h.window.SelectPage(3);
        QCOMPARE(h.Count(PromptId::ParameterPageWarning), 1);
        QVERIFY(!h.document.workspace().options.showWarning);
        const PromptMessage& warning = h.messages.front();
        QVERIFY(
            QString::fromStdString(warning.text).endsWith("Do you want to disable this message?"));
        QCOMPARE(warning.buttons, PromptButtons::YesNo);
    }

    // Data files dropped onto the list are added; a settings file dropped
    // onto the window is loaded.
    void droppedFilesAreAddedOrLoaded() {
        WindowHarness h;
        h.Find<QLineEdit>("txtTimeField")->setText("Time");
        h.document.workspace().options.timeField = "Time";
        auto* list = h.Find<QTableView>("lstInputFiles");
        Drop(list->viewport(), {QString(KIVO_EXAMPLES_DIR) + "/dyad.A.csv"});
        QCOMPARE(list->model()->rowCount(), 1);
        QCOMPARE(list->model()->index(0, 0).data().toString(), QString("dyad.A.csv"));
        QCOMPARE(list->model()->index(0, 3).data().toString(), QString("30.0003"));

        Drop(&h.window, {ExampleStudy()});
        QCOMPARE(list->model()->rowCount(), 2);
        QCOMPARE(list->model()->index(1, 1).data().toString(), QString("dyad.A.csv"));
    }

    // Leaving asks whether to save: Cancel keeps the window open, No writes
    // nothing, Yes saves the study into the store the next start restores.
    void exitQuestion() {
        QTemporaryDir store;
        const auto filesShown = [](WindowHarness& h) {
            return h.Find<QTableView>("lstInputFiles")->model()->rowCount();
        };
        {
            WindowHarness h(store.path());
            h.window.LoadSettingsFile(ExampleStudy());
            h.Answer(PromptId::SaveSettingsAtExit, PromptAnswer::Cancel);
            QTest::mouseClick(h.Find("cmdExit"), Qt::LeftButton);
            QVERIFY(h.window.isVisible());
            h.Answer(PromptId::SaveSettingsAtExit, PromptAnswer::No);
            QVERIFY(h.window.close());
            QCOMPARE(h.Count(PromptId::SaveSettingsAtExit), 2);
        }
        {
            WindowHarness h(store.path());
            QCOMPARE(filesShown(h), 0);
            h.window.LoadSettingsFile(ExampleStudy());
            h.Answer(PromptId::SaveSettingsAtExit, PromptAnswer::Yes);
            QVERIFY(h.window.close());
        }
        WindowHarness h(store.path());
        QCOMPARE(filesShown(h), 2);
        QCOMPARE(h.Find<QLineEdit>("txtTimeField")->text(), QString("Time"));
    }

    // Save asks before it replaces a settings file, and refuses at once, without
    // asking, a folder or a symbolic link, which stay as they were.
    void saveAsksOnlyAboutARegularFile() {
        QTemporaryDir dir;
        WindowHarness h;
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

    // The text box writes to the file that was selected when it got the
    // focus, and nothing when that file has been removed meanwhile.
    void anOptionBoxWritesOnlyToTheFileItEdits() {
        WindowHarness h;
        h.window.LoadSettingsFile(ExampleStudy());
        auto* skip = h.Find<QLineEdit>("txtSkipLines");
        skip->setFocus();
        QTest::keyClick(skip, Qt::Key_Backspace);
        QTest::keyClicks(skip, "3");
        QCOMPARE(h.Find<QLabel>("lblFrame")->text(), QString("rd Frame"));
        h.Find("lstInputFiles")->setFocus();
        QCOMPARE(h.document.workspace().inputFiles[0][kColUseEvery], std::string("3"));

        skip->setFocus();
        QTest::keyClicks(skip, "2");
        // Ctrl+Delete clears the list while the box still has the focus.
        QTest::keyClick(skip, Qt::Key_Delete, Qt::ControlModifier);
        QVERIFY(h.document.workspace().inputFiles.empty());
        h.Find("lstInputFiles")->setFocus();
        QVERIFY(h.document.workspace().inputFiles.empty());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
