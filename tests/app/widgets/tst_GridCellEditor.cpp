// The grid cell editor's options in the combinations the panels' own tests do not reach: a typed
// row below the grid, a refused entry in the line editor, Enter moving on when typing in the
// cell, and Delete over a selection that takes in the headings.

#include "widgets/GridCellEditor.h"
#include "widgets/GridView.h"

#include <QApplication>
#include <QtTest>

using namespace yarrow;

namespace {

// Rows joined by '/', cells by ','.
std::string GridText(const GridModel& g) {
    std::string text;
    for (int r = 0; r < g.Rows(); ++r) {
        text += r ? "/" : "";
        for (int c = 0; c < g.Cols(); ++c)
            text += (c ? "," : "") + g.TextMatrix(r, c);
    }
    return text;
}

} // namespace

class TestGridCellEditor : public QObject {
    Q_OBJECT
private slots:
    void optionsTogether() {
        struct Case {
            const char* name;
            bool spreadsheetKeys, typeInCell, numbersOnly, typingRow;
            int row, col, rowSel, colSel; // the selection the keys start from
            const char* keys;             // '\n' Enter, '\x7f' Delete
            const char* grid;
            int refusals;
            int currentRow; // -1: not checked
        } cases[] = {
            {"a row typed below the grid grows it", false, false, false, true, 3, 1, 3, 1, "7\n",
             "A,B/1,2/3,4/,7", 0, -1},
            {"the line editor refuses a word", false, false, true, false, 1, 1, 1, 1, "x\n", "A,B/1,2/3,4", 1,
             1},
            {"and takes a number", false, false, true, false, 1, 1, 1, 1, "9\n", "A,B/1,9/3,4", 0, 1},
            {"Enter moves down after typing in the cell", true, true, true, false, 1, 0, 1, 0, "5\n",
             "A,B/5,2/3,4", 0, 2},
            {"a refused word stays put", true, true, true, false, 1, 0, 1, 0, "x\n", "A,B/x,2/3,4", 1, 1},
            {"Delete keeps the headings", false, true, false, false, 2, 1, 0, 0, "\x7f", "A,B/,/,", 0, -1},
        };
        for (const Case& k : cases) {
            GridView view;
            GridModel& g = view.Model();
            g.SetRows(3);
            g.SetCols(2);
            g.SetFixedCols(0);
            g.Select(0, 0, 2, 1);
            g.SetClip("A\tB\r1\t2\r3\t4");
            if (k.typingRow)
                view.SetRowTyping(true, 2);
            int refusals = 0;
            GridCellEditor::Options options{
                .spreadsheetKeys = k.spreadsheetKeys, .typeInCell = k.typeInCell, .accepts = {}};
            if (k.numbersOnly)
                options.accepts = [&refusals](const std::string& text) {
                    const bool digits = text.find_first_not_of("0123456789") == std::string::npos;
                    refusals += digits ? 0 : 1;
                    return digits;
                };
            view.CellEditor()->SetOptions(options);
            view.show();
            view.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&view));
            view.setFocus();
            if (k.typingRow)
                view.setCurrentIndex(view.model()->index(k.row, k.col));
            else
                g.Select(k.row, k.col, k.rowSel, k.colSel);
            // Key by key to whatever has the focus: the first key may open a line editor.
            for (const char* c = k.keys; *c; ++c) {
                QWidget* target = QApplication::focusWidget();
                if (*c == '\n')
                    QTest::keyClick(target, Qt::Key_Return);
                else if (*c == '\x7f')
                    QTest::keyClick(target, Qt::Key_Delete);
                else
                    QTest::keyClick(target, *c);
            }
            QCoreApplication::processEvents(); // the line editor commits Enter by a queued call
            const std::string grid = GridText(g);
            QVERIFY2(grid == k.grid, qPrintable(QString("%1: %2").arg(k.name, grid.c_str())));
            QVERIFY2(refusals == k.refusals, k.name);
            if (k.currentRow >= 0)
                QVERIFY2(view.currentIndex().row() == k.currentRow, k.name);
        }
    }
};

QTEST_MAIN(TestGridCellEditor)
#include "tst_GridCellEditor.moc"
