#include "core/draw/Chart.h"
#include "lessons/frmFactors.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QtTest>

using namespace yarrow;

namespace {

std::vector<std::string> Classes(const Chart& chart) {
    std::vector<std::string> classes;
    for (const ChartSeries& s : chart.series)
        if (!s.points.empty())
            classes.push_back(s.cssClass);
    return classes;
}

} // namespace

// The menu item opens one window; its pictures and tables follow the span, and a choice that
// cannot be computed says why and leaves the pictures and tables empty.
class tst_frmFactors : public QObject {
    Q_OBJECT
private slots:
    void menuOpensOneWindowThatRecomputes() {
        QWidget owner;
        QMenu lessons;
        QAction* item = frmFactors::AddToMenu(&lessons, &owner);
        QCOMPARE(item->text(), QString("&Factors..."));
        item->trigger();
        item->trigger();
        const auto windows = owner.findChildren<frmFactors*>();
        QCOMPARE(windows.size(), 1);
        frmFactors& w = *windows.front();
        QVERIFY(w.isVisible());

        // Opens on 1982 to the history's end, monthly.
        QCOMPARE(w.Status(), QString());
        QCOMPARE(w.TableText(1).count('\n'), 1 + 523);
        QCOMPARE(Classes(w.PictureChart(frmFactors::kLoadings)), (std::vector<std::string>{"pc1", "pc2", "pc3"}));
        QCOMPARE(w.PictureChart(frmFactors::kExplained).bands.size(), size_t{8});
        QCOMPARE(Classes(w.PictureChart(frmFactors::kSlope)), (std::vector<std::string>{"proxy", "slope"}));

        w.SetSpan(MakeDate(1984, 1, 1), MakeDate(1988, 6, 30), FactorStep::Daily);
        const QStringList loadings = w.TableText(0).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(loadings.size(), 1 + 8 + 1);
        QCOMPARE(loadings.front(), QString("Series\tPC1\tPC2\tPC3"));
        QVERIFY2(loadings.back().startsWith("Explained %\t82.2"), qPrintable(loadings.back()));

        w.findChild<QLineEdit*>("txtLambda")->setText("-1");
        emit w.findChild<QLineEdit*>("txtLambda")->editingFinished();
        QVERIFY2(w.Status().contains("Lambda must be a positive number."), qPrintable(w.Status()));
        QVERIFY(Classes(w.PictureChart(frmFactors::kLevel)).empty());
        QCOMPARE(w.TableText(1).count('\n'), 1);

        for (int s = 2; s < 8; ++s)
            w.findChild<QCheckBox*>(QString("chkSeries_%1").arg(s))->setChecked(false);
        QVERIFY2(w.Status().contains("at least 3 series"), qPrintable(w.Status()));
        QVERIFY(Classes(w.PictureChart(frmFactors::kLoadings)).empty());
        QCOMPARE(w.TableText(0).count('\n'), 1);
    }
};

QTEST_MAIN(tst_frmFactors)
#include "tst_frmFactors.moc"
