#include <QTest>

#include "ui/FormGeometry.h"

using namespace kivo::ui;

Q_DECLARE_METATYPE(ControlBox)

// The resizing rules as geometry alone: a control at left 100 (10 %), top 50
// (10 %), 200 x 40, recorded in a 1000 x 500 form, then placed in a form of
// another size.
class FormGeometryTest : public QObject {
    Q_OBJECT

  private slots:
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
        QCOMPARE(box.left, expected.left);
        QCOMPARE(box.top, expected.top);
        QCOMPARE(box.width, expected.width);
        QCOMPARE(box.height, expected.height);
    }

    // The Variables and Target columns share what the other columns leave.
    void variableColumns() {
        const VariableColumnWidths wide = FitVariableColumns(12000, 6000, 15);
        QCOMPARE(wide.variables, 3760);
        QCOMPARE(wide.target, 1880);
        const VariableColumnWidths narrow = FitVariableColumns(9595, 0, 15);
        QCOMPARE(narrow.variables, 1600);
        QCOMPARE(narrow.target, 800);
        const VariableColumnWidths crowded = FitVariableColumns(10000, 12000, 15);
        QCOMPARE(crowded.variables, 1600);
        QCOMPARE(crowded.target, 800);
    }
};

QTEST_MAIN(FormGeometryTest)
#include "FormGeometryTest.moc"
