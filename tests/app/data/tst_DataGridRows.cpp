// The data grid as a place to type and edit rows, and what "Get Data" (answered No) says about
// the table it builds from them: the failing grid row, and a table ended early by a blank name.

#include "app/support/AppHarness.h"
#include "core/text/RuntimeError.h"
#include "data/ucYarrowData.h"
#include "widgets/GridView.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace yarrow;
using test::AppHarness;
using test::Find;

namespace {

struct Panel {
    AppHarness h;
    ucYarrowData panel{h.context};
    GridView* grid = Find<GridView>(panel, "Grid1");
    QStringList status;

    Panel() {
        QObject::connect(&panel, &ucYarrowData::StatusText, &panel,
                         [this](const QString& s) { status << s; });
        Find<QLineEdit>(panel, "txtQuoteDate")->setText("12/31/2010");
    }
    void SetRows(const std::vector<std::vector<std::string>>& rows) {
        GridModel& g = grid->Model();
        g.SetRows(int(rows.size()) + 2);
        g.SetCols(5);
        for (size_t r = 0; r < rows.size(); ++r)
            for (size_t c = 0; c < rows[r].size(); ++c)
                g.SetTextMatrix(int(r) + 2, int(c) + 1, rows[r][c]);
    }
    void Rebuild() {
        h.dialogs.answers.push_back(false); // "get the data again?" No
        panel.cmdGetData_Click();
    }
};

} // namespace

class TestDataGridRows : public QObject {
    Q_OBJECT
private slots:
    void aNewBondIsTypedIntoTheEmptyRowBelowTheGrid() {
        Panel p;
        GridModel& g = p.grid->Model();
        QCOMPARE(g.Rows(), 2); // what the panel starts with is unchanged
        QCOMPARE(p.grid->model()->rowCount(), 3);
        QCOMPARE(p.grid->model()->columnCount(), 6);
        const char* cells[] = {"2", "0.61", "12/31/2012", "100"};
        for (int c = 1; c <= 4; ++c)
            QVERIFY(p.grid->model()->setData(p.grid->model()->index(2, c), cells[c - 1]));
        QCOMPARE(g.Rows(), 3);
        QCOMPARE(g.TextMatrix(2, 3), std::string("12/31/2012"));
        QCOMPARE(p.grid->model()->rowCount(), 4); // a fresh empty row below it

        p.Rebuild();
        QCOMPARE(p.h.session.nBonds, int16_t(1));
        QCOMPARE(p.h.session.Bond(1).GetName(), std::string("2"));
    }

    void insertAndDeleteRowFromTheContextMenu() {
        Panel p;
        p.SetRows({{"a"}, {"b"}});
        GridModel& g = p.grid->Model();
        auto* insert = p.grid->findChild<QAction*>("mnuInsertRow");
        auto* remove = p.grid->findChild<QAction*>("mnuDeleteRow");
        QVERIFY(insert && remove);
        QVERIFY(p.grid->actions().contains(insert));
        p.grid->setCurrentIndex(p.grid->model()->index(3, 1));
        insert->trigger();
        QCOMPARE(g.Rows(), 5);
        QCOMPARE(g.TextMatrix(3, 1), std::string(""));
        QCOMPARE(g.TextMatrix(4, 1), std::string("b"));
        p.grid->setCurrentIndex(p.grid->model()->index(3, 2));
        g.Select(2, 1, 3, 2);
        remove->trigger();
        QCOMPARE(g.Rows(), 3);
        QCOMPARE(g.TextMatrix(2, 1), std::string("b"));
    }

    void aFailingRowIsNamedInTheStatusBarAndTheReportKeepsItsText() {
        Panel p;
        p.SetRows({{"2", "0.61", "12/31/2012", "100"}, {"5", "2.01", "June 31st", "100"}});
        p.Rebuild();
        QCOMPARE(p.h.dialogs.messages.size(), size_t(1));
        QCOMPARE(p.h.dialogs.messages[0].text, ErrorReportText(RuntimeError::TypeMismatch()));
        QCOMPARE(p.status.last(), QString("Get Data failed: Grid row 3 (5): Type mismatch"));
        QCOMPARE(p.h.session.nBonds, int16_t(1));
    }

    void blankNamesEndTheTableAndSayWhy() {
        // A paste leaves " " in the first cell of its last row: a blank name, not a bond.
        Panel p;
        p.SetRows(
            {{"2", "0.61", "12/31/2012", "100"}, {" ", "", "", ""}, {"10", "3.3", "12/31/2020", "100"}});
        p.Rebuild();
        QVERIFY(p.h.dialogs.messages.empty());
        QCOMPARE(p.h.session.nBonds, int16_t(1));
        QVERIFY2(p.status.last().contains("Row 3 of the grid has no name"), qPrintable(p.status.last()));

        // A grid whose first row is blank has nothing to rebuild: Get Data fetches without asking.
        Panel blank;
        blank.SetRows({{" "}, {"10", "3.3", "12/31/2020", "100"}});
        Find<QComboBox>(blank.panel, "cmbRates")
            ->setCurrentIndex(0); // the Excel source only shows its message
        blank.panel.cmdGetData_Click();
        QVERIFY(blank.h.dialogs.questions.empty());
    }
};

QTEST_MAIN(TestDataGridRows)
#include "tst_DataGridRows.moc"
