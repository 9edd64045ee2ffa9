#include "data/frmCurveOfDate.h"

#include "core/data/CmtHistory.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

namespace yarrow {

namespace {

QDate ToQDate(Date d) {
    return QDate(Year(d), Month(d), Day(d));
}

Date FromQDate(QDate d) {
    return MakeDate(d.year(), d.month(), d.day());
}

} // namespace

frmCurveOfDate::frmCurveOfDate(const CmtHistory& history, Date initial, DateOrder order, QWidget* parent)
    : QDialog(parent), history_(history), order_(order) {
    setObjectName("frmCurveOfDate");
    setWindowTitle("Treasury Curve of a Date");

    for (size_t k = 0; k < history_.Size(); ++k)
        for (int s = 0; s < kFrbSeriesCount; ++s)
            if (history_.RateAt(k, s) != CmtHistory::kAbsent) {
                businessDays_.push_back(history_.DayAt(k));
                break;
            }

    calDate = new QCalendarWidget(this);
    calDate->setObjectName("calDate");
    calDate->setGridVisible(true);
    calDate->setAccessibleName("Day");
    // The calendar's own parts have no names of their own.
    const std::pair<const char*, const char*> parts[] = {{"qt_calendar_calendarview", "Days of the month"},
                                                         {"qt_calendar_prevmonth", "Previous month"},
                                                         {"qt_calendar_nextmonth", "Next month"},
                                                         {"qt_calendar_yearedit", "Year"}};
    for (const auto& [part, name] : parts)
        if (auto* w = calDate->findChild<QWidget*>(part))
            w->setAccessibleName(name);
    calDate->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calDate->setToolTip("The day whose Treasury curve is loaded. A weekend or holiday takes the "
                        "business day before.");

    sldHistory = new QSlider(Qt::Horizontal, this);
    sldHistory->setObjectName("sldHistory");
    sldHistory->setMinimumWidth(360);
    sldHistory->setAccessibleName("Business day");
    sldHistory->setToolTip("Browse the history business day by business day (arrow keys), by "
                           "month (Page Up/Down) or to its ends (Home/End).");
    sldHistory->setPageStep(21);
    sldHistory->setTickPosition(QSlider::TicksBelow);
    sldHistory->setTickInterval(2 * 261); // about two years of business days
    lblSliderDate = new QLabel(this);
    lblSliderDate->setObjectName("lblSliderDate");
    lblSliderDate->setMinimumWidth(90);

    lblRates = new QLabel(this);
    lblRates->setObjectName("lblRates");
    lblRates->setTextFormat(Qt::PlainText);
    lblRates->setWordWrap(true);
    lblRates->setMinimumHeight(64);

    auto* buttons = new QDialogButtonBox(this);
    cmdLoad = buttons->addButton("Load", QDialogButtonBox::AcceptRole);
    cmdLoad->setObjectName("cmdLoad");
    cmdLoad->setDefault(true);
    cmdLoad->setToolTip("Write the rates of this day into the data grid and build the bond table");
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName("cmdCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* sliderRow = new QHBoxLayout;
    sliderRow->addWidget(sldHistory, 1);
    sliderRow->addWidget(lblSliderDate);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(calDate);
    layout->addLayout(sliderRow);
    layout->addWidget(lblRates);
    layout->addWidget(buttons);

    if (!businessDays_.empty()) {
        calDate->setDateRange(ToQDate(businessDays_.front()), ToQDate(businessDays_.back()));
        sldHistory->setRange(0, static_cast<int>(businessDays_.size()) - 1);
    }
    connect(calDate, &QCalendarWidget::selectionChanged, this, [this] {
        if (!syncing_)
            SetSelectedDate(FromQDate(calDate->selectedDate()));
    });
    connect(calDate, &QCalendarWidget::activated, this, &QDialog::accept);
    connect(sldHistory, &QSlider::valueChanged, this, [this](int k) {
        if (!syncing_ && k >= 0 && static_cast<size_t>(k) < businessDays_.size())
            SetSelectedDate(businessDays_[static_cast<size_t>(k)]);
    });
    SetSelectedDate(initial);
}

void frmCurveOfDate::SetSelectedDate(Date date) {
    if (!businessDays_.empty())
        date = std::clamp(date, businessDays_.front(), businessDays_.back());
    selected_ = date;
    syncing_ = true;
    calDate->setSelectedDate(ToQDate(date));
    // The slider stops at the business day the chosen date takes its rates from.
    const auto after = std::upper_bound(businessDays_.begin(), businessDays_.end(), date);
    if (after != businessDays_.begin())
        sldHistory->setValue(static_cast<int>(after - businessDays_.begin()) - 1);
    syncing_ = false;
    ShowDay();
}

void frmCurveOfDate::ShowDay() {
    const std::string format = DateFormatText(order_);
    lblSliderDate->setText(QString::fromStdString(FormatDate(selected_, format)));
    const CmtDay day = history_.DayOf(selected_);
    cmdLoad->setEnabled(!day.Empty());
    if (day.Empty()) {
        lblRates->setText("No Treasury rates in the 30 days up to this date.");
        return;
    }
    QString rates;
    QStringList absent;
    size_t next = 0;
    for (int s = 0; s < kFrbSeriesCount; ++s) {
        if (next < day.rows.size() && day.rows[next].series == s) {
            rates += QString("%1 %2   ")
                         .arg(kFrbSeriesLabels[static_cast<size_t>(s)])
                         .arg(QString::fromStdString(HundredthsText(day.rows[next].hundredths)));
            ++next;
        } else {
            absent << kFrbSeriesLabels[static_cast<size_t>(s)];
        }
    }
    QString text = QString("Quote date %1 (%2)\n%3")
                       .arg(QString::fromStdString(FormatDate(day.quoteDate, format)))
                       .arg(QString::fromStdString(FormatDate(day.quoteDate, "dddd")))
                       .arg(rates.trimmed());
    if (!absent.isEmpty())
        text += "\nNot published then: " + absent.join(", ");
    lblRates->setText(text);
}

} // namespace yarrow
