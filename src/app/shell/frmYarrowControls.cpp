// The main window's controls: where each starts, and where the browsers go when the window or the
// panel changes size.
#include "shell/frmYarrow.h"

#include "analytics/ucTAnalytics.h"
#include "base/Accessibility.h"
#include "base/Announce.h"
#include "base/AppContext.h"
#include "base/LineControl.h"
#include "base/Twips.h"
#include "core/seams/Dialogs.h"
#include "core/seams/PendingEvents.h"
#include "core/text/RuntimeError.h"
#include "curves/ucTCurves.h"
#include "data/ucYarrowData.h"
#include "shell/BrowserLayout.h"
#include "shell/YarrowIcon.h"
#include "widgets/WebBrowserPane.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

namespace yarrow {

namespace {

// Design-time places of the controls PositionBrowsers does not move (twips on the client area).
constexpr float kButtonTop = 90;
constexpr float kButtonHeight = 345;
constexpr float kAddressHeight = 330;
constexpr float kLabelHeight = 255;

template <typename T> T* Make(T* control, const char* objectName, const TwipRect& r) {
    control->setObjectName(objectName);
    SetTwips(control, r);
    return control;
}

} // namespace

void frmYarrow::BuildControls() {
    client_ = new QWidget(this);
    client_->setObjectName("frmYarrowClient");
    setCentralWidget(client_);
    client_->installEventFilter(this);

    Image1 = Make(new QLabel(client_), "Image1", {120, 45, 420, 420});
    Image1->setPixmap(YarrowPicture(28));
    cmdRestart =
        Make(new QPushButton("&Restart", client_), "cmdRestart", {660, kButtonTop, 1200, kButtonHeight});
    cmdYieldCurve =
        Make(new QPushButton("C&urves", client_), "cmdYieldCurve", {1920, kButtonTop, 1200, kButtonHeight});
    cmdAnalytics =
        Make(new QPushButton("A&nalytics", client_), "cmdAnalytics", {3180, kButtonTop, 1200, kButtonHeight});
    Image2 = Make(new QLabel(client_), "Image2", {4500, 90, 1500, 345});
    Image2->setPixmap(BadgePicture(100, 23));

    ucYarrowData1 = new ucYarrowData(app_, client_);
    ucYarrowData1->setObjectName("ucYarrowData1");
    ucTCurves1 = new ucTCurves(app_, client_);
    ucTCurves1->setObjectName("ucTCurves1");
    ucTAnalytics1 = new ucTAnalytics(app_, client_);
    ucTAnalytics1->setObjectName("ucTAnalytics1");
    ucYarrowData1->setAccessibleName("Bond data panel");
    ucTCurves1->setAccessibleName("Curves panel");
    ucTAnalytics1->setAccessibleName("Analytics panel");
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
    connect(ucYarrowData1, &ucYarrowData::StatusText, this, [this](const QString& text) { SetAnnouncedText(statusText_, text); });
    connect(ucTCurves1, &ucTCurves::StatusText, this, [this](const QString& text) { SetAnnouncedText(statusText_, text); });
    connect(ucTAnalytics1, &ucTAnalytics::StatusText, this, [this](const QString& text) { SetAnnouncedText(statusText_, text); });
    // The two panes have the same buttons: a screen reader tells them apart by name.
    Image1->setAccessibleName("QAL Yarrow");
    Image2->setAccessibleName("Badge");
    cmdBack->setAccessibleName("Upper pane back");
    cmdForward->setAccessibleName("Upper pane forward");
    cmdStop->setAccessibleName("Stop both panes");
    cmdBotBack->setAccessibleName("Lower pane back");
    cmdBotForward->setAccessibleName("Lower pane forward");
    NameWithoutLabel(cmbNavigate, "Lower pane address");
    Browser1->setAccessibleName("Upper pane");
    Browser2->setAccessibleName("Lower pane");
    statusText_->setAccessibleName("Status");
    // Reading order: the switching row, the browser row beside it, the panel, the address row;
    // the pages, whose focus goes to parts made when they first load, come last (and F6 reaches
    // them from anywhere).
    ChainTabOrder({cmdRestart, cmdYieldCurve, cmdAnalytics, cmdBack, cmdForward, cmdStop});
    ChainTabOrder({cmbNavigate, cmdBotBack, cmdBotForward});
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

} // namespace yarrow
