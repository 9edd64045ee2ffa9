#pragma once

#include "core/draw/Chart.h"

#include <QMainWindow>
#include <QString>

class QLabel;
class QSplitter;
class QVBoxLayout;

namespace yarrow {

class ChartWidget;
class PictureBox;

// A resizable window around one chart: File > Save As (PNG or SVG) and Copy Data (the plotted
// numbers as TAB text), View > Reset Zoom, Full Screen and Data Table, and the readout of the point under the
// pointer in the status bar. Lessons add their controls above the chart and a table below it.
//
//     auto* w = new ChartWindow("Spread and Inversions", parent);
//     w->SetChart(chart);
//     w->AddControls(toolbarRow);   // optional
//     w->SetBottom(table);          // optional
//     w->show();
class ChartWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit ChartWindow(const QString& title, QWidget* parent = nullptr);

    void SetChart(const Chart& chart, bool keepZoom = false);
    ChartWidget* View() const { return view_; }
    void AddControls(QWidget* controls);
    void SetBottom(QWidget* bottom);

    // Saves what is shown at the chart's size on screen; a message in `error` on failure.
    bool SaveTo(const QString& path, QString* error) const;
    void SaveAs();
    void CopyData() const;
    // View > Data Table: the plotted points as a grid a screen reader reads.
    void ShowDataTable();
    void ToggleFullScreen();

    // The curves panel's picture in a window, redrawn whenever the panel draws; one window per
    // picture box, raised when asked again.
    static ChartWindow* FollowPicture(PictureBox* picture, QWidget* parent);

private:
    ChartWidget* view_ = nullptr;
    QVBoxLayout* controls_ = nullptr;
    QSplitter* split_ = nullptr;
    QLabel* readout_ = nullptr;
};

} // namespace yarrow
