#include "curves/ucTCurves.h"

#include "chart/ChartWindow.h"
#include "core/curves/CurvesController.h"
#include "core/data/Session.h"
#include "core/data/TableWarnings.h"
#include "core/curves/SessionZeroCurve.h"
#include "core/data/qalBondData.h"
#include "core/grid/GridText.h"
#include "core/seams/Clipboard.h"
#include "core/text/NumberText.h"
#include "core/text/RuntimeError.h"
#include "base/Accessibility.h"
#include "base/AppContext.h"
#include "widgets/ErrorReport.h"
#include "widgets/GridView.h"
#include "base/MousePointer.h"
#include "widgets/PictureBox.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

namespace yarrow {

namespace {

// Design places in twips: the listing across the top, the picture box with its bound labels
// under it on the left, the curve choice and the Nelson-Siegel frame on the right, the spline row
// along the bottom. Frame children are placed relative to the frame.
constexpr int32_t kDesignWidth = 7200;
constexpr int32_t kDesignHeight = 6600;
constexpr TwipRect kGrid{120, 120, 6960, 2160};
const std::vector<int> kGridColumns{240, 700, 900, 1100, 1000, 900, 1000, 1000};
constexpr TwipRect kPicture{780, 2400, 4260, 2700};
constexpr TwipRect kBoundTop{60, 2400, 690, 285};
constexpr TwipRect kBoundBottom{60, 4815, 690, 285};
constexpr TwipRect kBoundLeft{780, 5130, 900, 285};
constexpr TwipRect kBoundRight{4140, 5130, 900, 285};
constexpr float kRightColumn = 5160;
constexpr float kRightWidth = 1920;
constexpr TwipRect kCurveType[3] = {{kRightColumn, 2400, kRightWidth, 255},
                                    {kRightColumn, 2655, kRightWidth, 255},
                                    {kRightColumn, 2910, kRightWidth, 255}};
constexpr TwipRect kFreq{kRightColumn, 3210, kRightWidth, 315};
constexpr TwipRect kPlot{kRightColumn, 3585, 930, 345};
constexpr TwipRect kClear{kRightColumn + 990, 3585, 930, 345};
// Keep sits in the free strip left of the picture, level with Plot and Clear.
constexpr TwipRect kKeep{60, 3585, 690, 345};
constexpr TwipRect kFrame{kRightColumn, 4020, kRightWidth, 2040};
constexpr TwipRect kLevelLabel{120, 300, 700, 255};
constexpr TwipRect kLevel{840, 270, 960, 300};
constexpr TwipRect kSlopeLabel{120, 630, 700, 255};
constexpr TwipRect kSlope{840, 600, 960, 300};
constexpr TwipRect kCurveLabel{120, 960, 700, 255};
constexpr TwipRect kCurve{840, 930, 960, 300};
constexpr TwipRect kMinus{120, 1290, 420, 330};
constexpr TwipRect kPlus{600, 1290, 420, 330};
constexpr TwipRect kFit{1080, 1290, 720, 330};
constexpr TwipRect kNSPlot{120, 1665, 1680, 330};
constexpr TwipRect kInterpolate{120, 5520, 1200, 315};
constexpr TwipRect kSpline{1380, 5505, 1400, 345};
constexpr TwipRect kCopyInterp{2840, 5505, 2200, 345};
constexpr TwipRect kSlopesLabel{120, 5985, 700, 255};
constexpr TwipRect kSplineLeft{840, 5955, 700, 300};
constexpr TwipRect kSplineRight{1600, 5955, 700, 300};
constexpr TwipRect kOpenWindow{kRightColumn, 6120, kRightWidth, 345};

// A bound label box: shows the text and keeps it with the plot, so an exported picture carries
// the same labels.
class BoundLabel : public TextSink {
public:
    BoundLabel(QLineEdit* box, DisplayList& plot, int i) : box_(box), plot_(plot), i_(i) {}
    void SetText(const std::string& text) override {
        box_->setText(QString::fromStdString(text));
        plot_.SetBoundText(i_, text);
    }

private:
    QLineEdit* box_;
    DisplayList& plot_;
    int i_;
};

} // namespace

// What a screen reader says for each control, and the order Tab reads them in: the listing, the
// picture with its scale, the spline row under it, then the right-hand column top to bottom.
void ucTCurves::NameControls(QWidget* cmdOpenWindow) {
    const char* bounds[] = {"Largest rate", "Smallest rate", "Shortest maturity", "Longest maturity"};
    for (int i = 0; i < 4; ++i)
        Text1[i]->setAccessibleName(bounds[i]);
    // The picture box names itself after what it draws ("Empty plot" before the first curve).
    Label1[1]->setBuddy(txtLevel);
    Label1[2]->setBuddy(txtSlope);
    Label1[3]->setBuddy(txtCurve);
    txtLevel->setAccessibleName("Nelson-Siegel level");
    txtSlope->setAccessibleName("Nelson-Siegel slope");
    txtCurve->setAccessibleName("Nelson-Siegel curve");
    cmdMinus->setAccessibleName("Nelson-Siegel minus");
    cmdPlus->setAccessibleName("Nelson-Siegel plus");
    cmdNSFit->setAccessibleName("Nelson-Siegel fit");
    cmdNSPlot->setAccessibleName("Nelson-Siegel plot");
    txtSplineLeft->setAccessibleName("Spline slope at the first maturity");
    txtSplineRight->setAccessibleName("Spline slope at the last maturity");
    NameWithoutLabel(cmbFreq, "Compounding");
    NameWithoutLabel(cmbInterpolate, "Interpolation spacing");
    Grid1->setAccessibleName("Bond listing");
    ChainTabOrder({Grid1, Text1[0], pbox, Text1[1], Text1[2], Text1[3], cmdKeep, cmbInterpolate, cmdSpline,
                   cmdCopyInterp, txtSplineLeft, txtSplineRight, oCurveType[0], oCurveType[1], oCurveType[2],
                   cmbFreq, cmdPlot, cmdClear, txtLevel, txtSlope, txtCurve, cmdMinus, cmdPlus, cmdNSFit,
                   cmdNSPlot, cmdOpenWindow});
}

ucTCurves::ucTCurves(AppContext& app, QWidget* parent)
    : WorkPanel(parent), app_(app), curves_(std::make_unique<CurvesController>(app.session)) {
    setObjectName("ucTCurves");
    SetDesignSize(kDesignWidth, kDesignHeight);

    pbox = Place(new PictureBox(this), "pbox", kPicture);
    const char* boundNames[] = {"Text1_0", "Text1_1", "Text1_2", "Text1_3"};
    const TwipRect boundPlaces[] = {kBoundTop, kBoundBottom, kBoundLeft, kBoundRight};
    for (int i = 0; i < 4; ++i) {
        Text1[i] = Place(new QLineEdit(this), boundNames[i], boundPlaces[i]);
        Text1[i]->setReadOnly(true);
        Text1[i]->setFrame(false);
        Text1[i]->setAlignment(i == 2 ? Qt::AlignLeft : Qt::AlignRight);
        boundSinks_[i] = std::make_unique<BoundLabel>(Text1[i], pbox->Plot(), i);
    }
    Text1[0]->setToolTip("Largest rate on the plot's scale");
    Text1[1]->setToolTip("Smallest rate on the plot's scale");
    Text1[2]->setToolTip("Shortest maturity (years) on the plot's scale");
    Text1[3]->setToolTip("Longest maturity (years) on the plot's scale");
    cmdClear = Place(new QPushButton("Clear", this), "cmdClear", kClear);
    cmdClear->setToolTip("Clear the plot");
    cmdKeep = Place(new QPushButton("&Keep", this), "cmdKeep", kKeep);
    cmdKeep->setToolTip("Keep the plotted curve to compare: the next day loaded is plotted over it in "
                        "another colour, with a legend of the dates (Clear removes all)");

    Frame1 = Place(new QGroupBox("Nelson-Siegel", this), "Frame1", kFrame);
    Label1[1] = Place(new QLabel("Level", Frame1), "Label1_1", kLevelLabel);
    txtLevel = Place(new QLineEdit(kNelsonSiegelDefaultTexts[0], Frame1), "txtLevel", kLevel);
    Label1[2] = Place(new QLabel("Slope", Frame1), "Label1_2", kSlopeLabel);
    txtSlope = Place(new QLineEdit(kNelsonSiegelDefaultTexts[1], Frame1), "txtSlope", kSlope);
    Label1[3] = Place(new QLabel("Curve", Frame1), "Label1_3", kCurveLabel);
    txtCurve = Place(new QLineEdit(kNelsonSiegelDefaultTexts[2], Frame1), "txtCurve", kCurve);
    cmdMinus = Place(new QPushButton("-", Frame1), "cmdMinus", kMinus);
    cmdPlus = Place(new QPushButton("+", Frame1), "cmdPlus", kPlus);
    cmdNSFit = Place(new QPushButton("F&it", Frame1), "cmdNSFit", kFit);
    cmdNSPlot = Place(new QPushButton("Plot", Frame1), "cmdNSPlot", kNSPlot);
    cmdMinus->setToolTip("Lower the last chosen parameter by 0.001 and redraw");
    cmdPlus->setToolTip("Raise the last chosen parameter by 0.001 and redraw");
    cmdNSFit->setToolTip("Fit level, slope and curve to the zero curve (decay 3 years)");
    cmdNSPlot->setToolTip("Draw the model over the zero curve (Enter in a box does the same)");

    Label1[0] = Place(new QLabel("Slopes", this), "Label1_0", kSlopesLabel);
    txtSplineLeft = Place(new QLineEdit("0", this), "txtSplineLeft", kSplineLeft);
    txtSplineRight = Place(new QLineEdit("0", this), "txtSplineRight", kSplineRight);
    txtSplineLeft->setToolTip("Slope of the spline at the first maturity");
    txtSplineRight->setToolTip("Slope of the spline at the last maturity");
    cmbFreq = Place(new QComboBox(this), "cmbFreq", kFreq);
    cmbFreq->setToolTip("Compounding of the zero and forward curves");
    cmbInterpolate = Place(new QComboBox(this), "cmbInterpolate", kInterpolate);
    cmbInterpolate->setToolTip("Spacing of the interpolated points");
    cmdCopyInterp = Place(new QPushButton("Copy Interpolation", this), "cmdCopyInterp", kCopyInterp);
    cmdCopyInterp->setToolTip("Copy years and rates at every point (spline, or straight lines)");
    cmdSpline = Place(new QPushButton("Cubic &Spline", this), "cmdSpline", kSpline);
    cmdSpline->setToolTip("Replot the curve and draw a cubic spline through it");
    cmdPlot = Place(new QPushButton("&Plot", this), "cmdPlot", kPlot);
    cmdPlot->setToolTip("Plot the chosen curve over what is drawn");
    const char* optionNames[] = {"oCurveType_0", "oCurveType_1", "oCurveType_2"};
    for (int i = 0; i < 3; ++i)
        oCurveType[i] = Place(new QRadioButton(kCurves[i].caption, this), optionNames[i], kCurveType[i]);
    Grid1 = Place(new GridView(this), "Grid1", kGrid);
    Grid1->SetEditable(false);
    Grid1->SetColumnTwips(kGridColumns);

    connect(cmdPlot, &QPushButton::clicked, this, &ucTCurves::cmdPlot_Click);
    auto* cmdOpenWindow = Place(new QPushButton("Open in &Window", this), "cmdOpenWindow", kOpenWindow);
    cmdOpenWindow->setToolTip("Show the picture in a resizable window that follows the panel");
    NameControls(cmdOpenWindow);
    connect(cmdOpenWindow, &QPushButton::clicked, this, [this] { ChartWindow::FollowPicture(pbox, this); });
    for (int i = 0; i < 3; ++i)
        connect(oCurveType[i], &QRadioButton::clicked, this, [this, i] { oCurveType_Click(i); });
    connect(cmbFreq, &QComboBox::currentIndexChanged, this, &ucTCurves::cmbFreq_Click);
    connect(cmdClear, &QPushButton::clicked, this, &ucTCurves::cmdClear_Click);
    connect(cmdKeep, &QPushButton::clicked, this, &ucTCurves::cmdKeep_Click);
    connect(cmdNSPlot, &QPushButton::clicked, this, &ucTCurves::cmdNSPlot_Click);
    connect(cmdNSFit, &QPushButton::clicked, this, &ucTCurves::cmdNSFit_Click);
    connect(cmdPlus, &QPushButton::clicked, this, &ucTCurves::cmdPlus_Click);
    connect(cmdMinus, &QPushButton::clicked, this, &ucTCurves::cmdMinus_Click);
    connect(cmdSpline, &QPushButton::clicked, this, &ucTCurves::cmdSpline_Click);
    connect(cmdCopyInterp, &QPushButton::clicked, this, &ucTCurves::cmdCopyInterp_Click);
    connect(Grid1, &GridView::ControlKey, this, &ucTCurves::Grid1_KeyCode);
    connect(Grid1, &GridView::FocusGained, this, [this](GridView* g) { app_.ActiveGrid = g; });
    for (QLineEdit* box : {txtLevel, txtSlope, txtCurve}) {
        box->installEventFilter(this);
        // Enter redraws; the key still reaches the box.
        connect(box, &QLineEdit::returnPressed, this, &ucTCurves::cmdNSPlot_Click);
    }
    connect(pbox, &PictureBox::PointerAt, this, [this](double years, double rate) {
        if (pbox->Plot().Lines().empty())
            return;
        emit StatusText(QString("Years %1   Rate %2%")
                            .arg(QString::fromStdString(FormatFixed(years, 4)))
                            .arg(QString::fromStdString(FormatFixed(rate * 100.0, 4))));
    });
    connect(pbox, &PictureBox::PointerLeft, this, [this] { emit StatusText(QString()); });

    // Creation, in the panel's order.
    ReadSize();
    SetUpDisplay();
    DoEvents(&app_.events);
    // The listing becomes the Edit menu's grid only when no other has it: at start-up that is the
    // data panel's grid, the one on screen.
    if (!app_.ActiveGrid)
        app_.ActiveGrid = Grid1;
    ActiveBox_ = txtLevel;
    CompFreq_ = -1;
    cmbInterpolate->clear();
    for (const StepEntry& step : kSteps)
        cmbInterpolate->addItem(step.caption);
    cmbInterpolate->setCurrentIndex(2);
    DoEvents(&app_.events);
    cmbFreq->clear();
    for (const CompoundingEntry& compounding : kCompoundings)
        cmbFreq->addItem(compounding.caption);
    cmbFreq->setCurrentIndex(0);
    DoEvents(&app_.events);
}

ucTCurves::~ucTCurves() {
    if (app_.ActiveGrid == Grid1)
        app_.ActiveGrid = nullptr;
}

int16_t ucTCurves::NumInterp() const {
    return curves_->HasPlot() ? curves_->Plot().NumInterp() : int16_t(0);
}

CurvesController& ucTCurves::Curves() {
    if (!curves_->HasPlot()) {
        std::array<TextSink*, 4> sinks{};
        for (size_t i = 0; i < 4; ++i)
            sinks[i] = boundSinks_[i].get();
        curves_->AttachPlot(*pbox, sinks, &app_.dialogs, &app_.events);
    }
    curves_->compFreq = CompFreq_;
    curves_->nelsonSiegelTexts = {txtLevel->text().toStdString(), txtSlope->text().toStdString(),
                                  txtCurve->text().toStdString()};
    curves_->leftSlopeText = txtSplineLeft->text().toStdString();
    curves_->rightSlopeText = txtSplineRight->text().toStdString();
    curves_->stepIndex = cmbInterpolate->currentIndex();
    curves_->chosen.reset();
    for (int i = 0; i < 3; ++i)
        if (oCurveType[i]->isChecked())
            curves_->chosen = kCurves[i].type;
    return *curves_;
}

void ucTCurves::Initialize() {
    FillCurvesListing(app_.session, Grid1->Model());
    // The listing has its eight columns only now; give them their widths.
    Grid1->SetColumnTwips(kGridColumns);
}

void ucTCurves::Forwards() {
    yarrow::Forwards(app_.session, CompFreq_);
}

void ucTCurves::cmdPlot_Click() {
    try {
        CurvesController& curves = Curves();
        if (!curves.chosen) {
            // Nothing chosen: the plot still starts afresh, but nothing is computed or drawn.
            curves.PlotChosen(Grid1->Model());
            return;
        }
        MousePointer::HourglassScope hourglass;
        curves.PlotChosen(Grid1->Model());
        DescribePicture();
        ShowWarnings(CurveWarnings(app_.session));
    } catch (const std::exception& e) {
        ReportError(app_.dialogs, app_.events, e);
    }
}

void ucTCurves::DescribePicture() {
    // The picture's spoken description names what its lines alone cannot tell.
    PlotSubject subject;
    const auto type = Curves().chosen;
    if (type && *type != CurveType::YieldToMaturity)
        for (const CompoundingEntry& c : kCompoundings)
            if (c.freq == Curves().compFreq || (c.freq < 0 && Curves().compFreq <= 0)) {
                subject.details.push_back(QString(c.caption).toLower().toStdString() + " compounding");
                break;
            }
    subject.details.push_back(std::to_string(app_.session.nBonds) + (app_.session.nBonds == 1 ? " bond" : " bonds"));
    pbox->SetSubject(subject);
}

void ucTCurves::oCurveType_Click(int) {
    cmdPlot_Click();
}

void ucTCurves::cmbFreq_Click() {
    CompFreq_ = CompFreqFromIndex(cmbFreq->currentIndex(), CompFreq_);
}

void ucTCurves::cmdClear_Click() {
    pbox->Clear();
    if (curves_->HasPlot())
        curves_->Plot().ForgetKept();
}

void ucTCurves::cmdKeep_Click() {
    DisplayList& plot = pbox->Plot();
    const std::vector<DisplayList::Line>& lines = plot.Lines();
    const auto curve = std::find_if(lines.rbegin(), lines.rend(),
                                    [](const DisplayList::Line& l) { return IsCurveLayer(l.layer); });
    if (curve == lines.rend() || !curves_->HasPlot() || !curves_->Plot().Keep(NextKeepColour(curve->colour))) {
        emit StatusText("Plot a curve first, then keep it.");
        return;
    }
    const std::string& date = app_.session.tableDate;
    plot.LabelUnlabelled(date.empty() ? std::string("(no date)") : date);
    pbox->update();
    emit StatusText("Curve kept: load another day and plot it to compare.");
}

void ucTCurves::cmdNSPlot_Click() {
    try {
        const Array1<float> model = Curves().Model(Curves().NelsonSiegel());
        if (!oCurveType[1]->isChecked()) {
            oCurveType[1]->setChecked(true);
            oCurveType_Click(1);
        }
        cmdPlot_Click();
        Curves().Plot().DrawNelsonSiegel(model);
    } catch (const std::exception& e) {
        ReportError(app_.dialogs, app_.events, e);
    }
}

void ucTCurves::cmdNSFit_Click() {
    try {
        // Always fit the zero curve as it stands now, even when "Zero" was already chosen.
        oCurveType[1]->setChecked(true);
        oCurveType_Click(1);
        const std::vector<std::string> warnings = NelsonSiegelFitWarnings(app_.session);
        CurvesController& curves = Curves();
        curves.Fit();
        txtLevel->setText(QString::fromStdString(curves.nelsonSiegelTexts[0]));
        txtSlope->setText(QString::fromStdString(curves.nelsonSiegelTexts[1]));
        txtCurve->setText(QString::fromStdString(curves.nelsonSiegelTexts[2]));
        cmdNSPlot_Click();
        ShowWarnings(warnings);
    } catch (const std::exception& e) {
        ReportError(app_.dialogs, app_.events, e);
    }
}

void ucTCurves::ShowWarnings(const std::vector<std::string>& warnings) {
    QStringList text;
    for (const std::string& w : warnings)
        text << QString::fromStdString(w);
    if (!text.isEmpty())
        emit StatusText(text.join("  "));
}

void ucTCurves::Nudge(float delta) {
    if (ActiveBox_) {
        std::string text = ActiveBox_->text().toStdString();
        if (NudgeNelsonSiegelParameter(text, delta))
            ActiveBox_->setText(QString::fromStdString(text));
    }
    cmdNSPlot_Click();
}

void ucTCurves::cmdPlus_Click() {
    Nudge(0.001f);
}

void ucTCurves::cmdMinus_Click() {
    Nudge(-0.001f);
}

void ucTCurves::cmdSpline_Click() {
    try {
        cmdPlot_Click();
        MousePointer::HourglassScope hourglass;
        Curves().DrawSpline();
    } catch (const std::exception& e) {
        ReportError(app_.dialogs, app_.events, e);
    }
}

void ucTCurves::cmdCopyInterp_Click() {
    try {
        const std::string text = Curves().InterpolationText();
        app_.clipboard.Clear();
        app_.clipboard.SetText(text);
        DoEvents(&app_.events);
    } catch (const std::exception& e) {
        ReportError(app_.dialogs, app_.events, e);
    }
}

void ucTCurves::Grid1_KeyCode(int code) {
    if (code == 3)
        Grid1->Copy(app_.clipboard, app_.dialogs);
    else if (code == 1)
        CopyWholeGrid(Grid1->Model(), app_.clipboard, app_.dialogs);
}

bool ucTCurves::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        for (QLineEdit* box : {txtLevel, txtSlope, txtCurve})
            if (watched == box)
                ActiveBox_ = box;
    }
    return WorkPanel::eventFilter(watched, event);
}

} // namespace yarrow
