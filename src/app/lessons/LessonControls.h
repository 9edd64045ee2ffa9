#pragma once

#include "core/text/Dates.h"

#include <QDate>

class QComboBox;
class QDateEdit;
class QWidget;

namespace yarrow {

// Small pieces the lesson windows share.
QDate ToQDate(Date d);
Date FromQDate(const QDate& d);
// A yyyy-MM-dd date box limited to [first, last], showing `value`.
QDateEdit* NewDateBox(const char* name, Date first, Date last, Date value, QWidget* parent);
// A list of the ten series labels (3M .. 30Y) with `series` chosen.
QComboBox* NewSeriesBox(const char* name, int series, QWidget* parent);

} // namespace yarrow
