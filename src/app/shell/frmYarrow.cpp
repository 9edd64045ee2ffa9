#include "shell/frmYarrow.h"

#include "analytics/ucTAnalytics.h"
#include "calculators/calcs.h"
#include "core/data/CmtHistory.h"
#include "core/data/Session.h"
#include "core/grid/GridCsv.h"
#include "core/seams/Dialogs.h"
#include "core/seams/PendingEvents.h"
#include "core/text/RuntimeError.h"
#include "curves/ucTCurves.h"
#include "data/frmCurveOfDate.h"
#include "data/ucYarrowData.h"
#include "io/plot/PlotPainter.h"
#include "lessons/frmFactors.h"
#include "shell/AppContext.h"
#include "shell/BrowserLayout.h"
#include "shell/NavigateCombo.h"
#include "shell/Twips.h"
#include "widgets/ErrorReport.h"
#include "widgets/GridView.h"
#include "widgets/LineControl.h"
#include "widgets/PictureBox.h"
#include "widgets/WebBrowserPane.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QStatusBar>
#include <QTimer>
#include <QWebEngineView>

namespace yarrow {

namespace {

// Design-time places of the controls PositionBrowsers does not move (twips on the client area).
constexpr TwipRect kPanelCorner{120, 540, 0, 0};
constexpr float kButtonTop = 90;
constexpr float kButtonHeight = 345;
constexpr float kAddressHeight = 330;
constexpr float kLabelHeight = 255;

QPixmap YarrowPicture(int size) {
    // A yarrow head: a flat cluster of small white florets on a green stem.
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 120, 50), size / 12.0));
    p.drawLine(QPointF(size * 0.5, size * 0.45), QPointF(size * 0.5, size * 0.98));
    p.setPen(QPen(QColor(150, 150, 150), 0.6));
    p.setBrush(QColor(250, 250, 245));
    const double r = size * 0.11;
    const QPointF florets[] = {{0.5, 0.22}, {0.3, 0.3},  {0.7, 0.3},  {0.2, 0.45},  {0.4, 0.42},
                               {0.6, 0.42}, {0.8, 0.45}, {0.5, 0.08}, {0.33, 0.14}, {0.67, 0.14}};
    for (const QPointF& f : florets)
        p.drawEllipse(QPointF(f.x() * size, f.y() * size), r, r);
    return pm;
}

QPixmap BadgePicture(int width, int height) {
    QPixmap pm(width, height);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(32, 74, 135));
    p.drawRoundedRect(QRectF(0, 0, width, height), 4, 4);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(height * 6 / 10);
    p.setFont(f);
    p.drawText(QRect(0, 0, width, height), Qt::AlignCenter, "QAL Yarrow");
    return pm;
}

template <typename T> T* Make(T* control, const char* objectName, const TwipRect& r) {
    control->setObjectName(objectName);
    SetTwips(control, r);
    return control;
}

// One statement of the display-size items: a panel without the property keeps its size.
template <typename F> void IgnoreErrors(F&& statement) {
    try {
        statement();
    } catch (const RuntimeError&) {
    }
}

} // namespace

frmYarrow::frmYarrow(AppContext& app, QWidget* parent) : QMainWindow(parent), app_(app) {
    setObjectName("frmYarrow");
    setWindowTitle("QAL Yarrow");
    BuildControls();
    BuildMenus();
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

void frmYarrow::BuildControls() {
    client_ = new QWidget(this);
    client_->setObjectName("frmYarrowClient");
    setCentralWidget(client_);
    client_->installEventFilter(this);

    Image1 = Make(new QLabel(client_), "Image1", {120, 45, 420, 420});
    Image1->setPixmap(YarrowPicture(28));
    cmdRestart =
        Make(new QPushButton("Restart", client_), "cmdRestart", {660, kButtonTop, 1200, kButtonHeight});
    cmdYieldCurve =
        Make(new QPushButton("Curves", client_), "cmdYieldCurve", {1920, kButtonTop, 1200, kButtonHeight});
    cmdAnalytics =
        Make(new QPushButton("Analytics", client_), "cmdAnalytics", {3180, kButtonTop, 1200, kButtonHeight});
    Image2 = Make(new QLabel(client_), "Image2", {4500, 90, 1500, 345});
    Image2->setPixmap(BadgePicture(100, 23));

    ucYarrowData1 = new ucYarrowData(app_, client_);
    ucYarrowData1->setObjectName("ucYarrowData1");
    ucTCurves1 = new ucTCurves(app_, client_);
    ucTCurves1->setObjectName("ucTCurves1");
    ucTAnalytics1 = new ucTAnalytics(app_, client_);
    ucTAnalytics1->setObjectName("ucTAnalytics1");
    // "Restart" shows the data panel as it stands; the other two need bonds, take the data panel's
    // corner and initialise on every showing ("Analytics" lets pending events run once more first).
    AddPanel({.panel = ucYarrowData1, .button = cmdRestart});
    AddPanel({.panel = ucTCurves1,
              .button = cmdYieldCurve,
              .needsBonds = true,
              .shareCorner = true,
              .initializeOnShow = true});
    AddPanel({.panel = ucTAnalytics1,
              .button = cmdAnalytics,
              .needsBonds = true,
              .shareCorner = true,
              .initializeOnShow = true,
              .eventsBeforeInitialize = true});
    ucYarrowData1->show();
    CurrentPanel_ = ucYarrowData1;

    Browser1 = CreateBrowserControl(client_, "Browser1", &pane1_);
    SetTwips(Browser1, {6300, 540, 8000, 7000});
    cmdBack = Make(new QPushButton("Back <", client_), "cmdBack", {6300, kButtonTop, 1100, kButtonHeight});
    cmdForward =
        Make(new QPushButton("Forward >", client_), "cmdForward", {7425, kButtonTop, 1100, kButtonHeight});
    cmdStop = Make(new QPushButton("Stop", client_), "cmdStop", {8550, kButtonTop, 900, kButtonHeight});

    Browser2 = CreateBrowserControl(client_, "Browser2", &pane2_);
    SetTwips(Browser2, {120, 8400, 14000, 3000});
    cmbNavigate = Make(new QComboBox(client_), "cmbNavigate", {120, 7750, 4000, kAddressHeight});
    cmbNavigate->setEditable(true);
    cmbNavigate->setInsertPolicy(QComboBox::NoInsert);
    cmdBotBack = Make(new QPushButton("Back <", client_), "cmdBotBack", {4125, 7750, 1000, kAddressHeight});
    cmdBotForward =
        Make(new QPushButton("Forward >", client_), "cmdBotForward", {5130, 7750, 1000, kAddressHeight});
    lblAddressBot =
        Make(new QLabel("Bottom Window", client_), "lblAddressBot", {120, 8100, 1500, kLabelHeight});

    Line1[0] = Make(new LineControl(client_), "Line1_0", {});
    Line1[0]->SetPoints(120, 480, 6120, 480);
    Line1[1] = Make(new LineControl(client_), "Line1_1", {});
    // The address row sits over the top of the lower pane when the two meet.
    cmbNavigate->raise();
    cmdBotBack->raise();
    cmdBotForward->raise();

    statusText_ = new QLabel(this);
    statusText_->setObjectName("lblStatus");
    statusBar()->addWidget(statusText_, 1);

    for (const PanelEntry& e : panels_)
        connect(e.button, &QPushButton::clicked, this, [this, p = e.panel] { OpenPanel(p); });
    connect(cmdStop, &QPushButton::clicked, this, &frmYarrow::cmdStop_Click);
    // Back/Forward without history do nothing; there is nothing to report.
    connect(cmdBack, &QPushButton::clicked, this, [this] {
        pane1_->GoBack();
        DoEvents(&app_.events);
    });
    connect(cmdForward, &QPushButton::clicked, this, [this] {
        pane1_->GoForward();
        DoEvents(&app_.events);
    });
    connect(cmdBotBack, &QPushButton::clicked, this, [this] {
        pane2_->GoBack();
        DoEvents(&app_.events);
    });
    connect(cmdBotForward, &QPushButton::clicked, this, [this] {
        pane2_->GoForward();
        DoEvents(&app_.events);
    });
    connect(cmbNavigate, &QComboBox::activated, this, &frmYarrow::cmbNavigate_Activated);
    cmbNavigate->lineEdit()->installEventFilter(this);
    connect(ucYarrowData1, &ucYarrowData::StatusText, statusText_, &QLabel::setText);
    connect(ucTCurves1, &ucTCurves::StatusText, statusText_, &QLabel::setText);
    connect(ucTAnalytics1, &ucTAnalytics::StatusText, statusText_, &QLabel::setText);
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
    QAction* exportTable =
        AddMenuItem(file, "mnuFileExport", "&Export Table...", &frmYarrow::mnuFileExport_Click);
    exportTable->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    exportTable->setToolTip("Save the grid you last clicked as a CSV file");
    QAction* curveOfDate =
        AddMenuItem(file, "mnuCurveOfDate", "Treasury &Curve of a Date...", &frmYarrow::mnuCurveOfDate_Click);
    curveOfDate->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    curveOfDate->setToolTip("Load the Treasury curve of any business day from 1962 to 2025");
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
    frmFactors::AddToMenu(lessons_, this);

    QAction* calculator = menuBar()->addAction("&Calculator");
    calculator->setObjectName("mnuCalculator");
    connect(calculator, &QAction::triggered, this, &frmYarrow::mnuCalculator_Click);

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("mnuHelp");
    AddMenuItem(help, "mnuModHelp", "&Module Specific Help", &frmYarrow::mnuModHelp_Click);
    AddMenuItem(help, "mnuHelpModule", "&Help", &frmYarrow::mnuHelpModule_Click);
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

void frmYarrow::PositionBrowsers() {
    if (!CurrentPanel_)
        return;
    BrowserLayoutInput in;
    in.panel = GetTwips(CurrentPanel_);
    in.windowWidth = float(frameGeometry().width() * kTwipsPerPixel);
    in.scaleWidth = float(client_->width() * kTwipsPerPixel);
    in.scaleHeight = float(client_->height() * kTwipsPerPixel);
    in.minimized = isMinimized();
    in.expandBottom = ExpandBottom_;

    BrowserLayoutControls c;
    c.browser1 = GetTwips(Browser1);
    c.cmdBack = GetTwips(cmdBack);
    c.cmdForward = GetTwips(cmdForward);
    c.cmdStop = GetTwips(cmdStop);
    c.cmbNavigate = GetTwips(cmbNavigate);
    c.cmdBotBack = GetTwips(cmdBotBack);
    c.cmdBotForward = GetTwips(cmdBotForward);
    c.browser2 = GetTwips(Browser2);
    c.lineX1 = Line1[1]->X1();
    c.lineY1 = Line1[1]->Y1();
    c.lineX2 = Line1[1]->X2();
    c.lineY2 = Line1[1]->Y2();
    try {
        // Negative sizes are skipped inside; the assignments below cannot be refused.
        if (!ComputeBrowserLayout(in, c))
            return;
        SetTwips(Browser1, c.browser1);
        SetTwips(cmdBack, c.cmdBack);
        SetTwips(cmdForward, c.cmdForward);
        SetTwips(cmdStop, c.cmdStop);
        SetTwips(cmbNavigate, c.cmbNavigate);
        SetTwips(cmdBotBack, c.cmdBotBack);
        SetTwips(cmdBotForward, c.cmdBotForward);
        SetTwips(Browser2, c.browser2);
        Line1[1]->SetPoints(c.lineX1, c.lineY1, c.lineX2, c.lineY2);
        // The "Bottom Window" caption goes just above the lower pane when there is room between
        // the address row and the separator.
        const float labelTop = c.lineY1 - 15 - kLabelHeight;
        const bool fits = labelTop >= c.cmbNavigate.top + c.cmbNavigate.height + 15;
        if (fits)
            SetTwips(lblAddressBot, {c.browser2.left, labelTop, 1500, kLabelHeight});
        lblAddressBot->setVisible(fits);
    } catch (const RuntimeError& e) {
        app_.dialogs.Message(kResizeErrorPrefix + e.text(), kMessageTitle, MessageIcon::Critical);
    }
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

namespace {

bool IsWorkbookFile(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == "xlsx" || suffix == "xlsm" || suffix == "ods" || suffix == "csv";
}

} // namespace

void frmYarrow::mnuOpenWorkbook_Click() {
    const QStringList paths = QFileDialog::getOpenFileNames(
        this, "Open Workbook", QString(), "Workbooks (*.xlsx *.xlsm *.ods *.csv);;All files (*)");
    for (const QString& path : paths)
        ucYarrowData1->OpenWorkbook(path);
}

void frmYarrow::mnuCloseWorkbook_Click() {
    if (!ucYarrowData1->CloseWorkbook())
        statusText_->setText("No workbook is open.");
}

void frmYarrow::dragEnterEvent(QDragEnterEvent* event) {
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile() && IsWorkbookFile(url.toLocalFile())) {
            event->acceptProposedAction();
            return;
        }
}

void frmYarrow::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile() && IsWorkbookFile(url.toLocalFile()))
            ucYarrowData1->OpenWorkbook(url.toLocalFile());
    event->acceptProposedAction();
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

void frmYarrow::mnuFileExport_Click() {
    if (!app_.ActiveGrid) {
        app_.dialogs.Message(kNoTableMessage, kMessageTitle, MessageIcon::Critical);
        return;
    }
    const QString path = QFileDialog::getSaveFileName(this, "Export Table", "table.csv",
                                                      "Comma-separated values (*.csv);;All files (*)");
    if (!path.isEmpty())
        ExportTable(path);
}

bool frmYarrow::ExportTable(const QString& path) {
    if (!app_.ActiveGrid) {
        app_.dialogs.Message(kNoTableMessage, kMessageTitle, MessageIcon::Critical);
        return false;
    }
    const std::string csv = GridCsvText(app_.ActiveGrid->Model());
    // Written aside and renamed at the end, so a failed write leaves an existing file whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(csv.data(), qint64(csv.size())) != qint64(csv.size()) || !file.commit()) {
        app_.dialogs.Message("The table could not be written to " +
                                 QDir::toNativeSeparators(path).toStdString() + ": " +
                                 file.errorString().toStdString(),
                             kMessageTitle, MessageIcon::Critical);
        return false;
    }
    statusText_->setText(QString("Table exported to %1 (%2 rows).")
                             .arg(QDir::toNativeSeparators(path))
                             .arg(app_.ActiveGrid->Model().Rows()));
    return true;
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

void frmYarrow::mnuSavePlotAs_Click() {
    PictureBox* box = ucTCurves1->Picture();
    if (box->Plot().Lines().empty()) {
        app_.dialogs.Message("There is no plot to save: plot a curve on the Curves panel first.",
                             kMessageTitle, MessageIcon::Critical);
        return;
    }
    QString path;
    if (saveFileChooser_) {
        path = saveFileChooser_();
    } else {
        QString selected;
        path = QFileDialog::getSaveFileName(this, "Save Plot As", "curves.png",
                                            "PNG picture (*.png);;SVG drawing (*.svg)", &selected);
        // A name typed without an extension takes the chosen type's.
        if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
            path += selected.startsWith("SVG") ? ".svg" : ".png";
    }
    if (path.isEmpty())
        return;
    QString error;
    if (!SavePlot(box->Plot(), box->width(), box->height(), path, &error)) {
        app_.dialogs.Message(error.toStdString(), kMessageTitle, MessageIcon::Critical);
        return;
    }
    statusText_->setText(QString("Plot saved to %1").arg(QDir::toNativeSeparators(path)));
}

void frmYarrow::mnuCalculator_Click() {
    if (!calcs_)
        calcs_ = new calcs(app_, this);
    calcs_->show();
    calcs_->raise();
}

void frmYarrow::mnuCurveOfDate_Click() {
    if (curveOfDate_) {
        curveOfDate_->raise();
        curveOfDate_->activateWindow();
        return;
    }
    const CmtHistory* history = ucYarrowData1->History();
    if (!history)
        return;
    // Start from the day the grid shows, or from the last day of the history.
    const Date initial = ucYarrowData1->QuoteDate().value_or(history->Last());
    curveOfDate_ = new frmCurveOfDate(*history, initial, app_.session.dateOrder, this);
    curveOfDate_->setAttribute(Qt::WA_DeleteOnClose);
    // The load runs once the dialog has closed: it processes pending events, which may delete the
    // dialog while it is still emitting.
    connect(curveOfDate_, &QDialog::accepted, this, [this] {
        const Date date = curveOfDate_->SelectedDate();
        QTimer::singleShot(0, this, [this, date] {
            // A curves or analytics panel in front lists the new table at once.
            if (ucYarrowData1->LoadHistoryDay(date) && CurrentPanel_ != ucYarrowData1)
                OpenPanel(CurrentPanel_);
        });
    });
    curveOfDate_->open();
}

void frmYarrow::mnuModHelp_Click() {
    pane1_->Navigate(pages_.ModulePageURL);
}

void frmYarrow::mnuHelpModule_Click() {
    pane1_->Navigate(pages_.HelpPageURL);
}

} // namespace yarrow
