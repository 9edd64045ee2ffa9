#pragma once

#include "core/analytics/CashFlowMeasures.h"
#include "core/analytics/PortfolioOptimizer.h"
#include "core/lessons/ShockRepricing.h"
#include "base/WorkPanel.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace yarrow {

struct AppContext;
class GridView;

// The analytics panel: every bond's value, yield and risk (Grid1), the value, yield and risk of a
// typed or pasted stream of cash flows (Frame1), and the holdings that reach a target value and
// dollar duration (Frame2).
class ucTAnalytics : public WorkPanel {
    Q_OBJECT
public:
    explicit ucTAnalytics(AppContext& app, QWidget* parent = nullptr);

    // Lists the bond table and empties the cash-flow table; the main window calls it every time
    // it shows the panel. The results of the last calculation are kept.
    void Initialize() override;

    // Results of the last cash-flow calculation (0 until the first).
    float cfValue() const { return cf_.cfValue; }
    float cfYield() const { return cf_.cfYield; }
    float cfDollarDuration() const { return cf_.cfDollarDuration; }
    float cfDollarConvexity() const { return cf_.cfDollarConvexity; }

    GridView* BondGrid() const { return Grid1; }
    // The bonds and quantities of the last Solve (empty before the first, or when it failed).
    const std::vector<Holding>& LastHoldings() const { return lastHoldings_; }
    GridView* CashFlowGrid() const { return gridCF; }

    // The handlers, as the controls run them.
    void txtCFNumFlows_KeyPress(int keyAscii);
    void cmdCFPaste_Click();
    void cmdClearData_Click();
    void cmdCFCalculate_Click();
    void chkCFValues_Click();
    void cmdSolve_Click();

signals:
    // Outcomes worth a line in the status bar.
    void StatusText(const QString& text);
    // A Solve finished; LastHoldings() holds its outcome.
    void Solved();

private:
    void SolveMinConvexity();
    void SolveMaxYield();
    void Solve(Strategy strategy);
    PortfolioTargets ReadTargets(bool withConvexity) const;
    void Grid1_KeyCode(int code);
    void gridCF_KeyCode(int code);
    // After a paste that reached `lastRow` of the cash-flow grid: the flow count grows to cover it.
    void FitFlowCount(int lastRow);

    AppContext& app_;
    CashFlowResult cf_;
    std::vector<Holding> lastHoldings_;

    GridView* Grid1;
    QGroupBox* Frame1;
    QLabel* Label1;
    QLineEdit* txtCFNumFlows;
    QPushButton* cmdCFPaste;
    QPushButton* cmdClearData;
    QPushButton* cmdCFCalculate;
    GridView* gridCF;
    QLabel* lblCFValue;
    QLabel* lblCFYield;
    QLabel* lblCFDuration;
    QLabel* lblCFConvexity;
    QLabel* Label2;
    QGroupBox* Frame2;
    QLabel* Label3[3];
    QLineEdit* txtTargetVal;
    QLineEdit* txtTargetDur;
    QLineEdit* txtTargetConv;
    QCheckBox* chkCFValues;
    QRadioButton* oStrategy[2];
    QPushButton* cmdSolve;
};

} // namespace yarrow
