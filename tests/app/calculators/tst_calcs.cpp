// The calculators window driven by its controls' names: the load, the keypad by clicks and keys,
// the date and rate panels, the present-value grid's editor and the copy buttons.

#include "app/support/AppHarness.h"
#include "widgets/GridCellEditor.h"
#include "calculators/calcs.h"
#include "core/calculators/DateRule.h"
#include "widgets/GridView.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QtTest>

using namespace yarrow;
using test::AppHarness;
using test::Find;

namespace {

struct Window {
    AppHarness h;
    calcs w{h.context};
    Window() {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }
    QString Text(const char* name) {
        if (auto* l = w.findChild<QLabel*>(name))
            return l->text();
        return Find<QLineEdit>(w, name)->text();
    }
    void Set(const char* name, const QString& text) { Find<QLineEdit>(w, name)->setText(text); }
    void Click(const char* name) { QTest::mouseClick(Find<QPushButton>(w, name), Qt::LeftButton); }
    // On the button's circle: a radio button answers only over its circle and caption.
    void Choose(const QString& name) {
        QRadioButton* option = Find<QRadioButton>(w, qPrintable(name));
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
    }
    QString Clip() const { return QString::fromStdString(h.clipboard.content.value_or("<none>")); }
    QString LastMessage() const {
        return h.dialogs.messages.empty() ? QString()
                                          : QString::fromStdString(h.dialogs.messages.back().text);
    }
};

} // namespace

class tst_calcs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void loadSetsEveryPanel() {
        Window win;
        QCOMPARE(win.w.windowTitle(), QString("QAL Calculators"));
        QCOMPARE(win.Text("Readout"), QString("0."));
        QCOMPARE(Find<QPushButton>(win.w, "bDecimal")->text(), QString("."));
        const QString today = QString::fromStdString(FormatDate(Today(), "mm/dd/yyyy"));
        QCOMPARE(win.Text("Text2_0"), today);
        QCOMPARE(win.Text("Text2_2"), today);
        QCOMPARE(win.Text("Text2_1"), QString());
        QCOMPARE(Find<QComboBox>(win.w, "Combo1_0")->currentText(), QString("Saturday"));
        QCOMPARE(Find<QComboBox>(win.w, "Combo1_1")->currentText(), QString("after"));
        QCOMPARE(Find<QComboBox>(win.w, "Combo1_2")->currentText(), QString("Friday"));
        QCOMPARE(Find<QComboBox>(win.w, "Combo1_3")->currentIndex(), Month(Today()) - 1);
        QCOMPARE(win.Text("tDate"), QString::number(Year(Today())));
        // The date panel pressed Calculate once: the default rule for this month.
        test::ScriptedDialogs none;
        const auto rule = DateRule(DefaultDateRule(Today()), none);
        QVERIFY(rule);
        QCOMPARE(win.Text("cxDate"), QString::fromStdString(ShortDate(*rule, DateOrder::MonthFirst)));
        const GridModel& grid = win.w.PresentValueGrid()->Model();
        QCOMPARE(grid.Rows(), 25);
        QCOMPARE(
            QString::fromStdString(grid.TextMatrix(0, 0) + grid.TextMatrix(0, 1) + grid.TextMatrix(0, 2)),
            QString("TimeYieldAmount"));
        QCOMPARE(win.Text("matlab"), QString("Maturity:"));
        QCOMPARE(win.Text("tblab"), QString("Interest Rate"));
        QCOMPARE(win.Text("pvlab"), QString());
        QCOMPARE(win.Text("Label1_6"), QString("Logarithm"));
        QVERIFY(Find<QRadioButton>(win.w, "irtyp_0")->isChecked());
        QVERIFY(Find<QRadioButton>(win.w, "lgtyp_0")->isChecked());
        QVERIFY(win.h.dialogs.messages.empty());
        const QRect area = win.w.screen()->availableGeometry();
        QVERIFY(qAbs(win.w.x() + win.w.width() / 2 - area.center().x()) <= 1);
    }

    // The year box shows four digits at every font size the display settings give it.
    void yearBoxFitsFourDigits() {
        Window win;
        auto* box = Find<QLineEdit>(win.w, "tDate");
        for (int points : {8, 12, 20}) {
            QFont f = box->font();
            f.setPointSize(points);
            box->setFont(f);
            QApplication::processEvents();
            const int digits = box->fontMetrics().horizontalAdvance(QStringLiteral("0000"));
            QStyleOptionFrame option;
            option.initFrom(box);
            const QRect text = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
            QVERIFY2(text.width() - 4 >= digits,
                     qPrintable(QString("%1 pt: %2 px for %3").arg(points).arg(text.width()).arg(digits)));
        }
    }

    void keypadByClicksAndKeys() {
        Window win;
        for (const char* name : {"Number_7", "Operator_0", "Number_0", "Operator_4"})
            win.Click(name);
        QCOMPARE(win.Text("Readout"), QString("7."));
        QCOMPARE(win.h.dialogs.messages.size(), size_t(1));
        QCOMPARE(win.h.dialogs.messages[0].text, std::string("Can't divide by zero"));
        QCOMPARE(win.h.dialogs.messages[0].title, std::string("Calculator"));
        QVERIFY(win.h.dialogs.messages[0].icon == MessageIcon::Exclamation);

        struct {
            const char* typed;
            int lastKey;
            const char* display;
        } keys[] = {{"2+3", Qt::Key_Return, "5"},  {"*4=", 0, "20"},
                    {"12.5", 0, "12.5"},           {"", Qt::Key_Escape, "0."},
                    {"9--4", Qt::Key_Enter, "13"}, {"50*10%=", 0, "5"},
                    {"8-2", Qt::Key_Delete, "0."}, {"3=", 0, "5"}};
        QWidget* pad = Find<QWidget>(win.w, "Panel3D1_0");
        for (const auto& k : keys) {
            QTest::keyClicks(pad, k.typed);
            if (k.lastKey)
                QTest::keyClick(pad, Qt::Key(k.lastKey));
            QCOMPARE(win.Text("Readout"), QString(k.display));
        }
        QTest::keyClick(pad, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(win.Clip(), QString("5"));
        win.h.clipboard.content = "42.5\r\n"; // a spreadsheet cell
        win.Click("pst");
        QCOMPARE(win.Text("Readout"), QString("42.5"));
        // Keys typed into a text box stay there.
        QTest::keyClick(Find<QLineEdit>(win.w, "tDate"), Qt::Key_Return);
        QTest::keyClick(Find<QLineEdit>(win.w, "tDate"), Qt::Key_Escape);
        QCOMPARE(win.Text("Readout"), QString("42.5"));
        win.Click("Cancel");
        QCOMPARE(win.Text("Readout"), QString("0."));
        QCOMPARE(win.w.Pad().pendingOp(), std::string(" "));
    }

    void datePanels() {
        Window win;
        Find<QComboBox>(win.w, "Combo1_0")->setCurrentIndex(4);
        Find<QComboBox>(win.w, "Combo1_1")->setCurrentIndex(0);
        Find<QComboBox>(win.w, "Combo1_3")->setCurrentIndex(0);
        win.Set("tDate", "27");
        win.Click("calcDate");
        QCOMPARE(win.Text("cxDate"), QString("1/14/2027"));
        win.Click("cpDate");
        QCOMPARE(win.Clip(), QString("1/14/2027"));
        win.Click("tfrDate");
        QCOMPARE(win.Text("Text2_1"), QString("1/14/2027"));

        win.Set("tDate", "next");
        win.Click("calcDate");
        QCOMPARE(win.LastMessage(), QString("Invalid year"));
        QCOMPARE(win.Text("cxDate"), QString("1/14/2027"));

        win.Click("dtrans"); // before any conversion: the empty text
        QCOMPARE(win.Clip(), QString());
        win.Set("Text2_0", "01/01/2027");
        win.Set("Text2_1", "91");
        win.Click("dateok_0");
        QCOMPARE(win.Text("Text2_1"), QString("04/02/2027"));
        QCOMPARE(win.Text("matlab"), QString("Maturity: 0.24931507"));
        win.Click("clrdate");
        QCOMPARE(win.Text("matlab") + win.Text("Text2_0") + win.Text("Text2_1"), QString("Maturity: "));
        win.Click("dtrans");
        QCOMPARE(win.Clip(), QString("0.24931507"));
        win.Click("dateok_0");
        QCOMPARE(win.LastMessage(), QString("Please enter both dates"));
        QCOMPARE(win.h.dialogs.messages.back().title, std::string("Vantorix"));
    }

    void ratePanelOptionsAndConversions() {
        Window win;
        const char* labels[4][3] = {{"Maturity", "1", "T-Bill"},
                                    {"Maturity", "1", "LIBOR"},
                                    {"Maturity", "1", "Price"},
                                    {"Frequency", "0", "Rate"}};
        win.Set("Text2_3", "90");
        for (int k : {3, 0, 1, 2}) {
            QVERIFY(!Find<QRadioButton>(win.w, qPrintable(QString("irtyp_%1").arg(k)))->toolTip().isEmpty());
            win.Choose(QString("irtyp_%1").arg(k));
            QCOMPARE(win.Text("Label1_2"), QString(labels[k][0]));
            QCOMPARE(Find<QLabel>(win.w, "Label1_3")->isEnabled(), labels[k][1][0] == '1');
            QCOMPARE(win.Text("Label1_4"), QString(labels[k][2]));
        }
        QCOMPARE(win.Text("Text2_3"), QString()); // Discrete emptied it
        QCOMPARE(Find<QRadioButton>(win.w, "irtyp_2")->toolTip(),
                 QString("Select to determine the continuously compounded interest rate from a zero coupon "
                         "bond price"));

        win.Choose("irtyp_0");
        win.Set("Text2_2", "01/01/2027");
        win.Set("Text2_3", "90");
        win.Set("tdisc", "4.5");
        QTest::keyClick(Find<QLineEdit>(win.w, "tdisc"), Qt::Key_Return);
        QCOMPARE(win.Text("tblab"), QString("Interest Rate: 0.0458836"));
        QCOMPARE(win.Text("Text2_3"), QString("04/01/2027"));

        win.Choose("irtyp_3");
        win.Set("Text2_3", "2");
        win.Set("tdisc", "0.045");
        win.Click("btrans");
        QCOMPARE(win.Clip(), QString("0.0445012"));
        QCOMPARE(win.Text("Text2_3"), QString("2"));
        win.Set("tdisc", "-1");
        win.Click("btrans"); // refused: the clipboard keeps the last good rate
        QCOMPARE(win.LastMessage(),
                 QString("Invalid interest rate, please enter a positive decimal, e.g. 0.045"));
        QCOMPARE(win.Clip(), QString("0.0445012"));
        QCOMPARE(win.Text("tblab"), QString("Interest Rate: 0.0445012"));
        win.Click("clrRate");
        QCOMPARE(win.Text("tblab") + win.Text("Text2_2") + win.Text("Text2_3") + win.Text("tdisc"),
                 QString("Interest Rate: "));
    }

    void presentValueGridEditor() {
        Window win;
        GridView* grid = win.w.PresentValueGrid();
        GridModel& m = grid->Model();
        auto cell = [&](int r, int c) { return QString::fromStdString(m.TextMatrix(r, c)); };
        m.Select(1, 0, 1, 0);
        QCOMPARE(win.w.CellEditor()->editRow(), 1);
        // Enter and arrows commit; the arrow then moves on.
        QTest::keyClicks(grid, "1");
        QTest::keyClick(grid, Qt::Key_Right);
        QTest::keyClicks(grid, "0.05");
        QTest::keyClick(grid, Qt::Key_Right);
        QTest::keyClicks(grid, "1000");
        QTest::keyClick(grid, Qt::Key_Backspace);
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(cell(1, 0) + "|" + cell(1, 1) + "|" + cell(1, 2), QString("1|0.05|100"));
        // Escape puts back what the cell held when it was entered.
        QTest::keyClick(grid, Qt::Key_Left);
        QTest::keyClick(grid, Qt::Key_Right);
        QTest::keyClicks(grid, "77");
        QCOMPARE(cell(1, 2), QString("77"));
        QTest::keyClick(grid, Qt::Key_Escape);
        QCOMPARE(cell(1, 2), QString("100"));
        // A word is refused on Enter, in every column, and on an arrow, which then stays put.
        m.Select(2, 1, 2, 1);
        QTest::keyClicks(grid, "five");
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(win.LastMessage(), QString("Non-Numeric Data Entry"));
        QCOMPARE(win.h.dialogs.messages.back().title, std::string("Error"));
        QTest::keyClick(grid, Qt::Key_Down);
        QCOMPARE(win.h.dialogs.messages.size(), size_t(2));
        QCOMPARE(m.Row(), 2);
        QTest::keyClick(grid, Qt::Key_Escape);
        m.SetTextMatrix(2, 0, "2");
        m.SetTextMatrix(2, 1, "5");
        m.SetTextMatrix(2, 2, "100");
        win.Click("pvcalc");
        QCOMPARE(win.Text("pvlab"), QString("185.606689"));
        win.Click("pvcpy");
        QCOMPARE(win.Clip(), QString("185.606689"));
        m.SetTextMatrix(3, 2, "lots");
        win.Click("pvcalc");
        QCOMPARE(win.LastMessage(), QString("Non-numeric entry in table"));
        QCOMPARE(win.Text("pvlab"), QString("185.606689"));
        // Delete empties the selection.
        m.Select(1, 0, 2, 1);
        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(cell(1, 0) + cell(1, 1) + cell(2, 0) + cell(2, 1) + cell(1, 2), QString("100"));
        win.Click("clrPV");
        QCOMPARE(cell(1, 2) + cell(3, 2) + win.Text("pvlab"), QString());
        QCOMPARE(cell(0, 2), QString("Amount"));
    }

    void logsAndExponentials() {
        Window win;
        win.Set("lgexpTxt", "10");
        win.Click("logcalc");
        QCOMPARE(win.Text("lgCap"), QString("2.30258509"));
        win.Choose("lgtyp_1");
        QCOMPARE(win.Text("Label1_6"), QString("Exponential"));
        QCOMPARE(win.Text("lgCap"), QString("2.30258509"));
        win.Set("lgexpTxt", "1");
        win.Click("logcalc");
        QCOMPARE(win.Text("lgCap"), QString("2.71828183"));
        win.Click("lgcopy");
        QCOMPARE(win.Clip(), QString("2.71828183"));
        win.Set("lgexpTxt", "e");
        win.Click("logcalc");
        QCOMPARE(win.LastMessage(), QString("Invalid number"));
        QCOMPARE(win.Text("lgCap"), QString("2.71828183"));
    }
};

QTEST_MAIN(tst_calcs)
#include "tst_calcs.moc"
