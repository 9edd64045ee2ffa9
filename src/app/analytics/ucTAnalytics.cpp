#include "analytics/ucTAnalytics.h"

#include "base/Announce.h"
#include "base/IgnoreErrors.h"
#include "core/analytics/AnalyticsGrid.h"
#include "core/data/Session.h"
#include "core/grid/GridText.h"
#include "core/seams/PendingEvents.h"
#include "core/text/NumberText.h"
#include "core/numeric/Precision.h"
#include "core/text/RuntimeError.h"
#include "base/Accessibility.h"
#include "base/AppContext.h"
#include "widgets/ErrorReport.h"
#include "widgets/GridCellEditor.h"
#include "widgets/GridView.h"
#include "base/MousePointer.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace yarrow {

namespace {

} // namespace

ucTAnalytics::ucTAnalytics(AppContext& app, QWidget* parent) : WorkPanel(parent), app_(app) {
    setObjectName("ucTAnalytics");
    SetDesignSize(8400, 7260);

    Grid1 = Place(new GridView(this), "Grid1", {120, 120, 8160, 3000});
    Grid1->SetEditable(false);
    Grid1->SetColumnTwips({1050, 900, 900, 800, 950, 1050, 850, 950});
    Grid1->setToolTip("Every bond of the table. Ctrl+C copies the selection, Ctrl+A the whole grid.");

    Frame1 = Place(new QGroupBox("Cash Flows", this), "Frame1", {120, 3240, 4800, 3900});
    Label1 = Place(NewLabel("Number of Cash Flows", Frame1), "Label1", {120, 330, 1950, 255});
    txtCFNumFlows = Place(new QLineEdit("10", Frame1), "txtCFNumFlows", {2100, 290, 720, 315});
    txtCFNumFlows->setToolTip("How many flows Calculate reads; press Enter to size the table to it.");
    cmdCFPaste = Place(new QPushButton("&Paste Data", Frame1), "cmdCFPaste", {120, 720, 1400, 360});
    cmdCFPaste->setToolTip("Sizes the table from the count, then pastes time and amount columns from "
                           "the clipboard; more rows than the count raise it.");
    cmdClearData = Place(new QPushButton("Clear &Data", Frame1), "cmdClearData", {1620, 720, 1400, 360});
    cmdClearData->setToolTip("Empties the table, headings included.");
    cmdCFCalculate = Place(new QPushButton("Calcula&te", Frame1), "cmdCFCalculate", {3120, 720, 1400, 360});
    cmdCFCalculate->setToolTip("Values the first Number of Cash Flows rows off the continuous zero curve.");
    gridCF = Place(new GridView(Frame1), "gridCF", {120, 1200, 2400, 2580});
    gridCF->Model().SetRows(100);
    gridCF->Model().SetFixedCols(0);
    gridCF->SetColumnTwips({950, 1100});
    gridCF->CellEditor()->SetOptions({.spreadsheetKeys = true, .typeInCell = false, .accepts = {}});
    gridCF->setToolTip("Time (years from the quote date) and amount of each flow. Type, or paste from a "
                       "spreadsheet with Ctrl+V; Delete empties the selected cells.");
    lblCFValue = Place(NewLabel("Value", Frame1), "lblCFValue", {2640, 1260, 2040, 255});
    lblCFYield = Place(NewLabel("Yield", Frame1), "lblCFYield", {2640, 1590, 2040, 255});
    lblCFDuration = Place(NewLabel("$Duration", Frame1), "lblCFDuration", {2640, 1920, 2040, 255});
    lblCFConvexity = Place(NewLabel("$Convexity", Frame1), "lblCFConvexity", {2640, 2250, 2040, 255});
    Label2 =
        Place(NewLabel("Analysis assumes continuous compounding", Frame1), "Label2", {2640, 2700, 2040, 600});
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Frame2 = Place(new QGroupBox("Portfolio", this), "Frame2", {5040, 3240, 3240, 3900});
    Label3[1] = Place(NewLabel("Target Value", Frame2), "Label3_1", {120, 330, 1620, 255});
    txtTargetVal = Place(new QLineEdit(Frame2), "txtTargetVal", {1800, 290, 1320, 315});
    Label3[0] = Place(NewLabel("Target $Duration", Frame2), "Label3_0", {120, 720, 1620, 255});
    txtTargetDur = Place(new QLineEdit(Frame2), "txtTargetDur", {1800, 680, 1320, 315});
    Label3[2] = Place(NewLabel("Target $Convexity", Frame2), "Label3_2", {120, 1110, 1620, 255});
    txtTargetConv = Place(new QLineEdit(Frame2), "txtTargetConv", {1800, 1070, 1320, 315});
    txtTargetConv->setToolTip("The least dollar convexity the holdings must have (Min Convexity only).");
    chkCFValues =
        Place(new QCheckBox("&Match Cash Flow Parameters", Frame2), "chkCFValues", {120, 1560, 3000, 285});
    chkCFValues->setToolTip("Targets are the value, $duration and $convexity of the last Calculate.");
    oStrategy[0] = Place(new QRadioButton("Max &Yield", Frame2), "oStrategy_0", {120, 1980, 2400, 285});
    oStrategy[0]->setToolTip("Greatest duration-weighted yield.");
    oStrategy[1] = Place(new QRadioButton("Min Con&vexity", Frame2), "oStrategy_1", {120, 2310, 2400, 285});
    oStrategy[1]->setToolTip("Least dollar convexity that still reaches the target $convexity.");
    oStrategy[0]->setChecked(true);
    cmdSolve = Place(new QPushButton("&Solve", Frame2), "cmdSolve", {120, 2820, 1400, 390});
    cmdSolve->setToolTip("Holdings (no short positions) that reach the targets; written into Quantity.");

    connect(txtCFNumFlows, &QLineEdit::returnPressed, this, [this] { txtCFNumFlows_KeyPress(13); });
    connect(cmdCFPaste, &QPushButton::clicked, this, &ucTAnalytics::cmdCFPaste_Click);
    connect(cmdClearData, &QPushButton::clicked, this, &ucTAnalytics::cmdClearData_Click);
    connect(cmdCFCalculate, &QPushButton::clicked, this, &ucTAnalytics::cmdCFCalculate_Click);
    connect(chkCFValues, &QCheckBox::clicked, this, &ucTAnalytics::chkCFValues_Click);
    connect(cmdSolve, &QPushButton::clicked, this, &ucTAnalytics::cmdSolve_Click);
    connect(Grid1, &GridView::ControlKey, this, &ucTAnalytics::Grid1_KeyCode);
    connect(gridCF, &GridView::ControlKey, this, &ucTAnalytics::gridCF_KeyCode);
    for (GridView* g : {Grid1, gridCF})
        connect(g, &GridView::FocusGained, this, [this](GridView* grid) { app_.ActiveGrid = grid; });
    // Edit > Paste: the bond grid is computed, the cash-flow grid takes the block at its selection.
    Grid1->SetPasteHandler([this] {
        emit StatusText("The bond grid is computed from the bond table; paste into the cash-flow table.");
    });
    gridCF->SetPasteHandler(
        [this] { FitFlowCount(PasteGrowingGrid(gridCF->Model(), app_.clipboard, app_.dialogs)); });

    // What a screen reader says for each control, and Tab in reading order.
    Label1->setBuddy(txtCFNumFlows);
    Label3[1]->setBuddy(txtTargetVal);
    Label3[0]->setBuddy(txtTargetDur);
    Label3[2]->setBuddy(txtTargetConv);
    Grid1->setAccessibleName("Bond analytics");
    gridCF->setAccessibleName("Cash flows");
    ChainTabOrder({Grid1, txtCFNumFlows, cmdCFPaste, cmdClearData, cmdCFCalculate, gridCF, txtTargetVal,
                   txtTargetDur, txtTargetConv, chkCFValues, oStrategy[0], oStrategy[1], cmdSolve});

    ReadSize();
    SetUpDisplay();
}

void ucTAnalytics::Initialize() {
    MousePointer::Hourglass();
    app_.ActiveGrid = Grid1;
    const std::vector<int> noYield = FillAnalyticsGrid(app_.session, Grid1->Model(), gridCF->Model());
    const std::string note = NoYieldNote(app_.session, noYield);
    emit StatusText(note.empty() ? QString("Analytics: %1 bond(s); zero curve bootstrapped with continuous "
                                           "compounding.")
                                       .arg(app_.session.nBonds)
                                 : QString::fromStdString(note));
    MousePointer::Normal();
}

void ucTAnalytics::txtCFNumFlows_KeyPress(int keyAscii) {
    if (keyAscii != 13)
        return;
    GridModel& g = gridCF->Model();
    g.Clear();
    IgnoreErrors([&] { g.SetRows(CashFlowGridRows(txtCFNumFlows->text().toStdString())); });
    g.SetTextMatrix(0, 0, "Time");
    g.SetTextMatrix(0, 1, "Cash Flow");
}

void ucTAnalytics::cmdCFPaste_Click() {
    txtCFNumFlows_KeyPress(13);
    FitFlowCount(PasteIntoGrowingBody(gridCF->Model(), app_.clipboard, app_.dialogs));
}

void ucTAnalytics::cmdClearData_Click() {
    gridCF->Model().Clear();
}

void ucTAnalytics::cmdCFCalculate_Click() {
    try {
        CalculateCashFlows(app_.session, gridCF->Model(), txtCFNumFlows->text().toStdString(), cf_);
        const auto captions = CashFlowCaptions(cf_);
        SetAnnouncedText(lblCFValue, QString::fromStdString(captions[0]));
        SetAnnouncedText(lblCFYield, QString::fromStdString(captions[1]));
        SetAnnouncedText(lblCFDuration, QString::fromStdString(captions[2]));
        SetAnnouncedText(lblCFConvexity, QString::fromStdString(captions[3]));
        if (cf_.cfYield == kNoYield)
            emit StatusText("No continuous yield between 0.01% and 99% gives this stream its value.");
        DoEvents(&app_.events);
    } catch (const std::exception& e) {
        ReportError(app_.dialogs, app_.events, e);
    }
}

void ucTAnalytics::chkCFValues_Click() {
    const bool typed = !chkCFValues->isChecked();
    for (QLineEdit* box : {txtTargetVal, txtTargetDur, txtTargetConv})
        box->setEnabled(typed);
    DoEvents(&app_.events);
}

void ucTAnalytics::cmdSolve_Click() {
    try {
        if (oStrategy[0]->isChecked())
            SolveMaxYield();
        else
            SolveMinConvexity();
        DoEvents(&app_.events);
    } catch (const std::exception& e) {
        ReportError(app_.dialogs, app_.events, e);
    }
}

PortfolioTargets ucTAnalytics::ReadTargets(bool withConvexity) const {
    if (chkCFValues->checkState() != Qt::Unchecked)
        return {cf_.cfValue, cf_.cfDollarDuration, withConvexity ? cf_.cfDollarConvexity : 0.0f};
    auto box = [](const QLineEdit* b) { return CSng(Val(b->text().toStdString())); };
    return {box(txtTargetVal), box(txtTargetDur), withConvexity ? box(txtTargetConv) : 0.0f};
}

void ucTAnalytics::SolveMinConvexity() {
    Solve(Strategy::MinConvexity);
}

void ucTAnalytics::SolveMaxYield() {
    Solve(Strategy::MaxYield);
}

void ucTAnalytics::Solve(Strategy strategy) {
    const PortfolioTargets targets = ReadTargets(strategy == Strategy::MinConvexity);
    MousePointer::Hourglass();
    const PortfolioSolution solution = SolvePortfolio(app_.session, strategy, targets);
    WriteQuantities(solution, app_.session.nBonds, Grid1->Model());
    lastHoldings_.clear();
    if (solution.status == 0)
        for (int i = 1; i <= app_.session.nBonds && i - 1 <= solution.x.UBound(); ++i)
            lastHoldings_.push_back({app_.session.Bond(i).GetName(), solution.x(i - 1)});
    emit StatusText(QString::fromStdString(SolveStatusText(app_.session, solution)));
    emit Solved();
    MousePointer::Normal();
    DoEvents(&app_.events);
}

void ucTAnalytics::Grid1_KeyCode(int code) {
    if (code == 3)
        CopyGridSelection(Grid1->Model(), app_.clipboard, app_.dialogs);
    else if (code == 1)
        CopyWholeGrid(Grid1->Model(), app_.clipboard, app_.dialogs);
}

void ucTAnalytics::gridCF_KeyCode(int code) {
    if (code == 3)
        CopyGridSelection(gridCF->Model(), app_.clipboard, app_.dialogs);
    else if (code == 1)
        CopyWholeGrid(gridCF->Model(), app_.clipboard, app_.dialogs);
    else if (code == 22)
        FitFlowCount(PasteIntoGrowingBody(gridCF->Model(), app_.clipboard, app_.dialogs));
}

void ucTAnalytics::FitFlowCount(int lastRow) {
    if (lastRow < 1)
        return;
    int count = 0;
    IgnoreErrors([&] { count = CInt(Val(txtCFNumFlows->text().toStdString())); });
    if (lastRow <= count)
        return;
    txtCFNumFlows->setText(QString::number(lastRow));
    emit StatusText(QString("Number of Cash Flows raised to %1 to take every pasted row.").arg(lastRow));
}

} // namespace yarrow
