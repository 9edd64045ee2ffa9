// Every control a user operates, in every window and panel, has a name assistive technology reads
// out; the grids give their headings as column headers and each cell's text.

#include "app/accessibility/AllWindows.h"
#include "data/ucYarrowData.h"
#include "widgets/GridView.h"

#include <QAccessibleTableInterface>
#include <QLabel>
#include <QMainWindow>
#include <QMap>

using namespace yarrow;
using namespace yarrow::test;

namespace {

// "frmYarrow: Grid1 (QTableView)" for each interactive control of `root` without a name.
QStringList Unnamed(const QString& window, QWidget* root) {
    QStringList out;
    QList<QWidget*> all = root->findChildren<QWidget*>();
    all.prepend(root);
    for (QWidget* c : all) {
        if (c->window() != root->window() || !IsInteractive(c) || !AccessibleName(c).isEmpty())
            continue;
        out << QString("%1: %2 (%3)").arg(window, c->objectName(), c->metaObject()->className());
    }
    return out;
}

// The Alt letters of what is on screen in `window`, with every letter used twice.
QStringList MnemonicClashes(QWidget* window) {
    QMap<QString, QStringList> owners;
    auto add = [&](const QString& text, const QString& who) {
        const QKeySequence alt = QKeySequence::mnemonic(text);
        if (!alt.isEmpty())
            owners[alt.toString()] << who;
    };
    if (auto* main = qobject_cast<QMainWindow*>(window); main && main->menuWidget())
        for (QAction* a : main->menuBar()->actions())
            add(a->text(), a->text());
    for (QWidget* c : window->findChildren<QWidget*>()) {
        if (!c->isVisible() || c->window() != window)
            continue;
        if (auto* b = qobject_cast<QAbstractButton*>(c))
            add(b->text(), b->objectName());
        else if (auto* l = qobject_cast<QLabel*>(c); l && l->buddy())
            add(l->text(), l->objectName() + " " + l->text());
    }
    QStringList out;
    for (auto it = owners.begin(); it != owners.end(); ++it)
        if (it.value().size() > 1)
            out << it.key() + ": " + it.value().join(", ");
    return out;
}

} // namespace

class tst_AccessibleNames : public QObject {
    Q_OBJECT
private slots:
    void everyControlOfEveryWindowIsNamed() {
        AllWindows all;
        QStringList unnamed;
        int checked = 0;
        auto walk = [&](const QString& name, QWidget* root) {
            unnamed << Unnamed(name, root);
            for (QWidget* c : root->findChildren<QWidget*>())
                checked += c->window() == root->window() && IsInteractive(c);
        };
        // The panels are hidden in turn, so each is walked on its own; the Excel frame too.
        walk("frmYarrow", &all.w);
        walk("ucTCurves", all.Panel("cmdYieldCurve", "ucTCurves1"));
        QTest::mouseClick(Find<QPushButton>(all.w, "cmdOpenWindow"), Qt::LeftButton);
        walk("chart window", all.Window("frmChartFollow"));
        walk("ucTAnalytics", all.Panel("cmdAnalytics", "ucTAnalytics1"));
        QStringList clashes;
        for (const char* button : {"cmdRestart", "cmdYieldCurve", "cmdAnalytics"}) {
            QTest::mouseClick(Find<QPushButton>(all.w, button), Qt::LeftButton);
            clashes << MnemonicClashes(&all.w);
        }
        for (const auto& [action, window] : AllWindows::kWindows) {
            QWidget* w = all.Open(action, window);
            walk(window, w);
            clashes << MnemonicClashes(w);
        }
        QCOMPARE(clashes, QStringList());
        if (!unnamed.isEmpty())
            qWarning().noquote() << "controls without an accessible name:\n  " + unnamed.join("\n  ");
        QCOMPARE(unnamed, QStringList());
        QVERIFY2(checked > 150, qPrintable(QString::number(checked)));

        // Names that say what a control is, where no caption says it.
        const std::pair<const char*, const char*> named[] = {
            {"txtQuoteDate", "Quote Date"}, {"cmbRates", "Data source"}, {"txtLevel", "Nelson-Siegel level"},
            {"txtCFNumFlows", "Number of Cash Flows"}, {"Grid1", "Bond table"}};
        for (const auto& [control, name] : named)
            QCOMPARE(AccessibleName(Find<QWidget>(all.w, control)), QString(name));
    }

    void gridsGiveHeadingsAndCells() {
        AllWindows all;
        // The curves listing reads its headings from its heading row; the data grid, whose heading
        // row is blank, from the headings it was given.
        auto* listing = Find<GridView>(*all.Panel("cmdYieldCurve", "ucTCurves1"), "Grid1");
        auto* data = Find<GridView>(*all.w.DataPanel(), "Grid1");
        for (GridView* grid : {listing, data}) {
            QAccessibleTableInterface* table = QAccessible::queryAccessibleInterface(grid)->tableInterface();
            QVERIFY(table);
            QStringList headings;
            for (int c = 0; c < table->columnCount(); ++c)
                headings << table->columnDescription(c);
            const QString first = QString::fromStdString(grid->Model().TextMatrix(0, 1));
            QCOMPARE(headings.value(1), grid == data ? QString("Name") : first);
            QVERIFY2(headings.contains("Maturity"), qPrintable(headings.join('|')));
            // The first bond's name, as the grid shows it.
            int row = 1;
            while (row < grid->Model().Rows() && grid->Model().TextMatrix(row, 1).empty())
                ++row;
            QAccessibleInterface* cell = table->cellAt(row, 1);
            QVERIFY(cell && !cell->text(QAccessible::Name).isEmpty());
            QCOMPARE(cell->text(QAccessible::Name), QString::fromStdString(grid->Model().TextMatrix(row, 1)));
        }
    }
};

QTEST_MAIN(tst_AccessibleNames)
#include "tst_AccessibleNames.moc"
