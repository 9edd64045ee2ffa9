#pragma once

#include "core/data/CmtHistory.h"
#include "core/lessons/Factors.h"
#include "core/lessons/FactorsCharts.h"

#include <QString>
#include <QWidget>
#include <array>
#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace yarrow {

class ChartWidget;

// "Factors": level, slope and curvature of the Treasury history over a chosen span and step.
// Charts of the first three loadings against maturity, the explained share of every component,
// and each Nelson-Siegel beta over time beside its empirical proxy (each zooms, and opens in a
// chart window of its own from its context menu); the numbers as copyable tables. Every change
// of the span, step, series or lambda computes again at once.
class frmFactors : public QWidget {
    Q_OBJECT
public:
    enum Picture { kLoadings, kExplained, kLevel, kSlope, kCurvature, kPictureCount };

    explicit frmFactors(QWidget* parent = nullptr);

    // Adds "Factors..." to the menu; it opens the one window owned by `owner`, or raises it.
    static QAction* AddToMenu(QMenu* lessons, QWidget* owner);

    void SetSpan(Date from, Date to, FactorStep step);
    const Chart& PictureChart(Picture p) const;
    // The message shown when the choice cannot be computed (empty when all went well).
    QString Status() const;
    // A table as TAB-separated lines with its headings: 0 loadings, 1 betas.
    QString TableText(int table) const;
    // Copies the table on show (from the pictures: both) to the clipboard.
    void CopyTable();

private:
    QHBoxLayout* BuildSpanRow();
    QHBoxLayout* BuildSeriesRow();
    QWidget* BuildPictures();
    void BuildTabs(QWidget* pictures);
    void LoadHistory();
    void Recompute();
    void OpenInWindow(Picture p);
    void FillLoadings(const PcaResult& pca);
    void FillBetas(const std::vector<DnsRow>& rows, const std::vector<BetaSeries>& betas);

    std::optional<CmtHistory> history_;
    bool settingUp_ = false;

    QDateEdit* dtpFrom;
    QDateEdit* dtpTo;
    QComboBox* cmbStep;
    std::array<QCheckBox*, kFrbSeriesCount> chkSeries{};
    QLineEdit* txtLambda;
    QPushButton* cmdCopy;
    QLabel* lblStatus;
    QLabel* lblSummary;
    QTabWidget* tabFactors;
    std::array<ChartWidget*, kPictureCount> charts_{};
    QTableWidget* grdLoadings;
    QTableWidget* grdBetas;
};

} // namespace yarrow
