#pragma once

#include "core/lessons/RateShock.h"
#include "core/lessons/ShockRepricing.h"

#include <QWidget>
#include <vector>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;

namespace yarrow {

struct AppContext;
class GridView;
class PictureBox;

// "Rate Shocks": move the zero curve by a preset or a drawn shape, reprice every bond exactly and
// set the result beside what its dollar duration and convexity foretold, bond by bond and for the
// analytics panel's last solved portfolio. Everything follows the slider as it moves.
class frmRateShocks : public QWidget {
    Q_OBJECT
public:
    explicit frmRateShocks(AppContext& app, QWidget* parent = nullptr);

    // The bond table was rebuilt (Get Data, a Curve of a Date): a new base curve.
    void Reload();
    // The holdings of the portfolio row (empty: no portfolio row).
    void SetHoldings(std::vector<Holding> holdings);

    // The preset buttons and the slider, as the user runs them.
    void ChoosePreset(ShockPreset preset);
    void SetSize(int bp);

    const ShockKnots& Knots() const { return knots_; }
    GridView* BondGrid() const { return gridShock; }
    GridView* KnotGrid() const { return gridKnots; }
    PictureBox* CurvePicture() const { return picCurve; }
    PictureBox* PriceYieldPicture() const { return picPriceYield; }

private:
    QHBoxLayout* BuildShockRow();
    void BuildKnotGrid();
    void BuildPictures();
    void BuildShockGrid();
    void ConnectGridKeys(GridView* grid);
    void Recompute();
    void WriteKnotGrid();
    void KnotsEdited();
    void DrawSelectedBond();
    int SelectedBond() const;

    AppContext& app_;
    ZeroCurveKnots curve_;
    std::vector<CurveBond> bonds_;
    std::vector<ShockRow> rows_;
    std::vector<Holding> holdings_;
    ShockKnots knots_;
    ShockPreset preset_ = ShockPreset::Parallel;
    bool custom_ = false; // the knot table, not a preset, gives the shape
    bool syncing_ = false;

    QPushButton* cmdPreset[4];
    QSlider* sldShift;
    QSpinBox* txtShift;
    QLabel* lblShape;
    GridView* gridKnots;
    GridView* gridShock;
    PictureBox* picCurve;
    PictureBox* picPriceYield;
    QLabel* lblCurveAxes;
    QLabel* lblPriceAxes;
    QLabel* lblStatus;
};

} // namespace yarrow
