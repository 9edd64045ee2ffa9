// The "Excel Link" frame of the data panel against the program's own workbook server: listing the
// sheets of the open workbooks, "Get Data" from a sheet, and an edit made on disk between presses.

#include "app/support/AppHarness.h"
#include "core/data/ExcelLink.h"
#include "core/text/RuntimeError.h"
#include "data/ucYarrowData.h"
#include "widgets/GridView.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace yarrow;
using test::AppHarness;
using test::Find;

namespace {

struct Fixture {
    QTemporaryDir dir;
    AppHarness h;
    ucYarrowData panel{h.context};

    QString Write(const char* name, const QByteArray& text) {
        const QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(text);
        return path;
    }
    void Type(const char* box, const char* text) { Find<QLineEdit>(panel, box)->setText(text); }
    void Click(const char* button) { QTest::mouseClick(Find<QPushButton>(panel, button), Qt::LeftButton); }
    QStringList Sheets() {
        QStringList items;
        auto* combo = Find<QComboBox>(panel, "exlCombo");
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        return items;
    }
    std::string Cell(int r, int c) {
        const GridModel& g = panel.Grid()->Model();
        return r < g.Rows() && c < g.Cols() ? g.TextMatrix(r, c) : std::string("<none>");
    }
};

const QByteArray kQuotes = "Name,Coupon,Maturity,Quote,Yield\n"
                           "2Y Note,0.625,12/31/2012,100.0313,0.61\n"
                           "5Y Note,2.125,12/31/2015,100.5469,2.01\n"
                           "30Y Bond,4.250,11/15/2040,98.1875,4.34\n";

} // namespace

class TestExcelLink : public QObject {
    Q_OBJECT
private slots:
    void findSheetsWithNoneAndWithTwoWorkbooksOpen() {
        Fixture f;
        Find<QComboBox>(f.panel, "cmbRates")->setCurrentIndex(0);
        f.Click("cmdFindSheets");
        QCOMPARE(f.h.dialogs.MessageTexts(), QStringList{kRunExcelMessage});
        QVERIFY(f.Sheets().isEmpty());

        QVERIFY(f.panel.OpenWorkbook(f.Write("first.csv", kQuotes)));
        QVERIFY(f.panel.OpenWorkbook(f.Write("second.csv", "x\n")));
        Find<QComboBox>(f.panel, "exlCombo")->clear();
        f.Click("cmdFindSheets");
        QCOMPARE(f.Sheets(), (QStringList{"[first.csv]first", "[second.csv]second"}));
        QCOMPARE(Find<QComboBox>(f.panel, "exlCombo")->currentIndex(), 0);
        QCOMPARE(f.h.session.RowLetter, std::string("R"));

        // A file that is no workbook is refused and changes nothing.
        QVERIFY(!f.panel.OpenWorkbook(f.Write("broken.xlsx", "PK\x03\x04 not really")));
        QCOMPARE(f.h.dialogs.messages.back().text.rfind("broken.xlsx cannot be read", 0), size_t(0));
        QCOMPARE(f.panel.Workbooks().OpenBooks(), (QStringList{"first.csv", "second.csv"}));

        // Closing the chosen sheet's workbook takes its sheets off the list.
        QVERIFY(f.panel.CloseWorkbook());
        QCOMPARE(f.Sheets(), QStringList{"[second.csv]second"});
        QVERIFY(f.panel.CloseWorkbook());
        QVERIFY(f.Sheets().isEmpty());
        QVERIFY(!f.panel.CloseWorkbook());
        QVERIFY(f.h.dialogs.unscripted.empty());
    }

    void getDataFillsTheGridAndFollowsAnEditOnDisk() {
        Fixture f;
        const QString path = f.Write("quotes.csv", kQuotes);
        QVERIFY(f.panel.OpenWorkbook(path));
        QCOMPARE(Find<QComboBox>(f.panel, "cmbRates")->currentIndex(), 0);
        for (auto [box, text] : {std::pair{"txtNameCol", "a"},
                                 {"txtCouponCol", "B"},
                                 {"txtMaturityCol", "3"},
                                 {"txtQuoteCol", "D"},
                                 {"txtYieldCol", "E"},
                                 {"txtStartRow", "2"},
                                 {"txtEndRow", "4"}})
            f.Type(box, text);
        f.Click("cmdGetData");
        QCOMPARE(f.panel.Grid()->Model().Rows(), 5);
        QCOMPARE(f.panel.Grid()->Model().Cols(), 6);
        QCOMPARE(f.Cell(1, 1), std::string("Name"));
        QCOMPARE(f.Cell(2, 1), std::string("2Y Note"));
        QCOMPARE(f.Cell(4, 3), std::string("11/15/2040"));
        QCOMPARE(f.Cell(3, 5), std::string("2.01"));
        QCOMPARE(f.h.session.nBonds, int16_t(3));
        QCOMPARE(f.h.session.Bond(3).GetCoupon(), 0.0425f);

        // The student edits the sheet and presses Get Data again.
        QByteArray edited = kQuotes;
        edited.replace("98.1875", "97.5,extra");
        f.Write("quotes.csv", edited);
        f.h.dialogs.answers = {true}; // get the data again
        f.Click("cmdGetData");
        QCOMPARE(f.Cell(4, 4), std::string("97.5"));
        QCOMPARE(f.h.session.nBonds, int16_t(3));

        // Rows the wrong way round: reported, and the grid keeps what it had.
        f.Type("txtStartRow", "4");
        f.Type("txtEndRow", "2");
        f.h.dialogs.answers = {true};
        f.Click("cmdGetData");
        QCOMPARE(f.h.dialogs.messages.back().text, ErrorReportText(RuntimeError::InvalidPropertyValue()));
        QCOMPARE(f.Cell(4, 4), std::string("97.5"));
        QVERIFY(f.h.dialogs.unscripted.empty());
    }
};

QTEST_MAIN(TestExcelLink)
#include "tst_ExcelLink.moc"
