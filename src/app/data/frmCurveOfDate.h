#pragma once

#include "core/text/Dates.h"

#include <QDialog>
#include <vector>

class QCalendarWidget;
class QLabel;
class QPushButton;
class QSlider;

namespace yarrow {

class CmtHistory;

// "Treasury Curve of a Date": a calendar and a slider through the business days of the bundled
// history, with the rates of the chosen day shown as they would be loaded. "Load" accepts.
class frmCurveOfDate : public QDialog {
    Q_OBJECT
public:
    frmCurveOfDate(const CmtHistory& history, Date initial, DateOrder order, QWidget* parent = nullptr);

    Date SelectedDate() const { return selected_; }
    void SetSelectedDate(Date date);

private:
    void ShowDay();

    const CmtHistory& history_;
    DateOrder order_;
    std::vector<Date> businessDays_; // the slider's stops: days of the history with a rate
    Date selected_{};
    bool syncing_ = false;

    QCalendarWidget* calDate;
    QSlider* sldHistory;
    QLabel* lblSliderDate;
    QLabel* lblRates;
    QPushButton* cmdLoad;
};

} // namespace yarrow
