#pragma once

#include "core/text/Dates.h"
#include "io/workbook/WorkbookLinkClient.h"
#include "io/workbook/WorkbookServer.h"
#include "base/WorkPanel.h"
#include "widgets/BrowserPane.h"

#include <QPointer>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace yarrow {

struct AppContext;
struct ExcelLink;
class GridView;
class qalBloombergData;
class CmtHistory;

// The bond data panel: the quotes grid, the quote date, the data source, "Get Data" and "Stop".
class ucYarrowData : public WorkPanel {
    Q_OBJECT
public:
    static constexpr const char* kAgainQuestion =
        "Click YES if you want to get the data again or NO to simply re-initialize the existing "
        "bonds.";
    static constexpr const char* kBusyMessage =
        "Bond data are being loaded. Please wait until the loading has finished, or press Stop.";
    static constexpr const char* kNoHistoryDay = "There are no Treasury rates in the 30 days up to ";

    explicit ucYarrowData(AppContext& app, QWidget* parent = nullptr);
    ~ucYarrowData() override;

    // Hands the lower browser pane to the panel and its web rate source.
    void InitializeBrowser(BrowserPane* br);
    BrowserPane* Browser() const { return browser_; }
    qalBloombergData& RateSource() { return *rateSource_; }

    GridView* Grid() const { return Grid1; }
    bool IsFetching() const { return fetching_; }
    // Set while the program ends: a fetch cut short then is not reported.
    void SetEnding(bool on) { ending_ = on; }

    // The bundled Treasury history, read on first use (hourglass while it loads). A file that
    // cannot be read is reported and gives null; the next call tries again.
    const CmtHistory* History();
    // The history is read again on the next use (after an update added days).
    void ReloadHistory();
    // Writes the grid with the Treasury curve of `date` (each series' latest rate on or before
    // it) and builds the bond table, as "Get Data" does. False, with a message, when there is
    // nothing to load or the build fails.
    bool LoadHistoryDay(Date date);
    // The date in txtQuoteDate, if it is one.
    std::optional<Date> QuoteDate() const;

    void cmdGetData_Click();
    void cmdStop_Click();
    void cmdFindSheets_Click();

    // The workbooks the link answers from. Opening one chooses "Data from Excel" and lists its
    // sheets; a file that cannot be read is refused with a message and changes nothing.
    WorkbookServer& Workbooks() { return workbooks_; }
    bool OpenWorkbook(const QString& path);
    // Closes the workbook of the chosen sheet (else the last one opened); false when none is open.
    bool CloseWorkbook();

signals:
    // Progress and outcome of "Get Data", for the status bar.
    void StatusText(const QString& text);
    // The bond table was rebuilt.
    void BondTableChanged();

private:
    void cmbRates_Click();
    void chkNoYield_Click();
    void Grid1_KeyCode(int code);
    bool GridHasNamedRows() const;
    QString BuildFromGrid();
    void FetchFederalReserve(bool setQuoteDate);
    // The link procedures' view of this panel: its client, dialogs and events, the row letter.
    ExcelLink Link();
    bool GetExcelData();
    void ListSheets(const std::vector<std::string>& sheets, const QString& keep);

    AppContext& app_;
    QPointer<BrowserPane> browser_;
    std::unique_ptr<qalBloombergData> rateSource_;
    WorkbookServer workbooks_;
    WorkbookLinkClient link_{workbooks_};
    std::unique_ptr<CmtHistory> history_;
    bool fetching_ = false;
    QString failedRow_; // "Grid row 7 (2Y): Type mismatch" when the table build failed
    bool ending_ = false;

    QLabel* lblQuoteDate;
    QLineEdit* txtQuoteDate;
    QComboBox* cmbRates;
    QPushButton* cmdGetData;
    QPushButton* cmdStop;
    GridView* Grid1;
    QGroupBox* exlFrame;
    QCheckBox* chkNoYield;
    QLineEdit* txtNameCol;
    QLineEdit* txtCouponCol;
    QLineEdit* txtMaturityCol;
    QLineEdit* txtQuoteCol;
    QLineEdit* txtYieldCol;
    QLabel* lblYieldCol;
    QLineEdit* txtStartRow;
    QLineEdit* txtEndRow;
    QComboBox* exlCombo;
    QPushButton* cmdFindSheets;
    QLineEdit* exlText;
};

} // namespace yarrow
