#pragma once

#include "chart/ChartWindow.h"
#include "core/lessons/CurveFilm.h"

#include <map>
#include <vector>

class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;
class QTimer;

namespace yarrow {

// "Curve Film": the Treasury curve of each step of a span, played as a film on fixed axes, with
// the curves of the last few steps fading behind and an inverted curve in the warning colour.
class CurveFilmWindow : public ChartWindow {
    Q_OBJECT
public:
    explicit CurveFilmWindow(const CmtHistory& history, QWidget* parent = nullptr);

    int FrameCount() const { return static_cast<int>(dates_.size()); }
    int Frame() const { return frame_; }
    void ShowFrame(int frame);
    // The first frame on or after `date` (the last frame when none is).
    void ShowDate(Date date);
    void Play(bool on);
    bool Playing() const;
    // Writes every frame of the span as frame-00001.png ... into `folder` at width x height;
    // returns the number written, or -1 with a message in `error`.
    int ExportFrames(const QString& folder, int width, int height, QString* error);

private:
    void Rebuild();
    Chart FrameChart(int frame);
    const FilmCurve& CurveAt(Date date);

    const CmtHistory& history_;
    std::vector<Date> dates_;
    ChartRange axes_;
    int frame_ = 0;
    std::map<Date, FilmCurve> cache_;

    QDateEdit* txtFrom;
    QDateEdit* txtTo;
    QComboBox* cmbStep;
    QComboBox* cmbCurve;
    QComboBox* cmbFreq;
    QSpinBox* spnTrail;
    QPushButton* cmdBack;
    QPushButton* cmdPlay;
    QPushButton* cmdForward;
    QSpinBox* spnSpeed;
    QSlider* sldFrame;
    QLabel* lblDate;
    QPushButton* cmdExport;
    QTimer* timer_;
};

} // namespace yarrow
