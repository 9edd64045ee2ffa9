#pragma once

#include "calculators/calcs.h"
#include "data/frmCurveOfDate.h"
#include "data/frmUpdateHistory.h"
#include "shell/PageAddresses.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QWebEngineView;

namespace yarrow {

struct AppContext;
class BrowserPane;
class LineControl;
class WebBrowserPane;
class WorkPanel;
class frmRateShocks;
class ucTAnalytics;
class ucTCurves;
class ucYarrowData;

// The main window: two browser panes, the three work panels (one visible at a time), the buttons
// that switch them, the lower pane's address box and the menus. Controls are laid out in twips on
// the client area (15 twips to a logical pixel).
class frmYarrow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kNoBondsMessage = "Please first get bond data";
    static constexpr const char* kNoTableMessage =
        "There is no table to export. Click in a grid first, then choose Export Table again.";
    static constexpr const char* kResizeErrorPrefix =
        "Error resizing the display.  This usually occurs if you make the window too small.   "
        "The system error message is ";

    explicit frmYarrow(AppContext& app, QWidget* parent = nullptr);
    ~frmYarrow() override;

    // The start-up sequence: page addresses, the lower pane to the data panel, the address box,
    // both panes navigated, the data panel shown, the window shown, the lower pane expanded.
    void Load();

    void PositionBrowsers();

    // Panel switching and the pane buttons, as their clicks run them.
    void cmdRestart_Click();
    void cmdYieldCurve_Click();
    void cmdAnalytics_Click();
    void cmdStop_Click();
    // File > Export Table... without its file dialog: the active grid's texts as CSV into path.
    // Reports a missing grid or a failed write with a message; true when the file was written.
    bool ExportTable(const QString& path);

    // File > Save Plot As...: the curves panel's picture as PNG or SVG, chosen by the extension.
    void mnuSavePlotAs_Click();
    // File > Data Table...: the curves panel's plotted points as a grid to read and copy.
    void mnuDataTable_Click();
    // Asks for the file name to save the plot under (empty: cancelled). Tests replace it.
    void SetSaveFileChooser(std::function<QString()> chooser) { saveFileChooser_ = std::move(chooser); }

    WorkPanel* CurrentPanel() const { return CurrentPanel_; }
    bool ExpandBottom() const { return ExpandBottom_; }
    BrowserPane& Browser1Pane() const;
    BrowserPane& Browser2Pane() const;
    ucYarrowData* DataPanel() const { return ucYarrowData1; }
    const PageAddresses& Pages() const { return pages_; }
    QWidget* Client() const { return client_; }
    calcs* Calculators() const { return calcs_; }
    // The "Lessons" menu, where the teaching windows are opened.
    QMenu* LessonsMenu() const { return lessons_; }
    // The "Treasury Curve of a Date" dialog while it is open.
    class frmCurveOfDate* CurveOfDate() const {
        return curveOfDate_;
    }

    // File > Treasury Curve of a Date...: opens the dialog; "Load" loads the day into the data
    // panel and builds the bond table.
    void mnuCurveOfDate_Click();
    // Lessons > Rate Shocks...: opens (or raises) the rate-shock window.
    void mnuRateShocks_Click();
    frmRateShocks* RateShocks() const;
    // File > Update Treasury History...: the download dialog; its summary goes to the status bar.
    void mnuUpdateHistory_Click();
    class frmUpdateHistory* UpdateHistory() const {
        return updateHistory_;
    }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildMenus();
    QAction* AddMenuItem(class QMenu* menu, const char* name, const char* caption,
                         void (frmYarrow::*handler)());
    // One entry per work panel, in the order the window builds them. Building, switching and the
    // display-size items all read this list, so a new panel is one more entry.
    struct PanelEntry {
        WorkPanel* panel = nullptr;
        QPushButton* button = nullptr; // the switching button that shows it
        bool needsBonds = false;       // refuses with kNoBondsMessage while the table is empty
        bool shareCorner = false;      // moves to the data panel's corner when shown
        bool initializeOnShow = false; // Initialize() runs every time it is shown
        bool eventsBeforeInitialize = false;
    };
    void AddPanel(const PanelEntry& entry);
    const PanelEntry* EntryOf(const WorkPanel* panel) const;
    // The one routine behind every switching button.
    void OpenPanel(WorkPanel* q);
    void ShowPanel(const PanelEntry& e);
    // Large (true) or Normal (false) Display on the current panel, each step on its own.
    void SetDisplaySize(bool large);
    void StopBothPanes();
    void EndProgram();

    // F6, Shift+F6, Ctrl+Tab, Ctrl+Shift+Tab: the focus to the next or previous of the switching
    // row, the panel, the upper pane, the address row and the lower pane.
    void InstallPaneKeys();
    void CyclePanes(bool forward);
    int PaneOf(const QWidget* w) const;
    void mnuKeyboardShortcuts_Click();
    void mnuHomePage_Click();
    void mnuStudentForum_Click();
    void mnuInstructorForum_Click();
    void mnuFileExport_Click();
    void mnuFileExit_Click();
    void mnuOpenWorkbook_Click();
    void mnuCloseWorkbook_Click();
    void mnuEditCopy_Click();
    void mnuEditPaste_Click();
    void mnuLayout0_Click();
    void mnuLayout1_Click();
    void mnuOptionsLargeDisplay_Click();
    void mnuOptionsNormalDisplay_Click();
    void mnuCalculator_Click();
    void mnuModHelp_Click();
    void mnuHelpModule_Click();
    void cmbNavigate_Activated();
    void cmbNavigate_Enter();

    AppContext& app_;
    PageAddresses pages_;
    QWidget* client_ = nullptr;

    QWebEngineView* Browser1 = nullptr;
    QWebEngineView* Browser2 = nullptr;
    WebBrowserPane* pane1_ = nullptr;
    WebBrowserPane* pane2_ = nullptr;
    QPushButton* cmdBack = nullptr;
    QPushButton* cmdForward = nullptr;
    QPushButton* cmdStop = nullptr;
    QComboBox* cmbNavigate = nullptr;
    QPushButton* cmdBotBack = nullptr;
    QPushButton* cmdBotForward = nullptr;
    QLabel* lblAddressBot = nullptr;
    ucYarrowData* ucYarrowData1 = nullptr;
    ucTCurves* ucTCurves1 = nullptr;
    ucTAnalytics* ucTAnalytics1 = nullptr;
    QPushButton* cmdRestart = nullptr;
    QPushButton* cmdYieldCurve = nullptr;
    QPushButton* cmdAnalytics = nullptr;
    LineControl* Line1[2] = {nullptr, nullptr};
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* statusText_ = nullptr;

    std::vector<PanelEntry> panels_;
    WorkPanel* CurrentPanel_ = nullptr;
    bool ExpandBottom_ = false; // until the start-up expands it
    QPointer<calcs> calcs_;
    QMenu* lessons_ = nullptr;
    std::function<QString()> saveFileChooser_;
    QPointer<frmCurveOfDate> curveOfDate_;
    QPointer<frmRateShocks> rateShocks_;
    QPointer<frmUpdateHistory> updateHistory_;
};

} // namespace yarrow
