#include "lessons/frmRateShocks.h"

#include "core/data/Session.h"
#include "core/draw/DisplayList.h"
#include "core/grid/GridText.h"
#include "core/lessons/ShockPlots.h"
#include "base/AppContext.h"
#include "widgets/GridView.h"
#include "widgets/PictureBox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace yarrow {

namespace {

constexpr int kMaxSliderBp = 300;

struct PresetInfo {
    ShockPreset preset;
    const char* name;
    const char* caption;
    const char* tip;
};
const PresetInfo kPresets[] = {
    {ShockPreset::Parallel, "cmdParallel", "&Parallel", "Every maturity moves by N bp"},
    {ShockPreset::Steepener, "cmdSteepener", "&Steepener", "2 years down N/2 bp, 10 years up N/2 bp"},
    {ShockPreset::Flattener, "cmdFlattener", "&Flattener", "2 years up N/2 bp, 10 years down N/2 bp"},
    {ShockPreset::Butterfly, "cmdButterfly", "&Butterfly", "2 and 10 years up N/2 bp, 5 years down N/2 bp"},
};

QString AxesText(const DisplayList& plot, const char* y, const char* x) {
    return QString("%1 %2 to %3;  %4 %5 to %6")
        .arg(y, QString::fromStdString(plot.BoundText(DisplayList::kBottom)),
             QString::fromStdString(plot.BoundText(DisplayList::kTop)), x,
             QString::fromStdString(plot.BoundText(DisplayList::kLeft)),
             QString::fromStdString(plot.BoundText(DisplayList::kRight)));
}

} // namespace

frmRateShocks::frmRateShocks(AppContext& app, QWidget* parent) : QWidget(parent, Qt::Window), app_(app) {
    setObjectName("frmRateShocks");
    setWindowTitle("Rate Shocks");

    QHBoxLayout* top = BuildShockRow();
    BuildKnotGrid();
    BuildPictures();
    BuildShockGrid();
    lblStatus = new QLabel(this);
    lblStatus->setObjectName("lblStatus");
    lblStatus->setWordWrap(true);

    auto* pictures = new QGridLayout;
    pictures->addWidget(gridKnots, 0, 0, 2, 1);
    pictures->addWidget(picCurve, 0, 1);
    pictures->addWidget(picPriceYield, 0, 2);
    pictures->addWidget(lblCurveAxes, 1, 1);
    pictures->addWidget(lblPriceAxes, 1, 2);
    pictures->setColumnStretch(1, 1);
    pictures->setColumnStretch(2, 1);
    pictures->setRowStretch(0, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(pictures, 5);
    layout->addWidget(gridShock, 3);
    layout->addWidget(lblStatus);

    auto* close = new QShortcut(QKeySequence::Close, this);
    close->setWhatsThis("Close the window");
    connect(close, &QShortcut::activated, this, &QWidget::close);

    resize(1100, 720);
    knots_ = PresetShock(preset_, 0);
    Reload();
    ChoosePreset(ShockPreset::Parallel);
    // The longest bond shows the most curvature: start there.
    gridShock->Model().SetRow(static_cast<int>(bonds_.size()));
    DrawSelectedBond();
}

// The four presets, then the size N as a slider and a box.
QHBoxLayout* frmRateShocks::BuildShockRow() {
    auto* top = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        cmdPreset[i] = new QPushButton(kPresets[i].caption, this);
        cmdPreset[i]->setObjectName(kPresets[i].name);
        cmdPreset[i]->setToolTip(kPresets[i].tip);
        cmdPreset[i]->setCheckable(true);
        const ShockPreset p = kPresets[i].preset;
        connect(cmdPreset[i], &QPushButton::clicked, this, [this, p] { ChoosePreset(p); });
        top->addWidget(cmdPreset[i]);
    }
    auto* nLabel = new QLabel("&N (bp):", this);
    sldShift = new QSlider(Qt::Horizontal, this);
    sldShift->setObjectName("sldShift");
    sldShift->setRange(-kMaxSliderBp, kMaxSliderBp);
    sldShift->setSingleStep(1);
    sldShift->setPageStep(25);
    sldShift->setTickPosition(QSlider::TicksBelow);
    sldShift->setTickInterval(50);
    sldShift->setMinimumWidth(240);
    sldShift->setToolTip("The size N of the shock in basis points (arrow keys: 1 bp, Page Up/Down: 25 bp)");
    txtShift = new QSpinBox(this);
    txtShift->setObjectName("txtShift");
    txtShift->setRange(-kMaxSliderBp, kMaxSliderBp);
    txtShift->setSuffix(" bp");
    txtShift->setToolTip("Type N in basis points, -300 to 300");
    nLabel->setBuddy(sldShift);
    txtShift->setAccessibleName("N in basis points");
    connect(sldShift, &QSlider::valueChanged, this, &frmRateShocks::SetSize);
    connect(txtShift, &QSpinBox::valueChanged, this, &frmRateShocks::SetSize);
    lblShape = new QLabel(this);
    lblShape->setObjectName("lblShape");
    top->addSpacing(12);
    top->addWidget(nLabel);
    top->addWidget(sldShift, 1);
    top->addWidget(txtShift);
    top->addWidget(lblShape);

    return top;
}

// The shock's knots, edited in place; a new knot is typed in the last row.
void frmRateShocks::BuildKnotGrid() {
    gridKnots = new GridView(this);
    gridKnots->setObjectName("gridKnots");
    gridKnots->SetRowTyping(true, 2);
    gridKnots->setToolTip("The shock's knots: years and basis points; linear between them, flat beyond. "
                          "Edit any cell, or type a new knot in the last row");
    gridKnots->setMaximumWidth(200);
    gridKnots->setAccessibleName("Shock knots");
    connect(gridKnots->ItemModel(), &QAbstractItemModel::dataChanged, this, [this] {
        if (!syncing_)
            KnotsEdited();
    });
    for (auto signal : {&QAbstractItemModel::rowsRemoved, &QAbstractItemModel::rowsInserted})
        connect(gridKnots->ItemModel(), signal, this, [this] {
            if (!syncing_)
                KnotsEdited();
        });
    ConnectGridKeys(gridKnots);

}

// The zero curve before and after the shock, and the selected bond's price against its yield.
void frmRateShocks::BuildPictures() {
    picCurve = new PictureBox(this);
    picCurve->setObjectName("picCurve");
    picCurve->setMinimumSize(320, 220);
    picCurve->setAccessibleName("Zero curve before and after the shock");
    picCurve->setToolTip("The zero curve before and after the shock (percent against years)");
    PlotSubject percentAgainstYears;
    percentAgainstYears.yScale = 1; // drawn in percent already
    picCurve->SetSubject(percentAgainstYears);
    picPriceYield = new PictureBox(this);
    picPriceYield->setObjectName("picPriceYield");
    picPriceYield->setMinimumSize(320, 220);
    picPriceYield->setAccessibleName("Price against yield of the selected bond");
    PlotSubject priceAgainstYield;
    priceAgainstYield.xTitle = "Continuous yield (%)";
    priceAgainstYield.yTitle = "Price";
    priceAgainstYield.xUnit = " %";
    priceAgainstYield.yUnit = " price";
    priceAgainstYield.yScale = 1;
    picPriceYield->SetSubject(priceAgainstYield);
    picPriceYield->setToolTip("The selected bond's price against its continuous yield, +/- 300 bp: the "
                              "duration tangent, the duration-and-convexity parabola and the shocked yield");
    lblCurveAxes = new QLabel(this);
    lblCurveAxes->setObjectName("lblCurveAxes");
    lblPriceAxes = new QLabel(this);
    lblPriceAxes->setObjectName("lblPriceAxes");

}

// The repriced bonds; selecting one draws it.
void frmRateShocks::BuildShockGrid() {
    gridShock = new GridView(this);
    gridShock->setObjectName("gridShock");
    gridShock->SetEditable(false);
    gridShock->setAccessibleName("Repriced bonds");
    gridShock->setToolTip("Each bond repriced exactly off the shocked curve, against its duration and "
                          "duration-and-convexity estimates; select a bond to draw it. Ctrl+C copies");
    ConnectGridKeys(gridShock);
    connect(gridShock->ItemModel(), &GridItemModel::SelectionChangedInGrid, this,
            [this] { DrawSelectedBond(); });

}

// Ctrl+C copies the selection and Ctrl+A the whole grid, as on the panels; the grid in use is the
// one Edit > Copy reads.
void frmRateShocks::ConnectGridKeys(GridView* grid) {
    connect(grid, &GridView::FocusGained, this, [this](GridView* g) { app_.ActiveGrid = g; });
    connect(grid, &GridView::ControlKey, this, [this, grid](int code) {
        if (code == 3)
            CopyGridSelection(grid->Model(), app_.clipboard, app_.dialogs);
        else if (code == 1)
            CopyWholeGrid(grid->Model(), app_.clipboard, app_.dialogs);
    });
}

void frmRateShocks::Reload() {
    curve_ = ShockBaseCurve(app_.session);
    bonds_ = PrepareTable(TableFlows(app_.session), curve_);
    Recompute();
}

void frmRateShocks::SetHoldings(std::vector<Holding> holdings) {
    holdings_ = std::move(holdings);
    Recompute();
}

void frmRateShocks::ChoosePreset(ShockPreset preset) {
    preset_ = preset;
    custom_ = false;
    for (int i = 0; i < 4; ++i)
        cmdPreset[i]->setChecked(kPresets[i].preset == preset);
    knots_ = PresetShock(preset_, sldShift->value());
    WriteKnotGrid();
    Recompute();
}

void frmRateShocks::SetSize(int bp) {
    bp = std::clamp(bp, -kMaxSliderBp, kMaxSliderBp);
    {
        const QSignalBlocker a(sldShift), b(txtShift);
        sldShift->setValue(bp);
        txtShift->setValue(bp);
    }
    // The slider sizes the last preset chosen; a drawn shape gives way to it.
    ChoosePreset(preset_);
}

void frmRateShocks::WriteKnotGrid() {
    syncing_ = true;
    GridModel& g = gridKnots->Model();
    g.Clear();
    g.SetCols(2);
    g.SetRows(static_cast<int>(knots_.size()) + 1);
    g.SetFixedRows(1);
    g.SetFixedCols(0);
    g.SetTextMatrix(0, 0, "Years");
    g.SetTextMatrix(0, 1, "bp");
    char buf[64];
    for (size_t i = 0; i < knots_.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%g", knots_[i].years);
        g.SetTextMatrix(static_cast<int>(i) + 1, 0, buf);
        std::snprintf(buf, sizeof buf, "%g", knots_[i].bp);
        g.SetTextMatrix(static_cast<int>(i) + 1, 1, buf);
    }
    syncing_ = false;
}

void frmRateShocks::KnotsEdited() {
    const GridModel& g = gridKnots->Model();
    std::string text;
    for (int r = 1; r < g.Rows(); ++r) {
        const std::string years = g.TextMatrix(r, 0), bp = g.Cols() > 1 ? g.TextMatrix(r, 1) : "";
        if (years.find_first_not_of(" \t") == std::string::npos &&
            bp.find_first_not_of(" \t") == std::string::npos)
            continue; // a blank row is no knot
        text += (text.empty() ? "" : ",") + years + ":" + bp;
    }
    try {
        knots_ = ParseShockKnots(text);
        custom_ = true;
        for (QPushButton* b : cmdPreset)
            b->setChecked(false);
        Recompute();
    } catch (const std::exception& e) {
        // Half-typed knots are normal while editing: say why, keep the last good shape.
        lblStatus->setText(QString("Knots not applied: %1").arg(e.what()));
    }
}

void frmRateShocks::Recompute() {
    rows_ = ShockTable(bonds_, knots_);
    const int keepRow = gridShock->Model().Row();
    GridModel& g = gridShock->Model();
    const std::vector<std::string> heading = ShockTableHeading();
    std::vector<std::vector<std::string>> lines;
    for (const ShockRow& r : rows_)
        lines.push_back(ShockTableCells(r));
    QString status;
    if (!holdings_.empty()) {
        try {
            lines.push_back(ShockTableCells(PortfolioRow(rows_, QuantitiesForRows(rows_, holdings_)), true));
            status = "Portfolio: the holdings of the analytics panel's last Solve.";
        } catch (const std::exception& e) {
            status = QString("No portfolio row: %1").arg(e.what());
        }
    } else {
        status = "No portfolio row yet: Solve in the analytics panel to add one.";
    }
    g.SetRows(static_cast<int>(lines.size()) + 1);
    g.SetCols(static_cast<int>(heading.size()));
    for (size_t c = 0; c < heading.size(); ++c)
        g.SetTextMatrix(0, static_cast<int>(c), heading[c]);
    for (size_t r = 0; r < lines.size(); ++r)
        for (size_t c = 0; c < lines[r].size(); ++c)
            g.SetTextMatrix(static_cast<int>(r) + 1, static_cast<int>(c), lines[r][c]);
    if (keepRow >= 1 && keepRow < g.Rows())
        g.SetRow(keepRow);
    gridShock->resizeColumnsToContents();

    lblShape->setText(custom_ ? "Shape: your knots"
                              : "Shape: " + cmdPreset[static_cast<int>(preset_)]->text().remove('&'));
    lblStatus->setText(status);
    DrawShockCurve(picCurve->Plot(), curve_, knots_);
    lblCurveAxes->setText(AxesText(picCurve->Plot(), "zero rate", "maturity"));
    picCurve->update();
    DrawSelectedBond();
}

int frmRateShocks::SelectedBond() const {
    const int row = gridShock->Model().Row();
    if (row >= 1 && row <= static_cast<int>(bonds_.size()))
        return row - 1;
    return static_cast<int>(bonds_.size()) - 1; // the longest bond by default
}

void frmRateShocks::DrawSelectedBond() {
    const int i = SelectedBond();
    if (i < 0) {
        picPriceYield->Clear();
        lblPriceAxes->setText("No bonds: get bond data first.");
        return;
    }
    const size_t k = static_cast<size_t>(i);
    DrawPriceYield(picPriceYield->Plot(), bonds_[k], rows_[k]);
    lblPriceAxes->setText(QString::fromStdString(bonds_[k].flows.name) + ": " +
                          AxesText(picPriceYield->Plot(), "price", "yield"));
    picPriceYield->update();
}

} // namespace yarrow
