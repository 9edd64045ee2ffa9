#pragma once

#include "chart/ChartWindow.h"
#include "core/lessons/Spread.h"

#include <vector>

class QComboBox;
class QDateEdit;
class QSpinBox;
class QTableWidget;

namespace yarrow {

// "Spread and Inversions": the daily spread of a long series minus a short one with its
// inversions shaded and the US recessions as bands, and a table of the inversions. Double-click a
// row to see that inversion and the year around it.
class SpreadWindow : public ChartWindow {
    Q_OBJECT
public:
    SpreadWindow(const CmtHistory& history, const std::vector<Recession>& recessions, QWidget* parent = nullptr);

    const std::vector<Inversion>& Inversions() const { return inversions_; }
    void Recompute();

private:
    const CmtHistory& history_;
    std::vector<Recession> recessions_;
    std::vector<Inversion> inversions_;
    QDateEdit* txtFrom;
    QDateEdit* txtTo;
    QComboBox* cmbLong;
    QComboBox* cmbShort;
    QSpinBox* spnMinDays;
    QTableWidget* tblInversions;
};

} // namespace yarrow
