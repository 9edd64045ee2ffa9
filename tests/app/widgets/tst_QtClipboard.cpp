// The real clipboard between this program's grids and other programs, which end lines in LF.

#include "app/support/AppHarness.h"
#include "core/grid/GridText.h"
#include "widgets/QtClipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QtTest>

using namespace yarrow;

class TestQtClipboard : public QObject {
    Q_OBJECT
private slots:
    void rowsFromAnotherProgramStayRows() {
        QtClipboard clipboard;
        test::ScriptedDialogs dialogs;
        GridModel grid(5, 5, 1, 1);
        grid.Select(2, 1, 4, 4);
        QGuiApplication::clipboard()->setText("3TD\t0\t3/31/2011\t0.12\n2\t0.6\t12/31/2012\t100\n");

        PasteToGridSelection(grid, clipboard, dialogs);

        QVERIFY(dialogs.messages.empty());
        QCOMPARE(grid.TextMatrix(2, 1), std::string("3TD"));
        QCOMPARE(grid.TextMatrix(2, 4), std::string("0.12"));
        QCOMPARE(grid.TextMatrix(3, 1), std::string(" 2"));
        QCOMPARE(grid.TextMatrix(3, 4), std::string("100"));
        QCOMPARE(grid.TextMatrix(4, 1), std::string(" "));
    }

    void copiedRowsLeaveWithLineFeeds() {
        QtClipboard clipboard;
        test::ScriptedDialogs dialogs;
        GridModel grid(3, 3, 1, 1);
        grid.SetTextMatrix(1, 1, "a");
        grid.SetTextMatrix(1, 2, "b");
        grid.SetTextMatrix(2, 1, "c");
        grid.SetTextMatrix(2, 2, "d");
        grid.Select(1, 1, 2, 2);

        CopyGridSelection(grid, clipboard, dialogs);

        QCOMPARE(QGuiApplication::clipboard()->text(), QString("a\tb\nc\td"));
        QCOMPARE(clipboard.GetText().value_or(""), std::string("a\tb\r\nc\td"));
    }
};

QTEST_MAIN(TestQtClipboard)
#include "tst_QtClipboard.moc"
