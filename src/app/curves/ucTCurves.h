#pragma once

#include "base/WorkPanel.h"

#include <array>
#include <cstdint>
#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace yarrow {

struct AppContext;
class CurvesController;
class GridView;
class PictureBox;
class TextSink;

// The curves panel: the bond listing, the yield, zero and forward plots, the Nelson-Siegel model
// and the cubic spline, all drawn into one picture box.
class ucTCurves : public WorkPanel {
    Q_OBJECT
public:
    explicit ucTCurves(AppContext& app, QWidget* parent = nullptr);
    ~ucTCurves() override;

    void Initialize() override;
    // Turns the session's zero curve into forward rates in place, in the chosen compounding.
    void Forwards();

    // The handlers, as clicks and keys run them.
    void cmdPlot_Click();
    void oCurveType_Click(int index);
    void cmbFreq_Click();
    void cmdClear_Click();
    void cmdKeep_Click();
    void cmdNSPlot_Click();
    void cmdNSFit_Click();
    void cmdPlus_Click();
    void cmdMinus_Click();
    void cmdSpline_Click();
    void cmdCopyInterp_Click();
    void Grid1_KeyCode(int code);

    int16_t CompFreq() const { return CompFreq_; }
    int16_t NumInterp() const;
    QLineEdit* ActiveBox() const { return ActiveBox_; }
    PictureBox* Picture() const { return pbox; }
    GridView* Grid() const { return Grid1; }

signals:
    // A line for the status bar (the pointer readout); empty clears it.
    void StatusText(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Tells the picture box what its curve is drawn from (compounding, number of bonds).
    void DescribePicture();
    void NameControls(QWidget* cmdOpenWindow);
    void Nudge(float delta);
    // Degenerate results computed as asked (two bonds on one maturity, a singular fit) in the status bar.
    void ShowWarnings(const std::vector<std::string>& warnings);
    // The controller with the controls' state copied in, its plot on the picture box.
    CurvesController& Curves();

    AppContext& app_;
    PictureBox* pbox = nullptr;
    std::array<QLineEdit*, 4> Text1{};
    QPushButton* cmdClear = nullptr;
    QPushButton* cmdKeep = nullptr;
    QGroupBox* Frame1 = nullptr;
    QPushButton* cmdMinus = nullptr;
    QPushButton* cmdPlus = nullptr;
    QPushButton* cmdNSFit = nullptr;
    QPushButton* cmdNSPlot = nullptr;
    QLineEdit* txtCurve = nullptr;
    QLineEdit* txtSlope = nullptr;
    QLineEdit* txtLevel = nullptr;
    QLineEdit* txtSplineLeft = nullptr;
    QLineEdit* txtSplineRight = nullptr;
    QComboBox* cmbFreq = nullptr;
    QComboBox* cmbInterpolate = nullptr;
    QPushButton* cmdCopyInterp = nullptr;
    QPushButton* cmdSpline = nullptr;
    QPushButton* cmdPlot = nullptr;
    std::array<QRadioButton*, 3> oCurveType{};
    std::array<QLabel*, 4> Label1{};
    GridView* Grid1 = nullptr;

    QLineEdit* ActiveBox_ = nullptr;
    int16_t CompFreq_ = -1;
    std::array<std::unique_ptr<TextSink>, 4> boundSinks_;
    std::unique_ptr<CurvesController> curves_;
};

} // namespace yarrow
