// The curves panel driven by its controls' names: the listing, the three curve plots, the
// Nelson-Siegel model and fit, the spline and its copy, the grid keys, the display sizes and the
// picture box's export. What was drawn is read from the picture box's display list.

#include "app/support/AppHarness.h"
#include "core/curves/CurvesListing.h"
#include "core/curves/Interpolation.h"
#include "core/data/qalBondData.h"
#include "core/draw/PlotFrame.h"
#include "core/draw/PlotSvg.h"
#include "core/text/NumberText.h"
#include "curves/ucTCurves.h"
#include "io/plot/PlotPainter.h"
#include "base/AppContext.h"
#include "widgets/GridView.h"
#include "widgets/PictureBox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QSignalSpy>
#include <QtTest>
#include <array>

using namespace yarrow;
using test::AppHarness;
using test::Find;

namespace {

using Rows = std::vector<std::array<std::string, 4>>;

// Par bonds seen from 12/31/2010; 12/30/2013 is exactly 3 years on, 12/28/2020 exactly 10.
const Rows kTenYears = {{"1", "0.3", "12/31/2011", "100"}, {"2", "0.6", "12/31/2012", "100"},
                        {"3", "1.0", "12/30/2013", "100"}, {"5", "2.0", "12/31/2015", "100"},
                        {"7", "2.7", "12/31/2017", "100"}, {"10", "3.3", "12/28/2020", "100"}};

void LoadRows(Session& session, const Rows& rows, const std::string& date = "12/31/2010") {
    GridModel grid(static_cast<int>(rows.size()) + 2, 6, 1, 1);
    for (size_t i = 0; i < rows.size(); ++i)
        for (int c = 0; c < 4; ++c)
            grid.SetTextMatrix(static_cast<int>(i) + 2, c + 1, rows[i][static_cast<size_t>(c)]);
    BuildBondTable(session, grid, date);
}

// The zero curve of the rows in one compounding, computed without the panel.
std::vector<float> ZeroRates(const Rows& rows, int16_t compFreq) {
    Session s;
    LoadRows(s, rows);
    GridModel listing;
    FillCurvesListing(s, listing);
    ComputeCurve(s, listing, CurveType::Zero, compFreq);
    return {s.ZeroYields.raw().begin() + 1, s.ZeroYields.raw().end()};
}

struct Panel {
    AppHarness h;
    std::unique_ptr<ucTCurves> p;
    explicit Panel(const Rows& rows) {
        LoadRows(h.session, rows);
        p = std::make_unique<ucTCurves>(h.context);
        p->show();
        QVERIFY(QTest::qWaitForWindowExposed(p.get()));
        p->Initialize();
    }
    // Option buttons answer a click on their mark or caption only, so they are clicked at the mark.
    void Click(const char* name) {
        auto* b = Find<QAbstractButton>(*p, name);
        const bool option = qobject_cast<QRadioButton*>(b) != nullptr;
        QTest::mouseClick(b, Qt::LeftButton, {}, option ? QPoint(6, b->height() / 2) : QPoint());
    }
    QLineEdit* Box(const char* name) { return Find<QLineEdit>(*p, name); }
    const std::vector<DisplayList::Line>& Lines() { return p->Picture()->Plot().Lines(); }
    const DisplayList::Line& Last() { return Lines().back(); }
    std::string Cell(int r, int c) { return p->Grid()->Model().TextMatrix(r, c); }
    QStringList Messages() { return h.dialogs.MessageTexts(); }
};

} // namespace

class tst_ucTCurves : public QObject {
    Q_OBJECT
private slots:
    void creationDefaultsAndListing() {
        Panel t(kTenYears);
        QCOMPARE(Find<QComboBox>(*t.p, "cmbInterpolate")->currentText(), QString("Monthly"));
        QCOMPARE(Find<QComboBox>(*t.p, "cmbFreq")->currentText(), QString("Continuous"));
        QCOMPARE(t.p->CompFreq(), int16_t(-1));
        QCOMPARE(t.p->ActiveBox(), t.Box("txtLevel"));
        QCOMPARE(t.h.context.ActiveGrid, t.p->Grid());
        QCOMPARE(t.Box("txtLevel")->text() + t.Box("txtSlope")->text() + t.Box("txtCurve")->text(),
                 QString(".068-.04.005"));
        QCOMPARE(t.p->Grid()->Model().Rows(), 7);
        QCOMPARE(t.Cell(0, 5), std::string("BEY"));
        QCOMPARE(t.Cell(6, 2), std::string("3.3000"));
        QVERIFY(t.Lines().empty());
        // No curve chosen: Plot computes and draws nothing.
        t.Click("cmdPlot");
        QVERIFY(t.Lines().empty() && t.Cell(0, 7).empty());
    }

    void curvePlots_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("layer");
        QTest::addColumn<int>("colour");
        QTest::newRow("ytm") << 0 << "YTM"
                             << "ytm" << 0;
        QTest::newRow("zero") << 1 << "Zero's"
                              << "zero" << 12;
        QTest::newRow("forward") << 2 << "Forwards"
                                 << "forward" << 11;
    }
    // Choosing a curve plots it at once: column 7, one line of six points on its own scale, drawn
    // over what is there (Clear empties the picture, the labels stay).
    void curvePlots() {
        QFETCH(int, option);
        QFETCH(QString, heading);
        QFETCH(QString, layer);
        QFETCH(int, colour);
        Panel t(kTenYears);
        t.Click("oCurveType_0");
        t.Click(QString("oCurveType_%1").arg(option).toLatin1());
        QCOMPARE(QString::fromStdString(t.Cell(0, 7)), heading);
        const DisplayList::Line& line = t.Last();
        QCOMPARE(QString::fromStdString(line.layer), layer);
        QCOMPARE(int(line.colour), colour);
        QCOMPARE(int(line.width), 2);
        QCOMPARE(line.points.size(), size_t(6));
        QCOMPARE(t.Lines().size(), option == 0 ? size_t(1) : size_t(2));
        for (int i = 1; i <= 6; ++i) {
            QCOMPARE(line.points[size_t(i - 1)].y, t.h.session.ZeroYields(i));
            QCOMPARE(t.Cell(i, 7),
                     FormatPattern(CSng(double(t.h.session.ZeroYields(i)) * 100.0), "####0.0000"));
            if (option == 0) // the yields stay in the curve arrays
                QCOMPARE(t.h.session.ZeroYields(i), t.h.session.Bond(i).GetYTM());
        }
        QCOMPARE(t.Box("Text1_0")->text().toStdString(), t.p->Picture()->Plot().BoundText(0));
        t.Click("cmdClear");
        QVERIFY(t.Lines().empty());
        QVERIFY(!t.Box("Text1_3")->text().isEmpty());
    }

    // Annual compounding reaches the bootstrap; one bond's forward is its zero; an unbracketed yield
    // is plotted as it is; two bonds at one maturity make the forward a reported division by zero.
    void compoundingAndForwardEdges() {
        Panel t(kTenYears);
        Find<QComboBox>(*t.p, "cmbFreq")->setCurrentIndex(4);
        QCOMPARE(t.p->CompFreq(), int16_t(1));
        t.Click("oCurveType_1");
        const std::vector<float> annual = ZeroRates(kTenYears, 1);
        QVERIFY(annual != ZeroRates(kTenYears, -1));
        QCOMPARE(t.Last().points.size(), size_t(6));
        for (size_t i = 0; i < 6; ++i)
            QCOMPARE(t.Last().points[i].y, annual[i]);

        Panel one({{"5", "2.01", "12/31/2015", "100"}});
        one.Click("oCurveType_1");
        const float zero = one.Last().points[0].y;
        one.Click("oCurveType_2");
        QCOMPARE(one.Last().points[0].y, zero);

        // A yield that cannot be bracketed is listed and plotted at -999.
        Panel odd({{"dear", "2", "03/31/2011", "150"}, {"5", "2.01", "12/31/2015", "100"}});
        odd.Click("oCurveType_0");
        QCOMPARE(odd.Cell(1, 7), std::string("-99900.0000"));
        QCOMPARE(odd.Last().points.front().y, -999.0f);
        QVERIFY(odd.Messages().isEmpty());

        Panel twins({{"a", "2", "12/31/2015", "100"}, {"b", "3", "12/31/2015", "101"}});
        QSignalSpy status(twins.p.get(), &ucTCurves::StatusText);
        twins.Click("oCurveType_0");
        QVERIFY(!status.isEmpty());
        QVERIFY(status.last()[0].toString().contains("Bonds a and b mature on the same day"));
        twins.Click("oCurveType_2");
        QCOMPARE(twins.Messages().size(), 1);
        QVERIFY(twins.Messages()[0].endsWith("Division by zero"));
    }

    // The model at the 3-year bond with the default texts; "+" after focusing the slope box; Enter;
    // Fit chooses Zero and passes through three distinct zero rates; a bad text is reported.
    void nelsonSiegel() {
        Panel t(kTenYears);
        t.Click("cmdNSPlot");
        QVERIFY(Find<QRadioButton>(*t.p, "oCurveType_1")->isChecked());
        QCOMPARE(t.Lines().size(), size_t(2)); // the zero curve once, then the model
        QCOMPARE(t.Last().layer, std::string("ns"));
        QCOMPARE(int(t.Last().colour), 10);
        QVERIFY(qAbs(t.Last().points[2].y - 0.044036f) < 1e-6f);

        t.Box("txtSlope")->setFocus();
        QTRY_COMPARE(t.p->ActiveBox(), t.Box("txtSlope"));
        t.Click("cmdPlus");
        QCOMPARE(t.Box("txtSlope")->text(), QString("-.0390"));
        QCOMPARE(t.Lines().size(), size_t(3));
        QVERIFY(t.Last().points[2].y > 0.044036f);
        t.Box("txtCurve")->setFocus();
        t.Box("txtCurve")->setText(".01");
        QTest::keyClick(t.Box("txtCurve"), Qt::Key_Return);
        QCOMPARE(t.Lines().size(), size_t(4));

        Panel three({{"2", "1.0", "12/31/2012", "100"},
                     {"5", "2.5", "12/31/2015", "100"},
                     {"10", "3.5", "12/31/2020", "100"}});
        three.Click("oCurveType_0");
        three.Click("cmdNSFit");
        QVERIFY(Find<QRadioButton>(*three.p, "oCurveType_1")->isChecked());
        QVERIFY(three.Box("txtLevel")->text() != ".068");
        const auto& lines = three.Lines();
        const DisplayList::Line& zero = lines[lines.size() - 2];
        QCOMPARE(zero.layer, std::string("zero"));
        for (size_t i = 0; i < 3; ++i) // through the boxes' four decimals
            QVERIFY2(qAbs(lines.back().points[i].y - zero.points[i].y) < 2e-4f,
                     qPrintable(QString::number(i)));
        QVERIFY(three.Messages().isEmpty());

        three.Box("txtLevel")->setText("level");
        three.Click("cmdNSPlot");
        QCOMPARE(three.Messages().size(), 1);
        QVERIFY(three.Messages()[0].endsWith("Type mismatch"));
    }

    void splineGrid_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("points");
        QTest::newRow("daily") << 0 << 3650;
        QTest::newRow("weekly") << 1 << 520;
        QTest::newRow("monthly") << 2 << 120;
    }
    // The spline replots the chosen curve and draws one point per grid step up to ten years.
    void splineGrid() {
        QFETCH(int, step);
        QFETCH(int, points);
        Panel t(kTenYears);
        Find<QComboBox>(*t.p, "cmbInterpolate")->setCurrentIndex(step);
        t.Click("oCurveType_1");
        t.Click("cmdSpline");
        QCOMPARE(t.Lines().size(), size_t(2));
        QCOMPARE(t.Last().layer, std::string("spline"));
        QCOMPARE(int(t.Last().colour), 13);
        QCOMPARE(int(t.Last().points.size()), points);
        QCOMPARE(int(t.p->NumInterp()), points);
    }

    // Copy after a plot is the straight-line table, after the spline the spline's, and again the
    // same; the end slopes come from the boxes' leading numbers.
    void copyInterpolation() {
        Panel t(kTenYears);
        t.Click("oCurveType_1");
        t.Click("cmdCopyInterp");
        Session& s = t.h.session;
        InterpolationGrid linear;
        LinearInterpolation(s, InterpolationStep(2), linear);
        const std::string linearText = t.h.clipboard.content.value_or("");
        QCOMPARE(linearText, InterpolationCopyText(linear));
        QVERIFY(linearText.rfind("0.0833\t", 0) == 0);
        QCOMPARE(std::count(linearText.begin(), linearText.end(), '\r'), 120L);
        QVERIFY(linearText.find('\n') == std::string::npos);

        for (const auto& [left, slope] : {std::pair{"0.01", 0.01f}, std::pair{"steep", 0.0f}}) {
            t.Box("txtSplineLeft")->setText(left);
            t.Click("cmdSpline");
            InterpolationGrid spline;
            SplineInterpolation(s, InterpolationStep(2), slope, 0.0f, spline);
            t.Click("cmdCopyInterp");
            const std::string first = t.h.clipboard.content.value_or("");
            QCOMPARE(first, InterpolationCopyText(spline));
            QVERIFY(first != linearText);
            t.Click("cmdCopyInterp");
            QCOMPARE(t.h.clipboard.content.value_or(""), first);
        }
    }

    // Ctrl+C copies the selection, Ctrl+A the whole listing with its headings.
    void gridKeys() {
        Panel t(kTenYears);
        GridView* grid = t.p->Grid();
        grid->setFocus();
        grid->Model().Select(1, 1, 1, 2);
        QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(t.h.clipboard.content.value_or(""), std::string("1\t0.3000"));
        QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier);
        const std::string all = t.h.clipboard.content.value_or("");
        QVERIFY(all.rfind("\tBond\tCoupon\tMaturity\tQuote\tBEY\tValue\t\r", 0) == 0);
        QCOMPARE(std::count(all.begin(), all.end(), '\r'), 6L);
    }

    // Large Display stretches the picture box and the grid; the plot is kept, not recomputed, and
    // a PNG of the box's size matches a grab of the box.
    // Keep leaves the plot in the picture: the next day's curve comes over it in the next colour
    // that shows on white, every curve on one scale, with a legend of the quote dates in the
    // picture and its exports. Clear ends the comparison.
    void keepComparesDays() {
        using Entry = DisplayList::LegendEntry;
        Panel t(kTenYears);
        DisplayList& plot = t.p->Picture()->Plot();
        t.Click("cmdKeep"); // nothing plotted: nothing kept
        t.Click("oCurveType_1");
        QVERIFY(plot.Legend().empty());
        t.Click("cmdKeep");
        QCOMPARE(plot.Legend(), (std::vector<Entry>{{"12/31/2010", 12}}));

        // An inverted day with far higher rates.
        const Rows high = {{"1", "16", "09/30/1982", "100"},
                           {"2", "15.5", "09/30/1983", "100"},
                           {"10", "14", "09/30/1991", "100"}};
        LoadRows(t.h.session, high, "09/30/1981");
        t.p->Initialize();
        t.Click("oCurveType_0");
        // The second day is told apart by its dash as well as its colour.
        QCOMPARE(plot.Legend(), (std::vector<Entry>{{"12/31/2010", 12, 0}, {"09/30/1981", 13, 1}}));
        float low = 1, top = 0, right = 0;
        for (const DisplayList::Line& line : plot.Lines())
            for (const DisplayList::Point& pt : line.points) {
                low = std::min(low, pt.y);
                top = std::max(top, pt.y);
                right = std::max(right, pt.x);
            }
        const DisplayList::Scale& scale = plot.UserScale();
        QVERIFY(scale.bottom <= low && low < 0.01f && scale.top >= top && top > 0.15f);
        QVERIFY(scale.right >= right && right > 9.9f);
        QCOMPARE(t.Box("Text1_0")->text().toStdString(), plot.BoundText(0));
        QCOMPARE(t.Box("Text1_1")->text().toStdString(), plot.BoundText(1));

        // The next colour after magenta passes over yellow and white.
        t.Click("cmdKeep");
        t.Click("oCurveType_0");
        QCOMPARE(int(plot.Lines().back().colour), 0);
        QCOMPARE(plot.Legend().size(), size_t(2));

        const std::string svg = PlotSvg(plot, 300, 200);
        QVERIFY(svg.find("<g id=\"legend\"") != std::string::npos);
        QVERIFY(svg.find(">12/31/2010</text>") != std::string::npos);
        QVERIFY(svg.find(">09/30/1981</text>") != std::string::npos);

        t.Click("cmdClear");
        QVERIFY(plot.Lines().empty() && plot.Legend().empty());
        LoadRows(t.h.session, kTenYears);
        t.p->Initialize();
        t.Click("oCurveType_1");
        QCOMPARE(int(plot.Lines().back().colour), 12);
        QVERIFY(plot.Legend().empty());
        QVERIFY(plot.UserScale().top < 0.1f);
    }

    void largeDisplayKeepsThePlotAndExportMatchesTheBox() {
        Panel t(kTenYears);
        t.Click("oCurveType_1");
        t.Click("cmdSpline");
        const auto before = t.Lines();
        const QSize normal = t.p->Picture()->size();
        t.p->EnlargeFont();
        QVERIFY(t.p->Picture()->width() > normal.width() * 3 / 2);
        QVERIFY(t.p->Grid()->font().bold());
        QCOMPARE(t.Lines().size(), before.size());
        QCOMPARE(t.Lines().back().points, before.back().points);
        t.p->ReduceFont();
        QCOMPARE(t.p->Picture()->size(), normal);

        PictureBox* box = t.p->Picture();
        QTemporaryDir dir;
        const QString path = dir.filePath("plot.png");
        QString error;
        QVERIFY2(SavePlot(box->Plot(), box->width(), box->height(), path, &error), qPrintable(error));
        const QImage saved(path);
        const PlotFrame f = PlotFrame::ForBox(box->width(), box->height());
        QCOMPARE(saved.size(), QSize(f.width, f.height));
        const QImage grab = box->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(saved.copy(f.boxX, f.boxY, f.boxWidth, f.boxHeight).convertToFormat(QImage::Format_ARGB32),
                 grab);
        QVERIFY(!SavePlot(box->Plot(), box->width(), box->height(), dir.filePath("plot.bmp"), &error));
        QVERIFY(!QFile::exists(dir.filePath("plot.bmp")));
    }
};

QTEST_MAIN(tst_ucTCurves)
#include "tst_ucTCurves.moc"
