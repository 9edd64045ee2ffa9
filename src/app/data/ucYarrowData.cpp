#include "data/ucYarrowData.h"

#include "core/data/CmtHistory.h"
#include "core/data/TreasuryHistory.h"
#include "core/data/ExcelLink.h"
#include "core/data/FrbSeries.h"
#include "core/data/Session.h"
#include "core/data/TableWarnings.h"
#include "core/data/qalBondData.h"
#include "core/grid/GridText.h"
#include "core/seams/Dialogs.h"
#include "core/text/Dates.h"
#include "core/text/RuntimeError.h"
#include "data/qalBloombergData.h"
#include "io/ResourcePaths.h"
#include "base/Accessibility.h"
#include "base/AppContext.h"
#include "widgets/BrowserPane.h"
#include "widgets/ErrorReport.h"
#include "widgets/GridView.h"
#include "base/MousePointer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <new>

namespace yarrow {

namespace {


// Clears a flag when the scope ends, however it ends.
class FlagGuard {
public:
    explicit FlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagGuard() { flag_ = false; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& flag_;
};

} // namespace

ucYarrowData::ucYarrowData(AppContext& app, QWidget* parent) : WorkPanel(parent), app_(app) {
    setObjectName("ucYarrowData");
    SetDesignSize(6000, 7200);

    lblQuoteDate = Place(NewLabel("&Quote Date", this), "lblQuoteDate", {120, 143, 1000, 255});
    txtQuoteDate = Place(new QLineEdit(this), "txtQuoteDate", {1140, 105, 1380, 330});
    cmbRates = Place(new QComboBox(this), "cmbRates", {2640, 105, 3240, 330});
    cmdGetData = Place(new QPushButton("&Get Data", this), "cmdGetData", {120, 540, 1500, 390});
    cmdStop = Place(new QPushButton("S&top", this), "cmdStop", {1740, 540, 1100, 390});
    cmdStop->setEnabled(false);
    Grid1 = Place(new GridView(this), "Grid1", {120, 1050, 5760, 3480});
    Grid1->SetColumnTwips({240, 900, 975, 1500, 1050, 900});
    Grid1->SetGrowOnPaste(true);
    Grid1->SetRowTyping(true, 6); // name, coupon, maturity, quote, yield after the heading column

    exlFrame = Place(new QGroupBox("Excel Link", this), "exlFrame", {120, 4555, 5760, 2550});
    chkNoYield = Place(new QCheckBox("&Yield Data", exlFrame), "chkNoYield", {120, 300, 1500, 285});
    chkNoYield->setChecked(true);
    Place(NewLabel("Names are in Column", exlFrame), "lblNameCol", {120, 660, 1900, 255});
    txtNameCol = Place(new QLineEdit(exlFrame), "txtNameCol", {2100, 630, 540, 315});
    Place(NewLabel("Coupon is in Column", exlFrame), "lblCouponCol", {120, 1020, 1900, 255});
    txtCouponCol = Place(new QLineEdit(exlFrame), "txtCouponCol", {2100, 990, 540, 315});
    Place(NewLabel("Maturity is in Column", exlFrame), "lblMaturityCol", {120, 1380, 1900, 255});
    txtMaturityCol = Place(new QLineEdit(exlFrame), "txtMaturityCol", {2100, 1350, 540, 315});
    Place(NewLabel("Quote is in Column", exlFrame), "lblQuoteCol", {120, 1740, 1900, 255});
    txtQuoteCol = Place(new QLineEdit(exlFrame), "txtQuoteCol", {2100, 1710, 540, 315});
    lblYieldCol = Place(NewLabel("Yield is in Column", exlFrame), "lblYieldCol", {2940, 660, 1900, 255});
    txtYieldCol = Place(new QLineEdit(exlFrame), "txtYieldCol", {5040, 630, 540, 315});
    Place(NewLabel("First row with data", exlFrame), "lblStartRow", {2940, 1020, 1900, 255});
    txtStartRow = Place(new QLineEdit(exlFrame), "txtStartRow", {5040, 990, 540, 315});
    Place(NewLabel("Last row with data", exlFrame), "lblEndRow", {2940, 1380, 1900, 255});
    txtEndRow = Place(new QLineEdit(exlFrame), "txtEndRow", {5040, 1350, 540, 315});
    cmdFindSheets =
        Place(new QPushButton("&Find Excel Sheets", exlFrame), "cmdFindSheets", {2940, 1710, 2640, 360});
    exlCombo = Place(new QComboBox(exlFrame), "exlCombo", {120, 2100, 5460, 330});
    exlText = Place(new QLineEdit(exlFrame), "exlText", {0, 0, 100, 100});
    exlText->hide();

    // What a screen reader says for each control: the label beside it, or a name of its own.
    lblQuoteDate->setBuddy(txtQuoteDate);
    const std::pair<const char*, QLineEdit*> columnLabels[] = {
        {"lblNameCol", txtNameCol},   {"lblCouponCol", txtCouponCol}, {"lblMaturityCol", txtMaturityCol},
        {"lblQuoteCol", txtQuoteCol}, {"lblYieldCol", txtYieldCol},   {"lblStartRow", txtStartRow},
        {"lblEndRow", txtEndRow}};
    for (const auto& [label, box] : columnLabels)
        exlFrame->findChild<QLabel*>(label)->setBuddy(box);
    NameWithoutLabel(cmbRates, "Data source");
    Grid1->setAccessibleName("Bond table");
    Grid1->ItemModel()->SetColumnHeadings({"Row", "Name", "Coupon", "Maturity", "Quote", "Yield"});
    Grid1->setAccessibleDescription("The quotes: name, coupon, maturity, quote and yield of each bond. "
                                    "Type or paste rows; Ctrl+C copies the selection.");
    NameWithoutLabel(exlCombo, "Excel sheet");
    exlText->setAccessibleName("Link reply");
    ChainTabOrder({txtQuoteDate, cmbRates, cmdGetData, cmdStop, Grid1, chkNoYield, txtNameCol, txtCouponCol,
                   txtMaturityCol, txtQuoteCol, txtYieldCol, txtStartRow, txtEndRow, cmdFindSheets, exlCombo});

    connect(cmdGetData, &QPushButton::clicked, this, &ucYarrowData::cmdGetData_Click);
    connect(cmdStop, &QPushButton::clicked, this, &ucYarrowData::cmdStop_Click);
    connect(chkNoYield, &QCheckBox::clicked, this, &ucYarrowData::chkNoYield_Click);
    connect(Grid1, &GridView::ControlKey, this, &ucYarrowData::Grid1_KeyCode);
    connect(Grid1, &GridView::FocusGained, this, [this](GridView* g) { app_.ActiveGrid = g; });
    connect(cmdFindSheets, &QPushButton::clicked, this, &ucYarrowData::cmdFindSheets_Click);
    cmdFindSheets->setToolTip("List the sheets of the open workbooks (File > Open Workbook...)");
    exlCombo->setToolTip("The sheet \"Get Data\" reads");

    // Creation, in the panel's order.
    ReadSize();
    cmbRates->clear();
    cmbRates->insertItem(0, "Data from Excel");
    cmbRates->addItem("Federal reserve data");
    app_.ActiveGrid = Grid1;
    rateSource_ = std::make_unique<qalBloombergData>(app_.session, app_.frbDataUrl.toString());
    rateSource_->myBrowser = browser_;
    rateSource_->timeoutMs = app_.fetchTimeoutMs;
    rateSource_->progress = [this](int i, int count, const QString& file) {
        emit StatusText(QString("Loading %1 (file %2 of %3)...").arg(file).arg(i + 1).arg(count));
    };
    connect(cmbRates, &QComboBox::currentIndexChanged, this, &ucYarrowData::cmbRates_Click);
    cmbRates->setCurrentIndex(1);
    DoEvents(&app_.events);
    ReadSize();

    const std::string format = DetectDateFormat(app_.systemDateOrder.value_or(SystemDateOrder()));
    app_.session.dateOrder = DateOrderFromFormat(format);
    txtQuoteDate->setText(QString::fromStdString(FormatDate(Today(), format)));

    SetUpDisplay();
}

ucYarrowData::~ucYarrowData() = default;

void ucYarrowData::InitializeBrowser(BrowserPane* br) {
    browser_ = br;
    rateSource_->myBrowser = br;
    DoEvents(&app_.events);
}

void ucYarrowData::cmbRates_Click() {
    if (cmbRates->currentIndex() != 0) {
        Grid1->setVisible(true);
        exlFrame->setVisible(false);
        return;
    }
    const TwipRect grid = GetTwips(Grid1);
    SetTwipLeft(exlFrame, grid.left);
    SetTwipTop(exlFrame, grid.top + grid.height + 25);
    exlFrame->setVisible(true);
}

void ucYarrowData::chkNoYield_Click() {
    txtYieldCol->setEnabled(chkNoYield->isChecked());
}

void ucYarrowData::Grid1_KeyCode(int code) {
    if (code == 3)
        Grid1->Copy(app_.clipboard, app_.dialogs);
    else if (code == 22)
        Grid1->Paste(app_.clipboard, app_.dialogs);
}

// The same rule as the table's: rows up to the first blank name.
bool ucYarrowData::GridHasNamedRows() const {
    return NamedRowCount(Grid1->Model()) > 0;
}

// Builds the table from the grid. A failure is noted with the grid row it came from (for the
// status bar) and goes on to the caller's report; findings about the table come back as text.
QString ucYarrowData::BuildFromGrid() {
    try {
        BuildBondTable(app_.session, Grid1->Model(), txtQuoteDate->text().toStdString());
    } catch (const RuntimeError& e) {
        failedRow_ = QString::fromStdString(BondTableErrorText(app_.session, Grid1->Model(), e));
        emit BondTableChanged();
        throw;
    }
    emit BondTableChanged();
    QString text;
    for (const std::string& w : BondTableWarnings(app_.session, Grid1->Model()))
        text += " " + QString::fromStdString(w);
    return text;
}

void ucYarrowData::cmdGetData_Click() {
    // The fetch keeps the window alive, so this can be pressed again while it runs.
    if (fetching_) {
        app_.dialogs.Message(kBusyMessage, kMessageTitle, MessageIcon::Critical);
        return;
    }
    failedRow_.clear();
    try {
        // Hand-edited rows count as data too: asking only when bonds exist would throw them away.
        if (app_.session.nBonds > 0 || GridHasNamedRows()) {
            if (!app_.dialogs.AskYesNo(kAgainQuestion, kMessageTitle)) {
                const QString warnings = BuildFromGrid();
                emit StatusText(
                    QString("Bond table rebuilt from the grid: %1 bond(s).").arg(app_.session.nBonds) +
                    warnings);
                return;
            }
        }
        QString loaded;
        switch (cmbRates->currentIndex()) {
        case 0:
            if (!GetExcelData())
                return;
            loaded = QString("Workbook data loaded from %1").arg(exlCombo->currentText());
            break;
        case 1:
            FetchFederalReserve(true);
            break;
        default:
            FetchFederalReserve(false);
            DoEvents(&app_.events);
            break;
        }
        if (loaded.isEmpty())
            loaded = "Federal Reserve data loaded";
        const QString warnings = BuildFromGrid();
        emit StatusText(QString("%1: %2 bond(s), quote date %3.")
                            .arg(loaded)
                            .arg(app_.session.nBonds)
                            .arg(txtQuoteDate->text()) +
                        warnings);
        DoEvents(&app_.events);
    } catch (const std::exception& e) {
        // Not only the program's own errors: memory running out on a huge paste, say, ends in
        // the same report.
        if (ending_)
            return;
        RuntimeError error(0, e.what());
        if (auto* runtime = dynamic_cast<const RuntimeError*>(&e))
            error = *runtime;
        else if (dynamic_cast<const std::bad_alloc*>(&e))
            error = RuntimeError(7, "Out of memory");
        emit StatusText(QString("Get Data failed: %1")
                            .arg(failedRow_.isEmpty() ? QString::fromStdString(error.text()) : failedRow_));
        ReportError(app_.dialogs, app_.events, error);
    }
}

void ucYarrowData::FetchFederalReserve(bool setQuoteDate) {
    MousePointer::Hourglass();
    cmdStop->setEnabled(true);
    {
        FlagGuard busy(fetching_);
        rateSource_->GrabFRBYieldCurve(0, Grid1->Model());
    }
    if (setQuoteDate) {
        const Date d = CDate(app_.session.quoteDate, app_.session.dateOrder);
        txtQuoteDate->setText(QString::fromStdString(FormatDate(d, app_.session.DateFormat())));
    }
    MousePointer::Normal();
}

ExcelLink ucYarrowData::Link() {
    workbooks_.SetDateOrder(app_.session.dateOrder);
    return {link_, app_.dialogs, &app_.events, app_.session.RowLetter};
}

bool ucYarrowData::GetExcelData() {
    ExcelLink link = Link();
    ExcelLinkSettings settings{exlCombo->currentText().toStdString(),
                               txtNameCol->text().toStdString(),
                               txtCouponCol->text().toStdString(),
                               txtMaturityCol->text().toStdString(),
                               txtQuoteCol->text().toStdString(),
                               txtYieldCol->text().toStdString(),
                               txtStartRow->text().toStdString(),
                               txtEndRow->text().toStdString(),
                               chkNoYield->isChecked()};
    MousePointer::Hourglass();
    struct Restore {
        ~Restore() { MousePointer::Normal(); }
    } restore;
    return yarrow::GetExcelData(link, settings, Grid1->Model());
}

void ucYarrowData::ListSheets(const std::vector<std::string>& sheets, const QString& keep) {
    exlCombo->clear();
    for (const std::string& s : sheets)
        exlCombo->addItem(QString::fromStdString(s));
    const int kept = keep.isEmpty() ? -1 : exlCombo->findText(keep);
    exlCombo->setCurrentIndex(kept >= 0 ? kept : 0);
}

void ucYarrowData::cmdFindSheets_Click() {
    ExcelLink link = Link();
    std::vector<std::string> sheets;
    for (int i = 0; i < exlCombo->count(); ++i)
        sheets.push_back(exlCombo->itemText(i).toStdString());
    const bool found = FindExcelSheets(link, sheets);
    MousePointer::Normal();
    if (found)
        ListSheets(sheets, {});
    else if (sheets.empty())
        exlCombo->clear();
}

bool ucYarrowData::OpenWorkbook(const QString& path) {
    try {
        MousePointer::Hourglass();
        workbooks_.Open(path);
        MousePointer::Normal();
    } catch (const WorkbookError& e) {
        MousePointer::Normal();
        app_.dialogs.Message(e.what(), kMessageTitle, MessageIcon::Critical);
        return false;
    }
    cmbRates->setCurrentIndex(0);
    // The new sheets join the list; the sheet already chosen stays chosen.
    const QString chosen = exlCombo->currentText();
    ExcelLink link = Link();
    std::vector<std::string> sheets;
    if (FindExcelSheets(link, sheets))
        ListSheets(sheets, chosen);
    emit StatusText(QString("Opened %1; choose its sheet, columns and rows, then press Get Data.")
                        .arg(QFileInfo(path).fileName()));
    return true;
}

bool ucYarrowData::CloseWorkbook() {
    const QStringList open = workbooks_.OpenBooks();
    if (open.isEmpty())
        return false;
    QString name = open.last();
    const QString topic = exlCombo->currentText();
    if (topic.startsWith('[') && topic.indexOf(']') > 1)
        name = topic.mid(1, topic.indexOf(']') - 1);
    if (!workbooks_.Close(name))
        workbooks_.Close(open.last());
    const QString chosen = exlCombo->currentText();
    std::vector<std::string> sheets;
    ExcelLink link = Link();
    if (workbooks_.Empty())
        exlCombo->clear();
    else if (FindExcelSheets(link, sheets))
        ListSheets(sheets, chosen);
    emit StatusText(QString("Closed %1.").arg(name));
    return true;
}

const CmtHistory* ucYarrowData::History() {
    if (history_)
        return history_.get();
    const QString path = app_.cmtHistoryPath.isEmpty() ? CmtHistoryPath() : app_.cmtHistoryPath;
    MousePointer::Hourglass();
    try {
        history_ = std::make_unique<CmtHistory>(LoadTreasuryHistory(path.toStdString(), UserHistoryFile()));
        MousePointer::Normal();
    } catch (const CmtHistoryError& e) {
        MousePointer::Normal();
        app_.dialogs.Message(std::string("The Treasury history cannot be read: ") + e.what(), kMessageTitle,
                             MessageIcon::Critical);
    }
    return history_.get();
}

void ucYarrowData::ReloadHistory() {
    history_.reset();
}

std::optional<Date> ucYarrowData::QuoteDate() const {
    return ParseDate(txtQuoteDate->text().toStdString(), app_.session.dateOrder);
}

bool ucYarrowData::LoadHistoryDay(Date date) {
    if (fetching_) {
        app_.dialogs.Message(kBusyMessage, kMessageTitle, MessageIcon::Critical);
        return false;
    }
    const CmtHistory* history = History();
    if (!history)
        return false;
    const CmtDay day = history->DayOf(date);
    if (day.Empty()) {
        app_.dialogs.Message(kNoHistoryDay + FormatDate(date, app_.session.DateFormat()) + ".", kMessageTitle,
                             MessageIcon::Critical);
        return false;
    }
    try {
        MousePointer::Hourglass();
        WriteCmtDay(day, Grid1->Model(), app_.session);
        txtQuoteDate->setText(QString::fromStdString(FormatDate(day.quoteDate, app_.session.DateFormat())));
        BuildBondTable(app_.session, Grid1->Model(), txtQuoteDate->text().toStdString());
        MousePointer::Normal();
        emit BondTableChanged();
        emit StatusText(QString("Treasury curve of %1 loaded: %2 bond(s), quote date %3.")
                            .arg(QString::fromStdString(FormatDate(date, app_.session.DateFormat())))
                            .arg(app_.session.nBonds)
                            .arg(txtQuoteDate->text()));
        DoEvents(&app_.events);
        return true;
    } catch (const RuntimeError& e) {
        emit StatusText(
            QString("Loading the Treasury curve failed: %1").arg(QString::fromStdString(e.text())));
        ReportError(app_.dialogs, app_.events, e);
        return false;
    }
}

void ucYarrowData::cmdStop_Click() {
    if (browser_) {
        browser_->Stop();
        browser_->SetTag(BrowserPane::kAllDone);
    }
    DoEvents(&app_.events);
}

} // namespace yarrow
