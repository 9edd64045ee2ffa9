#pragma once

#include "core/calculators/Keypad.h"
#include "core/text/Dates.h"

#include <QWidget>
#include <array>
#include <memory>
#include <string>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace yarrow {

struct AppContext;
class GridCellEditor;
class GridView;

// The calculators window: the keypad, the date rule, date to maturity, present value, rate
// quotes and logarithms. It exists once for the program's life and stays open beside the main
// window. Control arrays are named with their index: Number_0 .. Number_9, Operator_0 ..
// Operator_4, Combo1_0 .. Combo1_3, Text2_0 .. Text2_3, Label1_0 .. Label1_9, dateok_0, dateok_1,
// irtyp_0 .. irtyp_3, lgtyp_0, lgtyp_1, Panel3D1_0 .. Panel3D1_5.
class calcs : public QWidget {
    Q_OBJECT
public:
    explicit calcs(AppContext& app, QWidget* parent = nullptr);
    ~calcs() override;

    const Keypad& Pad() const { return *pad_; }
    GridView* PresentValueGrid() const { return Grid1; }
    GridCellEditor* CellEditor() const { return editor_; }
    const std::string& MatText() const { return matText_; }
    const std::string& RateText() const { return rateText_; }

    // Event handlers, public so the window can be driven as the user would.
    void Number_Click(int index);
    void Operator_Click(int index);
    void bDecimal_Click();
    void Percent_Click();
    void CancelEntry_Click();
    void Cancel_Click();
    void pst_Click();
    void cpy_Click();
    void calcDate_Click();
    void cpDate_Click();
    void tfrDate_Click();
    void dateok_Click(int index);
    void clrdate_Click();
    void dtrans_Click();
    void pvcalc_Click();
    void clrPV_Click();
    void pvcpy_Click();
    void irtyp_Click(int index);
    void btrans_Click();
    void clrRate_Click();
    void lgtyp_Click(int index);
    void logcalc_Click();
    void lgcopy_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void NameControls();
    void Form_Load();
    QWidget* BuildKeypad();
    QWidget* BuildDateRule();
    QWidget* BuildMaturity();
    QWidget* BuildPresentValue();
    QWidget* BuildRates();
    QWidget* BuildLogs();
    bool KeypadKey(int key, const QString& text, Qt::KeyboardModifiers modifiers);
    DateOrder Order() const;
    DateOrder SystemOrder() const;
    void ShowReadout();
    void ToClipboard(const std::string& text);
    int SelectedQuoteType() const;
    // Convert of the rate panel; false when a message was shown.
    bool ConvertRatePanel();

    AppContext& app_;
    std::unique_ptr<Keypad> pad_;
    std::string decSep_;
    std::string matText_;
    std::string rateText_;

    // Keypad
    QWidget* Panel3D1_0 = nullptr;
    QLabel* Readout = nullptr;
    std::array<QPushButton*, 10> Number{};
    std::array<QPushButton*, 5> Operator{};
    QPushButton* bDecimal = nullptr;
    QPushButton* Percent = nullptr;
    QPushButton* CancelEntry = nullptr;
    QPushButton* Cancel = nullptr;
    QPushButton* pst = nullptr;
    QPushButton* cpy = nullptr;
    // Date rule and maturity
    std::array<QComboBox*, 4> Combo1{};
    QLineEdit* tDate = nullptr;
    QLabel* cxDate = nullptr;
    std::array<QLineEdit*, 4> Text2{};
    std::array<QLabel*, 10> Label1{};
    std::array<QPushButton*, 2> dateok{};
    QLabel* matlab = nullptr;
    // Present value
    GridView* Grid1 = nullptr;
    GridCellEditor* editor_ = nullptr;
    QLabel* pvlab = nullptr;
    // Rates
    std::array<QRadioButton*, 4> irtyp{};
    QLineEdit* tdisc = nullptr;
    QLabel* tblab = nullptr;
    // Logs
    std::array<QRadioButton*, 2> lgtyp{};
    QLineEdit* lgexpTxt = nullptr;
    QLabel* lgCap = nullptr;
};

} // namespace yarrow
