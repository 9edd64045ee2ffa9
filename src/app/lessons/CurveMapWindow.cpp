#include "lessons/CurveMapWindow.h"

#include "base/Accessibility.h"
#include "core/lessons/LessonCharts.h"
#include "lessons/LessonControls.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>

namespace yarrow {

CurveMapWindow::CurveMapWindow(const CmtHistory& history, QWidget* parent)
    : ChartWindow("Curve Map", parent), history_(history) {
    setObjectName("frmCurveMap");
    auto* row = new QWidget(this);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    txtFrom = NewDateBox("txtFrom", history.First(), history.Last(), history.First(), row);
    txtTo = NewDateBox("txtTo", history.First(), history.Last(), history.Last(), row);
    cmbStep = new QComboBox(row);
    cmbStep->setObjectName("cmbStep");
    cmbStep->addItems({"Day", "Week", "Month"});
    cmbStep->setToolTip("One column a business day, or the day on or before each week or month");
    h->addWidget(NewBuddyLabel("Fro&m", txtFrom, row));
    h->addWidget(txtFrom);
    h->addWidget(NewBuddyLabel("T&o", txtTo, row));
    h->addWidget(txtTo);
    h->addWidget(NewBuddyLabel("Col&umn", cmbStep, row));
    h->addWidget(cmbStep);
    h->addStretch(1);
    AddControls(row);
    for (QDateEdit* d : {txtFrom, txtTo})
        connect(d, &QDateEdit::dateChanged, this, &CurveMapWindow::Recompute);
    connect(cmbStep, &QComboBox::currentIndexChanged, this, &CurveMapWindow::Recompute);
    Recompute();
}

void CurveMapWindow::Recompute() {
    const Date from = FromQDate(txtFrom->date()), to = FromQDate(txtTo->date());
    const SpreadStep step = static_cast<SpreadStep>(std::clamp(cmbStep->currentIndex(), 0, 2));
    SetChart(to < from ? Chart{} : CurveMapChart(history_, from, to, step));
}

} // namespace yarrow
