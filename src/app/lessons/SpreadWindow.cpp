#include "lessons/SpreadWindow.h"

#include "base/Accessibility.h"
#include "chart/ChartWidget.h"
#include "core/lessons/LessonCharts.h"
#include "lessons/LessonControls.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>

namespace yarrow {

SpreadWindow::SpreadWindow(const CmtHistory& history, const std::vector<Recession>& recessions, QWidget* parent)
    : ChartWindow("Spread and Inversions", parent), history_(history), recessions_(recessions) {
    setObjectName("frmSpread");
    auto* row = new QWidget(this);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    txtFrom = NewDateBox("txtFrom", history.First(), history.Last(), history.First(), row);
    txtTo = NewDateBox("txtTo", history.First(), history.Last(), history.Last(), row);
    cmbLong = NewSeriesBox("cmbLong", 7, row);
    cmbShort = NewSeriesBox("cmbShort", 0, row);
    spnMinDays = new QSpinBox(row);
    spnMinDays->setObjectName("spnMinDays");
    spnMinDays->setRange(1, 5000);
    spnMinDays->setToolTip("Leave out inversions shorter than this many business days");
    h->addWidget(NewBuddyLabel("Fro&m", txtFrom, row));
    h->addWidget(txtFrom);
    h->addWidget(NewBuddyLabel("T&o", txtTo, row));
    h->addWidget(txtTo);
    h->addSpacing(12);
    h->addWidget(NewBuddyLabel("&Long", cmbLong, row));
    h->addWidget(cmbLong);
    h->addWidget(NewBuddyLabel("minus s&hort", cmbShort, row));
    h->addWidget(cmbShort);
    h->addSpacing(12);
    h->addWidget(NewBuddyLabel("Shortest &inversion (days)", spnMinDays, row));
    h->addWidget(spnMinDays);
    h->addStretch(1);
    AddControls(row);

    tblInversions = new QTableWidget(0, 6, this);
    tblInversions->setObjectName("tblInversions");
    tblInversions->setAccessibleName("Inversions");
    tblInversions->setHorizontalHeaderLabels(
        {"First", "Last", "Business days", "Deepest (%)", "Deepest day", "Months to recession"});
    tblInversions->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tblInversions->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblInversions->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblInversions->verticalHeader()->setVisible(false);
    SetBottom(tblInversions);
    connect(tblInversions, &QTableWidget::cellDoubleClicked, this, [this](int r, int) {
        if (r < 0 || r >= static_cast<int>(inversions_.size()))
            return;
        const Inversion& inv = inversions_[static_cast<size_t>(r)];
        ChartRange v = View()->View();
        v.xMin = ChartDay(inv.first) - 365;
        v.xMax = ChartDay(inv.last) + 365;
        View()->SetView(v);
    });

    for (QDateEdit* d : {txtFrom, txtTo})
        connect(d, &QDateEdit::dateChanged, this, &SpreadWindow::Recompute);
    for (QComboBox* c : {cmbLong, cmbShort})
        connect(c, &QComboBox::currentIndexChanged, this, &SpreadWindow::Recompute);
    connect(spnMinDays, &QSpinBox::valueChanged, this, &SpreadWindow::Recompute);
    Recompute();
}

void SpreadWindow::Recompute() {
    SpreadRequest r;
    r.from = FromQDate(txtFrom->date());
    r.to = FromQDate(txtTo->date());
    r.longSeries = cmbLong->currentIndex();
    r.shortSeries = cmbShort->currentIndex();
    if (r.shortSeries >= r.longSeries) {
        statusBar()->showMessage("Choose a short series shorter than the long one.");
        inversions_.clear();
        tblInversions->setRowCount(0);
        SetChart(Chart{});
        return;
    }
    const std::vector<SpreadPoint> daily = SpreadSeries(history_, r);
    inversions_ = FindInversions(daily, recessions_, spnMinDays->value());
    SetChart(SpreadChart(r, daily, inversions_, recessions_));
    tblInversions->setRowCount(static_cast<int>(inversions_.size()));
    for (size_t i = 0; i < inversions_.size(); ++i) {
        const Inversion& inv = inversions_[i];
        const QStringList cells = {
            QString::fromStdString(FormatDate(inv.first, "yyyy-mm-dd")),
            QString::fromStdString(FormatDate(inv.last, "yyyy-mm-dd")),
            QString::number(inv.businessDays),
            QString::fromStdString(HundredthsText(static_cast<int16_t>(inv.deepest))),
            QString::fromStdString(FormatDate(inv.deepestDay, "yyyy-mm-dd")),
            inv.monthsToRecession ? QString("%1 (%2)").arg(*inv.monthsToRecession).arg(
                                        QString::fromStdString(inv.recession->PeakText()))
                                  : QString()};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c == 2 || c == 3 || c == 5)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            tblInversions->setItem(static_cast<int>(i), c, item);
        }
    }
    statusBar()->showMessage(QString("%1 inversions").arg(inversions_.size()), 4000);
}

} // namespace yarrow
