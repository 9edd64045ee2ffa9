#include "shell/frmYarrow.h"

#include "analytics/ucTAnalytics.h"
#include "base/Accessibility.h"
#include "base/AppContext.h"
#include "base/IgnoreErrors.h"
#include "base/Twips.h"
#include "calculators/calcs.h"
#include "core/data/Session.h"
#include "core/seams/Dialogs.h"
#include "core/text/RuntimeError.h"
#include "core/seams/PendingEvents.h"
#include "curves/ucTCurves.h"
#include "data/frmCurveOfDate.h"
#include "data/frmUpdateHistory.h"
#include "data/ucYarrowData.h"
#include "lessons/LessonSource.h"
#include "lessons/frmFactors.h"
#include "shell/NavigateCombo.h"
#include "widgets/ErrorReport.h"
#include "widgets/GridView.h"
#include "widgets/WebBrowserPane.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

namespace yarrow {

namespace {
// Where every panel sits on the client area (twips).
constexpr TwipRect kPanelCorner{120, 540, 0, 0};
} // namespace

frmYarrow::frmYarrow(AppContext& app, QWidget* parent) : QMainWindow(parent), app_(app) {
    setObjectName("frmYarrow");
    setWindowTitle("QAL Yarrow");
    new KeyboardConventions(this);
    BuildControls();
    BuildMenus();
    InstallPaneKeys();
    // A workbook dropped anywhere on the window opens for the spreadsheet link; the browser panes
    // would otherwise take the drop and show the file.
    setAcceptDrops(true);
    Browser1->setAcceptDrops(false);
    Browser2->setAcceptDrops(false);
    resize(1280, 900);
}

frmYarrow::~frmYarrow() {
    // Every grid the active grid can be goes with the window.
    app_.ActiveGrid = nullptr;
}

BrowserPane& frmYarrow::Browser1Pane() const {
    return *pane1_;
}

BrowserPane& frmYarrow::Browser2Pane() const {
    return *pane2_;
}

QAction* frmYarrow::AddMenuItem(QMenu* menu, const char* name, const char* caption,
                                void (frmYarrow::*handler)()) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, handler);
    return a;
}

void frmYarrow::BuildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("mnuFile");
    QAction* open =
        AddMenuItem(file, "mnuOpenWorkbook", "&Open Workbook...", &frmYarrow::mnuOpenWorkbook_Click);
    open->setShortcut(QKeySequence::Open);
    open->setToolTip("Open a workbook (.xlsx, .xlsm, .ods, .csv) for \"Data from Excel\"");
    AddMenuItem(file, "mnuCloseWorkbook", "C&lose Workbook", &frmYarrow::mnuCloseWorkbook_Click)
        ->setToolTip("Close the workbook of the chosen sheet");
    QAction* savePlot =
        AddMenuItem(file, "mnuSavePlotAs", "Save Plot &As...", &frmYarrow::mnuSavePlotAs_Click);
    savePlot->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    savePlot->setToolTip("Save the curves panel's picture as PNG or SVG");
    QAction* dataTable = AddMenuItem(file, "mnuDataTable", "&Data Table...", &frmYarrow::mnuDataTable_Click);
    dataTable->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    dataTable->setToolTip("List the plotted points of the curves panel's picture as a table to read and copy");
    QAction* exportTable =
        AddMenuItem(file, "mnuFileExport", "&Export Table...", &frmYarrow::mnuFileExport_Click);
    exportTable->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    exportTable->setToolTip("Save the grid you last clicked as a CSV file");
    QAction* curveOfDate =
        AddMenuItem(file, "mnuCurveOfDate", "Treasury &Curve of a Date...", &frmYarrow::mnuCurveOfDate_Click);
    curveOfDate->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    curveOfDate->setToolTip("Load the Treasury curve of any business day from 1962 to the newest day held");
    AddMenuItem(file, "mnuUpdateHistory", "&Update Treasury History...", &frmYarrow::mnuUpdateHistory_Click)
        ->setToolTip("Add the days since the newest day held, from the Treasury or FRED");
    file->addSeparator();
    AddMenuItem(file, "mnuHomePage", "&Home Page", &frmYarrow::mnuHomePage_Click);
    file->addSeparator();
    AddMenuItem(file, "mnuStudentForum", "&Student Forum", &frmYarrow::mnuStudentForum_Click);
    AddMenuItem(file, "mnuInstructorForum", "&Instructor's Forum Setup",
                &frmYarrow::mnuInstructorForum_Click);
    file->addSeparator();
    AddMenuItem(file, "mnuFileExit", "E&xit", &frmYarrow::mnuFileExit_Click);

    QMenu* edit = menuBar()->addMenu("&Edit");
    edit->setObjectName("mnuEdit");
    AddMenuItem(edit, "mnuEditCopy", "&Copy", &frmYarrow::mnuEditCopy_Click);
    AddMenuItem(edit, "mnuEditPaste", "&Paste", &frmYarrow::mnuEditPaste_Click);

    QMenu* options = menuBar()->addMenu("&Options");
    options->setObjectName("mnuOptions");
    AddMenuItem(options, "mnuLayout0", "&Reduce Bottom Window", &frmYarrow::mnuLayout0_Click);
    AddMenuItem(options, "mnuLayout1", "&Expand Bottom Window", &frmYarrow::mnuLayout1_Click);
    options->addSeparator();
    AddMenuItem(options, "mnuOptionsLargeDisplay", "&Large Display",
                &frmYarrow::mnuOptionsLargeDisplay_Click);
    AddMenuItem(options, "mnuOptionsNormalDisplay", "&Normal Display",
                &frmYarrow::mnuOptionsNormalDisplay_Click);

    // The teaching windows beyond the panels each add their item here.
    lessons_ = menuBar()->addMenu("&Lessons");
    lessons_->setObjectName("mnuLessons");
    AddMenuItem(lessons_, "mnuRateShocks", "Rate &Shocks...", &frmYarrow::mnuRateShocks_Click)
        ->setToolTip("Shift the zero curve and compare the exact repricing with duration and convexity");
    LessonSource::AddLessonItems(lessons_, this);
    frmFactors::AddToMenu(lessons_, this);

    QAction* calculator = menuBar()->addAction("&Calculator");
    calculator->setObjectName("mnuCalculator");
    connect(calculator, &QAction::triggered, this, &frmYarrow::mnuCalculator_Click);

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("mnuHelp");
    AddMenuItem(help, "mnuModHelp", "&Module Specific Help", &frmYarrow::mnuModHelp_Click);
    AddMenuItem(help, "mnuHelpModule", "&Help", &frmYarrow::mnuHelpModule_Click);
    help->addSeparator();
    AddMenuItem(help, "mnuKeyboardShortcuts", "&Keyboard Shortcuts", &frmYarrow::mnuKeyboardShortcuts_Click)
        ->setToolTip("Every key of the program: menus, buttons, boxes and panes");
}

void frmYarrow::Load() {
    pages_ = SitePageAddresses(app_.siteRoot);
    pages_.ModulePageURL = CompleteModulePageURL(pages_.ModulePageURL, pages_.HelpPageURL);

    ucYarrowData1->InitializeBrowser(pane2_);

    cmbNavigate->clear();
    cmbNavigate->addItem(pages_.BloombergURL);
    cmbNavigate->addItem(pages_.FederalReserveURL);
    cmbNavigate->addItem(pages_.MakerHomeURL);
    // The list is filled; nothing is chosen until the user picks an entry.
    cmbNavigate->setCurrentIndex(-1);
    cmbNavigate->setEditText(QString());

    pane1_->SetRegisterAsBrowser(true);
    DoEvents(&app_.events);
    pane1_->Navigate(pages_.ModulePageURL);
    DoEvents(&app_.events);
    pane2_->Navigate(pages_.LinksURL, BrowserPane::kNavNoReadFromCache);
    DoEvents(&app_.events);

    cmdRestart_Click();
    show();
    mnuLayout1_Click();
    DoEvents(&app_.events);
}

void frmYarrow::AddPanel(const PanelEntry& entry) {
    SetTwipLeft(entry.panel, kPanelCorner.left);
    SetTwipTop(entry.panel, kPanelCorner.top);
    entry.panel->hide();
    panels_.push_back(entry);
}

const frmYarrow::PanelEntry* frmYarrow::EntryOf(const WorkPanel* panel) const {
    for (const PanelEntry& e : panels_)
        if (e.panel == panel)
            return &e;
    return nullptr;
}

void frmYarrow::ShowPanel(const PanelEntry& e) {
    WorkPanel* q = e.panel;
    SetTwipHeight(q, float(q->ucHeight()));
    SetTwipWidth(q, float(q->ucWidth()));
    CurrentPanel_ = q;
    if (e.shareCorner) {
        const TwipRect corner = GetTwips(ucYarrowData1);
        SetTwipLeft(q, corner.left);
        SetTwipTop(q, corner.top);
    }
    for (const PanelEntry& other : panels_)
        other.panel->setVisible(other.panel == q);
}

void frmYarrow::OpenPanel(WorkPanel* q) {
    const PanelEntry* e = EntryOf(q);
    if (!e)
        return;
    try {
        if (e->needsBonds) {
            if (app_.session.nBonds <= 0) {
                app_.dialogs.Message(kNoBondsMessage, kMessageTitle, MessageIcon::Critical);
                return;
            }
            DoEvents(&app_.events);
        }
        ShowPanel(*e);
        if (e->initializeOnShow)
            DoEvents(&app_.events);
        PositionBrowsers();
        if (e->initializeOnShow) {
            if (e->eventsBeforeInitialize)
                DoEvents(&app_.events);
            q->Initialize();
        }
        DoEvents(&app_.events);
    } catch (const std::exception& ex) {
        ReportError(app_.dialogs, app_.events, ex);
    }
}

void frmYarrow::cmdRestart_Click() {
    OpenPanel(ucYarrowData1);
}

void frmYarrow::cmdYieldCurve_Click() {
    OpenPanel(ucTCurves1);
}

void frmYarrow::cmdAnalytics_Click() {
    OpenPanel(ucTAnalytics1);
}

void frmYarrow::StopBothPanes() {
    pane1_->Stop();
    pane1_->SetTag(BrowserPane::kAllDone);
    pane2_->Stop();
    pane2_->SetTag(BrowserPane::kAllDone);
    DoEvents(&app_.events);
}

void frmYarrow::cmdStop_Click() {
    StopBothPanes();
}

void frmYarrow::EndProgram() {
    if (app_.endProgram)
        app_.endProgram();
    else
        QCoreApplication::exit(0);
}

void frmYarrow::closeEvent(QCloseEvent* event) {
    ucYarrowData1->SetEnding(true);
    StopBothPanes();
    event->accept();
    EndProgram();
}

void frmYarrow::mnuFileExit_Click() {
    ucYarrowData1->SetEnding(true);
    StopBothPanes();
    EndProgram();
}

bool frmYarrow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) {
        PositionBrowsers();
    } else if (event->type() == QEvent::KeyPress && cmbNavigate && watched == cmbNavigate->lineEdit()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            cmbNavigate_Enter();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmYarrow::cmbNavigate_Activated() {
    NavigateCombo(*pane2_, *cmbNavigate, app_.events);
}

void frmYarrow::cmbNavigate_Enter() {
    pane2_->Navigate(cmbNavigate->currentText());
}

void frmYarrow::mnuHomePage_Click() {
    pane1_->Navigate(pages_.HomePageURL);
    DoEvents(&app_.events);
}

void frmYarrow::mnuStudentForum_Click() {
    pane1_->Navigate(pages_.ForumURL);
}

void frmYarrow::mnuInstructorForum_Click() {
    pane1_->Navigate(pages_.ForumAdminURL);
}

void frmYarrow::mnuEditCopy_Click() {
    if (app_.ActiveGrid)
        app_.ActiveGrid->Copy(app_.clipboard, app_.dialogs);
}

void frmYarrow::mnuEditPaste_Click() {
    if (app_.ActiveGrid)
        app_.ActiveGrid->Paste(app_.clipboard, app_.dialogs);
}

void frmYarrow::mnuLayout0_Click() {
    ExpandBottom_ = false;
    PositionBrowsers();
}

void frmYarrow::mnuLayout1_Click() {
    ExpandBottom_ = true;
    PositionBrowsers();
}

void frmYarrow::SetDisplaySize(bool large) {
    WorkPanel* p = CurrentPanel_;
    if (!p)
        return;
    IgnoreErrors([&] {
        if (large)
            p->EnlargeFont();
        else
            p->ReduceFont();
    });
    IgnoreErrors([&] { SetTwipWidth(p, float(p->ucWidth())); });
    IgnoreErrors([&] { SetTwipHeight(p, float(p->ucHeight())); });
    PositionBrowsers();
}

void frmYarrow::mnuOptionsLargeDisplay_Click() {
    SetDisplaySize(true);
}

void frmYarrow::mnuOptionsNormalDisplay_Click() {
    SetDisplaySize(false);
}

void frmYarrow::mnuCalculator_Click() {
    if (!calcs_)
        calcs_ = new calcs(app_, this);
    calcs_->show();
    calcs_->raise();
}

void frmYarrow::mnuModHelp_Click() {
    pane1_->Navigate(pages_.ModulePageURL);
}

void frmYarrow::mnuHelpModule_Click() {
    pane1_->Navigate(pages_.HelpPageURL);
}

} // namespace yarrow
