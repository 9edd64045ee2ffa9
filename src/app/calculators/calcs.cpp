#include "calculators/calcs.h"

#include "base/Accessibility.h"
#include "base/Announce.h"
#include "base/IgnoreErrors.h"
#include "core/calculators/ConvertQuote.h"
#include "core/calculators/DateRule.h"
#include "core/calculators/Logarithm.h"
#include "core/calculators/PresentValue.h"
#include "core/data/Session.h"
#include "core/grid/GridModel.h"
#include "core/grid/GridText.h"
#include "core/seams/Clipboard.h"
#include "core/seams/Dialogs.h"
#include "core/text/NumberText.h"
#include "core/text/RuntimeError.h"
#include "base/AppContext.h"
#include "widgets/ErrorReport.h"
#include "widgets/GridCellEditor.h"
#include "widgets/GridView.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>

namespace yarrow {

namespace {

// The year box shows four digits in whatever font it has: the digits' width plus the frame and
// margins the style gives a line edit.
void FitYearBox(QLineEdit* box) {
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    const QMargins margins = box->textMargins();
    // A line edit keeps 2 pixels each side of its text inside the style's frame, and the cursor
    // takes one more.
    const int text = box->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + margins.left() +
                     margins.right() + 2 * 2 + 1;
    const int width =
        box->style()
            ->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(text, box->fontMetrics().height()), box)
            .width();
    box->setMinimumWidth(width);
    box->setMaximumWidth(qMax(width, 70));
}

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
std::string S(const QString& s) {
    return s.toStdString();
}

template <typename T> T* Named(T* control, const QString& name) {
    control->setObjectName(name);
    return control;
}

QString Indexed(const char* name, int index) {
    return QString("%1_%2").arg(name).arg(index);
}

QGroupBox* Panel(const char* name, const char* caption, QWidget* parent) {
    return Named(new QGroupBox(caption, parent), name);
}

} // namespace

calcs::calcs(AppContext& app, QWidget* parent) : QWidget(parent, Qt::Window), app_(app) {
    setObjectName("calcs");
    setWindowTitle("QAL Calculators");
    // The user's decimal separator, as formatting a number shows it.
    const QString point = QLocale().decimalPoint();
    decSep_ = S(point.isEmpty() ? QString(".") : point);
    pad_ = std::make_unique<Keypad>(app_.dialogs, decSep_);

    auto* grid = new QGridLayout(this);
    grid->addWidget(BuildDateRule(), 0, 0, 1, 3);
    grid->addWidget(BuildKeypad(), 1, 0);
    grid->addWidget(BuildLogs(), 2, 0);
    auto* middle = new QVBoxLayout;
    middle->addWidget(BuildMaturity());
    middle->addWidget(BuildRates());
    grid->addLayout(middle, 1, 1, 2, 1);
    grid->addWidget(BuildPresentValue(), 1, 2, 2, 1);
    grid->setColumnStretch(1, 1);
    NameControls();
    adjustSize();
    Form_Load();
}

// What a screen reader says where a caption is a symbol or is repeated in another box.
void calcs::NameControls() {
    Panel3D1_0->setAccessibleName("Keypad");
    Readout->setAccessibleName("Keypad display");
    const char* ops[5] = {"Divide", "Plus", "Times", "Minus", "Equals"};
    for (size_t k = 0; k < 5; ++k)
        Operator[k]->setAccessibleName(ops[k]);
    bDecimal->setAccessibleName("Decimal separator");
    CancelEntry->setAccessibleName("Clear entry");
    Cancel->setAccessibleName("Clear");
    cpy->setAccessibleName("Copy display");
    pst->setAccessibleName("Paste into display");
    const char* rule[4] = {"Weekday", "Before or after", "Weekday of the month", "Month"};
    for (size_t k = 0; k < 4; ++k)
        NameWithoutLabel(Combo1[k], rule[k]);
    tDate->setAccessibleName("Year");
    Label1[0]->setBuddy(Text2[0]);
    Label1[1]->setBuddy(Text2[1]);
    Label1[3]->setBuddy(Text2[2]);
    Label1[2]->setBuddy(Text2[3]);
    Label1[4]->setBuddy(tdisc);
    Label1[5]->setBuddy(lgexpTxt);
    Grid1->setAccessibleName("Present value flows");
    const std::pair<const char*, const char*> buttons[] = {
        {"calcDate", "Calculate date"},      {"dateok_0", "Convert date to maturity"},
        {"clrdate", "Clear maturity"},       {"dtrans", "Copy maturity"},
        {"pvcalc", "Calculate present value"}, {"clrPV", "Clear present value"},
        {"pvcpy", "Copy present value"},     {"dateok_1", "Convert interest rate"},
        {"btrans", "Copy interest rate"},    {"clrRate", "Clear interest rate"},
        {"logcalc", "Calculate logarithm"},  {"lgcopy", "Copy logarithm"}};
    for (const auto& [name, text] : buttons)
        findChild<QPushButton*>(name)->setAccessibleName(text);
}

calcs::~calcs() = default;

QWidget* calcs::BuildKeypad() {
    auto* panel = Named(new QGroupBox(this), "Panel3D1_0");
    panel->setToolTip(
        "Keys: digits, the decimal separator, + - * / = %, Enter for =, Esc for C, Delete for CE");
    Panel3D1_0 = panel;
    panel->setFocusPolicy(Qt::StrongFocus);
    auto* g = new QGridLayout(panel);
    Readout = Named(new QLabel(panel), "Readout");
    Readout->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Readout->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QFont f = Readout->font();
    f.setPointSizeF(f.pointSizeF() * 1.4);
    Readout->setFont(f);
    Readout->setMinimumHeight(Readout->fontMetrics().height() + 10);
    g->addWidget(Readout, 0, 0, 1, 4);

    auto button = [&](QPushButton*& slot, const QString& name, const QString& caption, int row, int col,
                      std::function<void()> handler) {
        slot = Named(new QPushButton(caption, panel), name);
        slot->setFocusPolicy(Qt::NoFocus); // the panel keeps the keyboard
        slot->setMinimumWidth(40);
        g->addWidget(slot, row, col);
        connect(slot, &QPushButton::clicked, this, std::move(handler));
    };
    const int digitPlace[10][2] = {{5, 0}, {4, 0}, {4, 1}, {4, 2}, {3, 0},
                                   {3, 1}, {3, 2}, {2, 0}, {2, 1}, {2, 2}};
    for (int d = 0; d <= 9; ++d)
        button(Number[size_t(d)], Indexed("Number", d), QString::number(d), digitPlace[d][0],
               digitPlace[d][1], [this, d] { Number_Click(d); });
    const char* ops[5] = {"/", "+", "X", "-", "="};
    const int opPlace[5][2] = {{1, 3}, {4, 3}, {2, 3}, {3, 3}, {5, 3}};
    for (int k = 0; k < 5; ++k)
        button(Operator[size_t(k)], Indexed("Operator", k), ops[k], opPlace[k][0], opPlace[k][1],
               [this, k] { Operator_Click(k); });
    button(bDecimal, "bDecimal", Q(decSep_), 5, 1, [this] { bDecimal_Click(); });
    button(Percent, "Percent", "%", 5, 2, [this] { Percent_Click(); });
    button(CancelEntry, "CancelEntry", "CE", 1, 1, [this] { CancelEntry_Click(); });
    button(Cancel, "Cancel", "C", 1, 0, [this] { Cancel_Click(); });
    button(cpy, "cpy", "Copy", 6, 0, [this] { cpy_Click(); });
    button(pst, "pst", "Paste", 6, 1, [this] { pst_Click(); });
    g->addWidget(cpy, 6, 0, 1, 2);
    g->addWidget(pst, 6, 2, 1, 2);
    cpy->setToolTip("Copy the display (Ctrl+C)");
    pst->setToolTip("Paste into the display (Ctrl+V)");
    // Only while the keypad has the keyboard: Enter and Escape in a text box are that box's.
    panel->installEventFilter(this);
    return panel;
}

QWidget* calcs::BuildDateRule() {
    auto* panel = Panel("Panel3D3", "", this);
    auto* h = new QHBoxLayout(panel);
    QStringList days, months;
    for (int k = 1; k <= 7; ++k)
        days << Q(WeekdayName(k));
    for (int k = 1; k <= 12; ++k)
        months << Q(MonthName(k));
    auto combo = [&](int index, const QStringList& items) {
        Combo1[size_t(index)] = Named(new QComboBox(panel), Indexed("Combo1", index));
        Combo1[size_t(index)]->addItems(items);
        return Combo1[size_t(index)];
    };
    auto label = [&](int index, const char* caption) {
        Label1[size_t(index)] = Named(new QLabel(caption, panel), Indexed("Label1", index));
        return Label1[size_t(index)];
    };
    h->addWidget(combo(0, days));
    h->addWidget(combo(1, {"before", "after"}));
    h->addWidget(label(9, "third"));
    h->addWidget(combo(2, days));
    h->addWidget(label(8, "of"));
    h->addWidget(combo(3, months));
    tDate = Named(new QLineEdit(panel), "tDate");
    FitYearBox(tDate);
    tDate->installEventFilter(this); // refitted when its font changes
    tDate->setToolTip("The year (below 1900 counts from 2000: 3 is 2003)");
    h->addWidget(tDate);
    auto* calc = Named(new QPushButton("Calculate", panel), "calcDate");
    h->addWidget(calc);
    cxDate = Named(new QLabel("Date", panel), "cxDate");
    cxDate->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    cxDate->setMinimumWidth(90);
    cxDate->setTextInteractionFlags(Qt::TextSelectableByMouse);
    h->addWidget(cxDate);
    auto* copy = Named(new QPushButton("Copy Date", panel), "cpDate");
    auto* transfer = Named(new QPushButton("Transfer above", panel), "tfrDate");
    transfer->setToolTip("Put the date into the Future Date box");
    h->addWidget(copy);
    h->addWidget(transfer);
    h->addStretch();
    connect(calc, &QPushButton::clicked, this, &calcs::calcDate_Click);
    connect(tDate, &QLineEdit::returnPressed, this, &calcs::calcDate_Click);
    connect(copy, &QPushButton::clicked, this, &calcs::cpDate_Click);
    connect(transfer, &QPushButton::clicked, this, &calcs::tfrDate_Click);
    return panel;
}

QWidget* calcs::BuildMaturity() {
    auto* panel = Panel("Panel3D1_4", "Convert Date to Maturity", this);
    auto* g = new QGridLayout(panel);
    for (int k = 0; k < 2; ++k) {
        Label1[size_t(k)] = Named(new QLabel(k == 0 ? "Today" : "Future Date", panel), Indexed("Label1", k));
        Text2[size_t(k)] = Named(new QLineEdit(panel), Indexed("Text2", k));
        g->addWidget(Label1[size_t(k)], k, 0);
        g->addWidget(Text2[size_t(k)], k, 1, 1, 2);
    }
    Text2[1]->setToolTip("A date, or a number of days after Today");
    matlab = Named(new QLabel("Maturity:", panel), "matlab");
    g->addWidget(matlab, 2, 0, 1, 3);
    dateok[0] = Named(new QPushButton("Convert", panel), "dateok_0");
    auto* clear = Named(new QPushButton("Clear", panel), "clrdate");
    auto* copy = Named(new QPushButton("Copy", panel), "dtrans");
    g->addWidget(dateok[0], 3, 0);
    g->addWidget(clear, 3, 1);
    g->addWidget(copy, 3, 2);
    connect(dateok[0], &QPushButton::clicked, this, [this] { dateok_Click(0); });
    connect(Text2[1], &QLineEdit::returnPressed, this, [this] { dateok_Click(0); });
    connect(clear, &QPushButton::clicked, this, &calcs::clrdate_Click);
    connect(copy, &QPushButton::clicked, this, &calcs::dtrans_Click);
    return panel;
}

QWidget* calcs::BuildPresentValue() {
    auto* panel = Panel("Panel3D1_2", "Present Value Calculator", this);
    auto* g = new QGridLayout(panel);
    Grid1 = Named(new GridView(panel), "Grid1");
    Grid1->setToolTip(
        "Time in years, yield (0.05 or 5 for 5%), amount; Enter or an arrow key enters a number");
    g->addWidget(Grid1, 0, 0, 1, 3);
    Label1[7] = Named(new QLabel("Value", panel), "Label1_7");
    pvlab = Named(new QLabel(panel), "pvlab");
    pvlab->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pvlab->setTextInteractionFlags(Qt::TextSelectableByMouse);
    g->addWidget(Label1[7], 1, 0);
    g->addWidget(pvlab, 1, 1, 1, 2);
    auto* calc = Named(new QPushButton("Calculate", panel), "pvcalc");
    auto* clear = Named(new QPushButton("Clear", panel), "clrPV");
    auto* copy = Named(new QPushButton("Copy", panel), "pvcpy");
    g->addWidget(calc, 2, 0);
    g->addWidget(clear, 2, 1);
    g->addWidget(copy, 2, 2);
    connect(calc, &QPushButton::clicked, this, &calcs::pvcalc_Click);
    connect(clear, &QPushButton::clicked, this, &calcs::clrPV_Click);
    connect(copy, &QPushButton::clicked, this, &calcs::pvcpy_Click);
    editor_ = Grid1->CellEditor();
    auto numbersOnly = [this](const std::string& text) {
        if (IsNumeric(text))
            return true;
        app_.dialogs.Message("Non-Numeric Data Entry", "Error", MessageIcon::Critical);
        return false;
    };
    editor_->SetOptions({.spreadsheetKeys = false, .typeInCell = true, .accepts = numbersOnly});
    connect(Grid1, &GridView::ControlKey, this, [this](int code) {
        if (editor_->editRow() == 0)
            return; // the heading row
        if (code == 3)
            CopyGridSelection(Grid1->Model(), app_.clipboard, app_.dialogs);
        else if (code == 22)
            PasteToGridSelection(Grid1->Model(), app_.clipboard, app_.dialogs);
    });
    connect(Grid1, &GridView::FocusGained, this, [this](GridView* g) { app_.ActiveGrid = g; });
    return panel;
}

QWidget* calcs::BuildRates() {
    auto* panel = Panel("Panel3D1_5", "Convert Interest Rate Quote", this);
    auto* g = new QGridLayout(panel);
    const char* captions[4] = {"T-Bill", "LIBOR", "Zero", "Discrete"};
    const char* tips[4] = {
        "Select to convert a US Treasury Bill quote", "Select to convert an actual/360 interest rate",
        "Select to determine the continuously compounded interest rate from a zero coupon bond price",
        "Convert from discrete to continuous compounding"};
    auto* options = new QButtonGroup(panel);
    for (int k = 0; k < 4; ++k) {
        irtyp[size_t(k)] = Named(new QRadioButton(captions[k], panel), Indexed("irtyp", k));
        irtyp[size_t(k)]->setToolTip(tips[k]);
        options->addButton(irtyp[size_t(k)], k);
        g->addWidget(irtyp[size_t(k)], 0, k);
        connect(irtyp[size_t(k)], &QRadioButton::clicked, this, [this, k] { irtyp_Click(k); });
    }
    irtyp[0]->setChecked(true);
    const int rows[3][2] = {{3, 2}, {2, 3}, {4, -1}}; // label index, box index (-1: tdisc)
    const char* labels[3] = {"Today", "Maturity", "T-Bill"};
    for (int r = 0; r < 3; ++r) {
        Label1[size_t(rows[r][0])] = Named(new QLabel(labels[r], panel), Indexed("Label1", rows[r][0]));
        QLineEdit* box = rows[r][1] >= 0 ? (Text2[size_t(rows[r][1])] =
                                                Named(new QLineEdit(panel), Indexed("Text2", rows[r][1])))
                                         : (tdisc = Named(new QLineEdit(panel), "tdisc"));
        g->addWidget(Label1[size_t(rows[r][0])], r + 1, 0);
        g->addWidget(box, r + 1, 1, 1, 3);
    }
    Text2[3]->setToolTip("A maturity date or a number of days (for Discrete, compounding periods a year)");
    tdisc->setToolTip("The quote; Enter converts");
    tblab = Named(new QLabel("Interest Rate", panel), "tblab");
    g->addWidget(tblab, 4, 0, 1, 4);
    dateok[1] = Named(new QPushButton("Convert", panel), "dateok_1");
    auto* copy = Named(new QPushButton("Copy", panel), "btrans");
    auto* clear = Named(new QPushButton("Clear", panel), "clrRate");
    g->addWidget(dateok[1], 5, 0);
    g->addWidget(copy, 5, 1);
    g->addWidget(clear, 5, 2);
    connect(dateok[1], &QPushButton::clicked, this, [this] { dateok_Click(1); });
    connect(tdisc, &QLineEdit::returnPressed, this, [this] { dateok[1]->click(); });
    connect(copy, &QPushButton::clicked, this, &calcs::btrans_Click);
    connect(clear, &QPushButton::clicked, this, &calcs::clrRate_Click);
    return panel;
}

QWidget* calcs::BuildLogs() {
    auto* panel = Panel("Panel3D1_1", "Logs and Exponentials", this);
    auto* g = new QGridLayout(panel);
    auto* options = new QButtonGroup(panel);
    for (int k = 0; k < 2; ++k) {
        lgtyp[size_t(k)] = Named(new QRadioButton(k == 0 ? "Log" : "Exp", panel), Indexed("lgtyp", k));
        options->addButton(lgtyp[size_t(k)], k);
        g->addWidget(lgtyp[size_t(k)], 0, k);
        connect(lgtyp[size_t(k)], &QRadioButton::clicked, this, [this, k] { lgtyp_Click(k); });
    }
    lgtyp[0]->setChecked(true);
    Label1[5] = Named(new QLabel("Number", panel), "Label1_5");
    lgexpTxt = Named(new QLineEdit(panel), "lgexpTxt");
    Label1[6] = Named(new QLabel("Logarithm", panel), "Label1_6");
    lgCap = Named(new QLabel(panel), "lgCap");
    lgCap->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lgCap->setTextInteractionFlags(Qt::TextSelectableByMouse);
    g->addWidget(Label1[5], 1, 0);
    g->addWidget(lgexpTxt, 1, 1);
    g->addWidget(Label1[6], 2, 0);
    g->addWidget(lgCap, 2, 1);
    auto* calc = Named(new QPushButton("Calculate", panel), "logcalc");
    auto* copy = Named(new QPushButton("Copy", panel), "lgcopy");
    g->addWidget(calc, 3, 0);
    g->addWidget(copy, 3, 1);
    connect(calc, &QPushButton::clicked, this, &calcs::logcalc_Click);
    connect(lgexpTxt, &QLineEdit::returnPressed, this, &calcs::logcalc_Click);
    connect(copy, &QPushButton::clicked, this, &calcs::lgcopy_Click);
    return panel;
}

DateOrder calcs::SystemOrder() const {
    return app_.systemDateOrder.value_or(SystemDateOrder());
}

DateOrder calcs::Order() const {
    return app_.session.dateOrder;
}

void calcs::Form_Load() {
    IgnoreErrors<std::exception>([&] { app_.session.dateOrder = DateOrderFromFormat(DetectDateFormat(SystemOrder())); });
    IgnoreErrors<std::exception>([&] {
        if (const QScreen* s = screen()) {
            const QRect area = s->availableGeometry();
            move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
        }
    });
    IgnoreErrors<std::exception>([&] {
        const QString today = Q(FormatDate(Today(), app_.session.DateFormat()));
        Text2[0]->setText(today);
        Text2[2]->setText(today);
    });
    IgnoreErrors<std::exception>([&] {
        pad_->Reset();
        ShowReadout();
        bDecimal->setText(Q(decSep_));
    });
    IgnoreErrors<std::exception>([&] {
        SetupPresentValueGrid(Grid1->Model());
        const int w0 = Grid1->fontMetrics().horizontalAdvance("Maturity");
        const int w1 = Grid1->fontMetrics().horizontalAdvance("Maturtys");
        // A little room for the cell's margins around the measured text.
        Grid1->SetColumnTwips({(w0 + 8) * 15, (w1 + 8) * 15, (w1 + 8) * 15});
        int width = 2 * Grid1->frameWidth() + Grid1->verticalScrollBar()->sizeHint().width() + 2;
        for (int c = 0; c < 3; ++c)
            width += Grid1->columnWidth(c);
        Grid1->setFixedWidth(width);
        Grid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        Grid1->Model().Select(1, 0, 1, 0);
    });
    IgnoreErrors<std::exception>([&] {
        const DateRuleChoice defaults = DefaultDateRule(Today());
        Combo1[0]->setCurrentIndex(defaults.weekday);
        Combo1[1]->setCurrentIndex(defaults.after ? 1 : 0);
        Combo1[2]->setCurrentIndex(defaults.reference);
        Combo1[3]->setCurrentIndex(defaults.month);
        tDate->setText(Q(defaults.year));
        calcDate_Click();
    });
    Panel3D1_0->setFocus();
}

// Keypad

void calcs::ShowReadout() {
    SetAnnouncedText(Readout, Q(pad_->Display()));
}

void calcs::Number_Click(int index) {
    pad_->Digit(Number[size_t(index)]->text().toInt());
    ShowReadout();
}

void calcs::Operator_Click(int index) {
    pad_->Operator(S(Operator[size_t(index)]->text()));
    ShowReadout();
}

void calcs::bDecimal_Click() {
    pad_->Separator();
    ShowReadout();
}

void calcs::Percent_Click() {
    pad_->Percent();
    ShowReadout();
}

void calcs::CancelEntry_Click() {
    pad_->ClearEntry();
    ShowReadout();
}

void calcs::Cancel_Click() {
    pad_->Clear();
    ShowReadout();
    bDecimal->setText(Q(decSep_));
}

void calcs::pst_Click() {
    IgnoreErrors<std::exception>([&] {
        if (auto text = app_.clipboard.GetText()) {
            pad_->Paste(*text);
            ShowReadout();
        }
    });
}

void calcs::cpy_Click() {
    IgnoreErrors<std::exception>([&] { ToClipboard(pad_->Display()); });
}

void calcs::ToClipboard(const std::string& text) {
    app_.clipboard.Clear();
    app_.clipboard.SetText(text);
}

bool calcs::KeypadKey(int key, const QString& text, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::ControlModifier) {
        if (key == Qt::Key_C)
            cpy->click();
        else if (key == Qt::Key_V)
            pst->click();
        else
            return false;
        return true;
    }
    QPushButton* target = nullptr;
    if (text.size() == 1 && text[0].isDigit())
        target = Number[size_t(text[0].digitValue())];
    else if (text == Q(decSep_) || (key == Qt::Key_Period && (modifiers & Qt::KeypadModifier)))
        target = bDecimal;
    else if (text == "/")
        target = Operator[0];
    else if (text == "+")
        target = Operator[1];
    else if (text == "*" || text == "x" || text == "X")
        target = Operator[2];
    else if (text == "-")
        target = Operator[3];
    else if (text == "=" || key == Qt::Key_Return || key == Qt::Key_Enter)
        target = Operator[4];
    else if (text == "%")
        target = Percent;
    else if (key == Qt::Key_Escape)
        target = Cancel;
    else if (key == Qt::Key_Delete)
        target = CancelEntry;
    if (!target)
        return false;
    target->click();
    return true;
}

bool calcs::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FontChange && watched == tDate)
        FitYearBox(tDate);
    if (event->type() == QEvent::KeyPress && watched == Panel3D1_0) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (KeypadKey(key->key(), key->text(), key->modifiers()))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

// Date rule and maturity

void calcs::calcDate_Click() {
    if (Combo1[3]->currentIndex() < 0)
        Combo1[3]->setCurrentIndex(0);
    DateRuleChoice choice{Combo1[0]->currentIndex(), Combo1[1]->currentIndex() == 1,
                          Combo1[2]->currentIndex(), Combo1[3]->currentIndex(), S(tDate->text())};
    if (const auto date = DateRule(choice, app_.dialogs))
        SetAnnouncedText(cxDate, Q(ShortDate(*date, SystemOrder())));
}

void calcs::cpDate_Click() {
    ToClipboard(S(cxDate->text().trimmed()));
}

void calcs::tfrDate_Click() {
    if (IsDate(S(cxDate->text()), Order()))
        Text2[1]->setText(cxDate->text());
    else
        app_.dialogs.Message("Please calculate the date first", "Calculator", MessageIcon::Critical);
}

void calcs::dateok_Click(int index) {
    if (index == 0) {
        QuoteBoxes boxes{S(Text2[0]->text()), S(Text2[1]->text()), {}, {}, QuoteType::TBill};
        const QuoteResult r = ConvertQuote(0, boxes, Order(), Today(), app_.dialogs);
        Text2[0]->setText(Q(boxes.today));
        Text2[1]->setText(Q(boxes.second));
        if (!r.failed) {
            matText_ = r.text;
            matlab->setText(QString("Maturity: ") + Q(matText_));
        }
        return;
    }
    ConvertRatePanel();
}

bool calcs::ConvertRatePanel() {
    QuoteBoxes boxes{S(Text2[2]->text()), S(Text2[3]->text()), S(tdisc->text()), S(Label1[4]->text()),
                     QuoteType(SelectedQuoteType())};
    const QuoteResult r = ConvertRate(boxes, Order(), Today(), app_.dialogs);
    if (boxes.type != QuoteType::Discrete) {
        Text2[2]->setText(Q(boxes.today));
        Text2[3]->setText(Q(boxes.second));
    }
    if (r.failed)
        return false;
    rateText_ = r.text;
    tblab->setText(QString("Interest Rate: ") + Q(rateText_));
    return true;
}

void calcs::clrdate_Click() {
    matlab->setText("Maturity: ");
    Text2[0]->clear();
    Text2[1]->clear();
}

void calcs::dtrans_Click() {
    ToClipboard(matText_);
}

// Present value

void calcs::pvcalc_Click() {
    try {
        if (const auto value = PresentValue(Grid1->Model(), app_.dialogs))
            SetAnnouncedText(pvlab, Q(*value));
    } catch (const RuntimeError& e) {
        ReportError(app_.dialogs, app_.events, e);
    }
}

void calcs::clrPV_Click() {
    pvlab->clear();
    GridModel& m = Grid1->Model();
    m.Select(1, 0, m.Rows() - 1, m.Cols() - 1);
    for (int r = 1; r < m.Rows(); ++r)
        for (int c = 0; c < m.Cols(); ++c)
            m.SetTextMatrix(r, c, {});
}

void calcs::pvcpy_Click() {
    ToClipboard(S(pvlab->text()));
}

// Rates

int calcs::SelectedQuoteType() const {
    for (int k = 0; k < 4; ++k)
        if (irtyp[size_t(k)]->isChecked())
            return k;
    return 0;
}

void calcs::irtyp_Click(int index) {
    static const char* const quoteLabels[4] = {"T-Bill", "LIBOR", "Price", "Rate"};
    const bool discrete = index == 3;
    Label1[2]->setText(discrete ? "Frequency" : "Maturity");
    Label1[3]->setEnabled(!discrete);
    Text2[2]->setEnabled(!discrete);
    Label1[4]->setText(quoteLabels[index]);
    if (discrete)
        Text2[3]->clear();
}

void calcs::btrans_Click() {
    if (ConvertRatePanel())
        ToClipboard(rateText_);
}

void calcs::clrRate_Click() {
    tblab->setText("Interest Rate: ");
    Text2[2]->clear();
    Text2[3]->clear();
    tdisc->clear();
}

// Logs

void calcs::lgtyp_Click(int index) {
    Label1[6]->setText(index == 0 ? "Logarithm" : "Exponential");
}

void calcs::logcalc_Click() {
    try {
        if (const auto shown = LogOrExp(lgtyp[1]->isChecked(), S(lgexpTxt->text()), app_.dialogs))
            SetAnnouncedText(lgCap, Q(*shown));
    } catch (const RuntimeError& e) {
        ReportError(app_.dialogs, app_.events, e);
    }
}

void calcs::lgcopy_Click() {
    ToClipboard(S(lgCap->text()));
}

} // namespace yarrow
