#include "ScreenshotTour.h"

#include "analytics/ucTAnalytics.h"
#include "chart/ChartWindow.h"
#include "core/draw/Contrast.h"
#include "core/grid/GridModel.h"
#include "curves/ucTCurves.h"
#include "data/frmCurveOfDate.h"
#include "data/ucYarrowData.h"
#include "lessons/CurveFilmWindow.h"
#include "lessons/frmRateShocks.h"
#include "lessons/frmFactors.h"
#include "shell/frmYarrow.h"
#include "widgets/BrowserPane.h"
#include "widgets/DataTableWindow.h"
#include "widgets/GridView.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace yarrow {

namespace {

// Keeps the event loop running (pages load, widgets paint) until both panes are complete and a
// little longer, or the time is up.
void Settle(frmYarrow& w, int atLeastMs) {
    QElapsedTimer t;
    t.start();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, &QEventLoop::quit);
    poll.start(10);
    auto done = [&] {
        return w.Browser1Pane().ReadyState() == BrowserPane::kReadyStateComplete &&
               w.Browser2Pane().ReadyState() == BrowserPane::kReadyStateComplete;
    };
    while ((t.elapsed() < atLeastMs || !done()) && t.elapsed() < 20000)
        loop.exec();
}

int Save(QWidget& w, const QString& folder, const char* name) {
    const QString path = folder + "/" + name;
    const bool ok = w.grab().save(path, "PNG");
    std::printf("%s %s\n", ok ? "saved" : "FAILED", qPrintable(path));
    return ok ? 0 : 1;
}

void Trigger(frmYarrow& w, const char* action) {
    if (QAction* a = w.findChild<QAction*>(action))
        a->trigger();
}

// Plays the user who answers Yes to the next question box.
void AnswerYesSoon(frmYarrow& w) {
    auto* poll = new QTimer(&w);
    QObject::connect(poll, &QTimer::timeout, poll, [poll] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            if (QAbstractButton* yes = box->button(QMessageBox::Yes))
                yes->click();
            poll->deleteLater();
        }
    });
    poll->start(50);
}

// Presses a button or chooses an option button of a panel, as a click would.
void Press(QWidget& panel, const char* name) {
    if (auto* b = panel.findChild<QAbstractButton*>(name))
        b->click();
}

void Choose(QWidget& panel, const char* name) {
    if (auto* b = panel.findChild<QRadioButton*>(name)) {
        b->setChecked(true);
        b->click();
    }
}

// The chart window full screen with the curves of 2010-06-30, then the three lessons.
int ChartTour(frmYarrow& w, const QString& folder) {
    int failures = 0;
    auto* panel = w.findChild<ucTCurves*>("ucTCurves1");
    if (!panel || !w.DataPanel()->LoadHistoryDay(MakeDate(2010, 6, 30)))
        return 1;
    w.cmdYieldCurve_Click();
    Press(*panel, "cmdClear");
    for (const char* option : {"oCurveType_0", "oCurveType_1", "oCurveType_2"})
        Choose(*panel, option);
    Press(*panel, "cmdOpenWindow");
    auto shoot = [&](QWidget* window, const char* name, bool fullScreen) {
        if (!window) {
            std::printf("FAILED %s: the window did not open\n", name);
            ++failures;
            return;
        }
        // Without a window manager full screen is only a flag: the screen's size is set too.
        if (fullScreen) {
            window->setGeometry(window->screen()->geometry());
            window->showFullScreen();
        }
        else
            window->resize(1360, 900);
        Settle(w, 600);
        failures += Save(*window, folder, name);
        window->close();
    };
    shoot(panel->findChild<ChartWindow*>("frmChartFollow"), "chart-window-2010.png", true);

    Trigger(w, "mnuCurveFilm");
    auto* film = w.findChild<CurveFilmWindow*>("frmCurveFilm");
    if (film)
        film->ShowDate(MakeDate(1981, 9, 30));
    shoot(film, "film-1981.png", false);
    Trigger(w, "mnuSpread");
    shoot(w.findChild<ChartWindow*>("frmSpread"), "spread-inversions.png", false);
    Trigger(w, "mnuCurveMap");
    shoot(w.findChild<ChartWindow*>("frmCurveMap"), "curve-map.png", false);
    return failures;
}

// The data panel: at start, after "Get Data", and after "Get Data" from a workbook.
int DataStages(frmYarrow& w, const QString& folder) {
    int failures = 0;
    Settle(w, 800);
    failures += Save(w, folder, "start.png");

    w.DataPanel()->cmdGetData_Click();
    Settle(w, 500);
    failures += Save(w, folder, "get-data.png");

    // The data panel after "Get Data" from a workbook: quotes of 31 December 2010.
    QTemporaryDir dir;
    const QString book = dir.filePath("quotes-2010-12-31.csv");
    QFile file(book);
    if (file.open(QIODevice::WriteOnly)) {
        file.write("Name,Coupon,Maturity,Quote,Yield\n"
                   "2Y Note,0.625,12/31/2012,100.0313,0.61\n"
                   "3Y Note,1.000,12/31/2013,99.9375,1.02\n"
                   "5Y Note,2.125,12/31/2015,100.5469,2.01\n"
                   "7Y Note,2.750,12/31/2017,100.2500,2.71\n"
                   "10Y Note,2.625,11/15/2020,94.7500,3.30\n"
                   "30Y Bond,4.250,11/15/2040,98.1875,4.34\n");
        file.close();
    }
    if (w.DataPanel()->OpenWorkbook(book)) {
        const char* boxes[][2] = {{"txtNameCol", "A"},  {"txtCouponCol", "B"}, {"txtMaturityCol", "C"},
                                  {"txtQuoteCol", "D"}, {"txtYieldCol", "E"},  {"txtStartRow", "2"},
                                  {"txtEndRow", "7"}};
        for (const auto& [name, text] : boxes)
            if (auto* box = w.findChild<QLineEdit*>(name))
                box->setText(text);
        AnswerYesSoon(w); // "get the data again?"
        w.DataPanel()->cmdGetData_Click();
        Settle(w, 500);
        failures += Save(w, folder, "workbook-get-data.png");
        w.DataPanel()->CloseWorkbook();
        if (auto* rates = w.findChild<QComboBox*>("cmbRates"))
            rates->setCurrentIndex(1);
    }
    return failures;
}

// The display sizes, the reduced bottom window and the calculators window.
int WindowStages(frmYarrow& w, const QString& folder) {
    int failures = 0;
    Trigger(w, "mnuOptionsLargeDisplay");
    Settle(w, 500);
    failures += Save(w, folder, "large-display.png");

    Trigger(w, "mnuOptionsNormalDisplay");
    Trigger(w, "mnuLayout0");
    Settle(w, 500);
    failures += Save(w, folder, "reduced-bottom.png");

    Trigger(w, "mnuCalculator");
    Settle(w, 300);
    if (calcs* c = w.Calculators()) {
        const QString path = folder + "/calculators.png";
        const bool ok = c->grab().save(path, "PNG");
        std::printf("%s %s\n", ok ? "saved" : "FAILED", qPrintable(path));
        failures += ok ? 0 : 1;
    } else {
        ++failures;
    }
    return failures;
}

// The curves panel: the yield curve, then the zero curve with the fitted model over it, then the
// forward curve with a spline through it.
int CurvesStages(frmYarrow& w, const QString& folder) {
    int failures = 0;
    Trigger(w, "mnuLayout1");
    w.cmdYieldCurve_Click();
    auto* curves = w.findChild<ucTCurves*>("ucTCurves1");
    if (!curves)
        return 1;
    Choose(*curves, "oCurveType_0");
    Settle(w, 300);
    failures += Save(w, folder, "curves-ytm.png");

    Press(*curves, "cmdClear");
    Press(*curves, "cmdNSFit");
    Settle(w, 300);
    failures += Save(w, folder, "curves-zero-ns-fit.png");

    // The same picture as a table of its points (File > Data Table).
    Trigger(w, "mnuDataTable");
    Settle(w, 200);
    if (auto* table = w.findChild<DataTableWindow*>()) {
        failures += Save(*table, folder, "data-table.png");
        table->close();
    } else {
        std::printf("FAILED the Data Table window did not open\n");
        ++failures;
    }

    Press(*curves, "cmdClear");
    Choose(*curves, "oCurveType_2");
    Press(*curves, "cmdSpline");
    Settle(w, 300);
    failures += Save(w, folder, "curves-forward-spline.png");

    // The same picture in the large display, repainted from what was drawn.
    Trigger(w, "mnuOptionsLargeDisplay");
    Settle(w, 300);
    failures += Save(w, folder, "curves-large-display.png");
    return failures;
}

// Analytics: a liability stream is valued, then matched by holdings at the greatest yield.
int AnalyticsStages(frmYarrow& w, const QString& folder) {
    int failures = 0;
    Trigger(w, "mnuOptionsNormalDisplay");
    w.cmdAnalytics_Click();
    if (auto* analytics = w.findChild<ucTAnalytics*>("ucTAnalytics1")) {
        const char* flows[][2] = {{"1", "200"}, {"2", "300"}, {"5", "400"}, {"10", "500"}};
        GridModel& g = analytics->CashFlowGrid()->Model();
        for (int i = 0; i < 4; ++i) {
            g.SetTextMatrix(i + 1, 0, flows[i][0]);
            g.SetTextMatrix(i + 1, 1, flows[i][1]);
        }
        if (auto* count = analytics->findChild<QLineEdit*>("txtCFNumFlows"))
            count->setText("4");
        analytics->cmdCFCalculate_Click();
        if (auto* match = analytics->findChild<QCheckBox*>("chkCFValues"))
            match->click();
        analytics->cmdSolve_Click();
    }
    Settle(w, 500);
    failures += Save(w, folder, "analytics.png");

    Trigger(w, "mnuOptionsLargeDisplay");
    Settle(w, 500);
    failures += Save(w, folder, "analytics-large.png");
    Trigger(w, "mnuOptionsNormalDisplay");

    // Rate shocks on the table just solved: +100 bp parallel, then a 100 bp steepener.
    Trigger(w, "mnuRateShocks");
    if (frmRateShocks* shocks = w.RateShocks()) {
        shocks->ChoosePreset(ShockPreset::Parallel);
        shocks->SetSize(100);
        Settle(w, 300);
        failures += Save(*shocks, folder, "rate-shocks-parallel.png");
        shocks->ChoosePreset(ShockPreset::Steepener);
        Settle(w, 300);
        failures += Save(*shocks, folder, "rate-shocks-steepener.png");
        shocks->close();
    } else {
        std::printf("FAILED the Rate Shocks window did not open\n");
        ++failures;
    }
    return failures;
}

// The dialog on the inverted curve of 1981, that day loaded, then three days compared on the
// curves panel: the yield curve of each day kept in turn.
int HistoryStages(frmYarrow& w, const QString& folder) {
    int failures = 0;
    w.cmdRestart_Click();
    Trigger(w, "mnuCurveOfDate");
    if (frmCurveOfDate* dlg = w.CurveOfDate()) {
        dlg->SetSelectedDate(MakeDate(1981, 9, 30));
        Settle(w, 300);
        failures += Save(*dlg, folder, "curve-of-date.png");
        dlg->accept();
        Settle(w, 500);
        failures += Save(w, folder, "curve-of-date-loaded.png");
    } else {
        std::printf("FAILED the Treasury Curve of a Date dialog did not open\n");
        ++failures;
    }

    const Date days[] = {MakeDate(1981, 9, 30), MakeDate(2006, 6, 30), MakeDate(2010, 6, 30)};
    bool first = true;
    for (const Date day : days) {
        if (!w.DataPanel()->LoadHistoryDay(day)) {
            std::printf("FAILED loading a day of the Treasury history\n");
            return failures + 1;
        }
        w.cmdYieldCurve_Click();
        auto* panel = w.findChild<ucTCurves*>("ucTCurves1");
        if (!panel)
            return failures + 1;
        if (first)
            Press(*panel, "cmdClear");
        Choose(*panel, "oCurveType_0");
        Press(*panel, "cmdKeep");
        first = false;
        Settle(w, 200);
    }
    Settle(w, 300);
    failures += Save(w, folder, "curves-keep-three-days.png");

    // Level, slope and curvature of 1982-2025, month by month.
    Trigger(w, "mnuFactors");
    if (auto* factors = w.findChild<frmFactors*>("frmFactors")) {
        factors->SetSpan(MakeDate(1982, 1, 1), MakeDate(2025, 7, 11), FactorStep::Monthly);
        Settle(w, 500);
        failures += Save(*factors, folder, "factors.png");
        factors->close();
    } else {
        std::printf("FAILED the Factors window did not open\n");
        ++failures;
    }
    return failures;
}

QPalette DarkQtPalette() {
    using P = DarkPalette;
    QPalette p;
    const auto c = [](uint32_t rgb) { return QColor::fromRgb(rgb); };
    p.setColor(QPalette::Window, c(P::kWindow));
    p.setColor(QPalette::WindowText, c(P::kWindowText));
    p.setColor(QPalette::Base, c(P::kBase));
    p.setColor(QPalette::AlternateBase, c(P::kAlternateBase));
    p.setColor(QPalette::Text, c(P::kText));
    p.setColor(QPalette::Button, c(P::kButton));
    p.setColor(QPalette::ButtonText, c(P::kButtonText));
    p.setColor(QPalette::Highlight, c(P::kHighlight));
    p.setColor(QPalette::HighlightedText, c(P::kHighlightedText));
    p.setColor(QPalette::PlaceholderText, c(P::kPlaceholderText));
    p.setColor(QPalette::Link, c(P::kLink));
    p.setColor(QPalette::ToolTipBase, c(P::kToolTipBase));
    p.setColor(QPalette::ToolTipText, c(P::kToolTipText));
    p.setColor(QPalette::BrightText, c(0xffffff));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, c(P::kDisabledText));
    return p;
}

// A second run of the tour in another look (YARROW_SCREENSHOT_VARIANT): "scale2" under
// QT_SCALE_FACTOR=2, "dark" in the dark palette. The main states only, each picture named
// VARIANT-STATE.png.
int VariantStages(frmYarrow& w, const QString& folder, const QString& variant) {
    if (variant == "dark")
        QApplication::setPalette(DarkQtPalette());
    int failures = 0;
    const QByteArray prefix = variant.toUtf8() + "-";
    auto save = [&](QWidget& shown, const char* name) { failures += Save(shown, folder, (prefix + name).constData()); };
    Settle(w, 800);
    save(w, "start.png");
    w.DataPanel()->cmdGetData_Click();
    Settle(w, 500);
    save(w, "get-data.png");
    Trigger(w, "mnuLayout1");
    w.cmdYieldCurve_Click();
    if (auto* curves = w.findChild<ucTCurves*>("ucTCurves1")) {
        Press(*curves, "cmdClear");
        Press(*curves, "cmdNSFit");
        Settle(w, 300);
        save(w, "curves-zero-ns-fit.png");
    }
    w.cmdAnalytics_Click();
    Settle(w, 300);
    save(w, "analytics.png");
    Trigger(w, "mnuCalculator");
    Settle(w, 300);
    if (calcs* c = w.Calculators())
        save(*c, "calculators.png");
    return failures;
}

} // namespace

int RunScreenshotTour(frmYarrow& w, const QString& folder) {
    QDir().mkpath(folder);
    const QString variant = qEnvironmentVariable("YARROW_SCREENSHOT_VARIANT");
    if (!variant.isEmpty())
        return VariantStages(w, folder, variant);
    int failures = DataStages(w, folder);
    failures += WindowStages(w, folder);
    const int curves = CurvesStages(w, folder);
    // Without the curves panel the tour stops there, as it always did.
    if (curves > 0 && !w.findChild<ucTCurves*>("ucTCurves1"))
        return failures + curves;
    failures += curves;
    failures += AnalyticsStages(w, folder);
    failures += HistoryStages(w, folder);
    failures += ChartTour(w, folder);
    return failures;
}

} // namespace yarrow
