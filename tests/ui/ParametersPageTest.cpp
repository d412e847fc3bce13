#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>

#include "WindowHarness.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::testing;

namespace {

// Rows of the default list, counted from 0.
constexpr int kDistanceHands = 106;
constexpr int kCrossedLegs = 112;
constexpr int kOpennessUpperExtremities = 113;
constexpr int kDyadicMimicryUpperExtremities = 121;
constexpr int kDyadicTouchBody = 133;

constexpr int kVariablesColumn = 2;
constexpr int kOutputColumn = 5;

}  // namespace

class ParametersPageTest : public QObject {
    Q_OBJECT

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

  private slots:
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
        QVERIFY(!Enabled(list, kOpennessUpperExtremities));
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
        QVERIFY(!Enabled(list, kDyadicTouchBody));
        QVERIFY(Enabled(list, kDistanceHands));
        Press(list, Qt::Key_F, 1, Qt::ControlModifier);
        QVERIFY(Enabled(list, kDyadicMimicryUpperExtremities));
        QVERIFY(!Enabled(list, kDyadicTouchBody));
    }

    // A run stopped by an undefined variable takes the user to the data fields,
    // with the row that uses it selected in the parameter list.
    void anUndefinedVariableLeadsToTheDataFields() {
        WindowHarness h;
        h.window.LoadSettingsFile(ExampleStudy());
        QTemporaryDir output;
        h.dialogs->folder = output.path();
        QTest::mouseClick(h.Find("cmdBrowseFolder"), Qt::LeftButton);
        h.document.workspace().parameters[1].variables = "Nowhere";
        QVERIFY(h.RunToEnd());
        QCOMPARE(h.Count(PromptId::ParameterDefinitionError), 1);
        QCOMPARE(h.Find<QTabWidget>("tabControls")->currentIndex(), 1);
        QCOMPARE(h.Find<QTableView>("lstParameterList")->currentIndex().row(), 1);
    }
};

QTEST_MAIN(ParametersPageTest)
#include "ParametersPageTest.moc"
