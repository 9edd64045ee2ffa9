#pragma once

#include "chart/ChartWindow.h"
#include "core/data/CmtHistory.h"

class QComboBox;
class QDateEdit;

namespace yarrow {

// "Curve Map": the history as a heat map, date across and maturity down, with a colour bar; the
// status bar reads the date, maturity and rate under the pointer.
class CurveMapWindow : public ChartWindow {
    Q_OBJECT
public:
    explicit CurveMapWindow(const CmtHistory& history, QWidget* parent = nullptr);
    void Recompute();

private:
    const CmtHistory& history_;
    QDateEdit* txtFrom;
    QDateEdit* txtTo;
    QComboBox* cmbStep;
};

} // namespace yarrow
