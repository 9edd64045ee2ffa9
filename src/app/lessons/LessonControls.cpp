#include "lessons/LessonControls.h"

#include "core/data/FrbSeries.h"
#include "core/lessons/Spread.h"

#include <QComboBox>
#include <QDateEdit>

namespace yarrow {

QDate ToQDate(Date d) {
    return QDate(Year(d), Month(d), Day(d));
}

Date FromQDate(const QDate& d) {
    return MakeDate(d.year(), d.month(), d.day());
}

QDateEdit* NewDateBox(const char* name, Date first, Date last, Date value, QWidget* parent) {
    auto* box = new QDateEdit(ToQDate(value), parent);
    box->setObjectName(name);
    box->setDisplayFormat("yyyy-MM-dd");
    box->setDateRange(ToQDate(first), ToQDate(last));
    box->setCalendarPopup(true);
    return box;
}

QComboBox* NewSeriesBox(const char* name, int series, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (int s = 0; s < kFrbSeriesCount; ++s)
        box->addItem(SeriesLabel(s));
    box->setCurrentIndex(series);
    return box;
}

} // namespace yarrow
