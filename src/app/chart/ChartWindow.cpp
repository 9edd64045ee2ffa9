#include "chart/ChartWindow.h"

#include "chart/ChartWidget.h"
#include "core/draw/ChartFromPlot.h"
#include "io/plot/ChartPainterQt.h"
#include "widgets/DataTableWindow.h"
#include "widgets/PictureBox.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace yarrow {

ChartWindow::ChartWindow(const QString& title, QWidget* parent) : QMainWindow(parent) {
    setObjectName("frmChart");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(title);
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(6, 6, 6, 0);
    controls_ = new QVBoxLayout;
    column->addLayout(controls_);
    split_ = new QSplitter(Qt::Vertical, central);
    view_ = new ChartWidget(split_);
    view_->setAccessibleName(title);
    split_->addWidget(view_);
    split_->setStretchFactor(0, 4);
    column->addWidget(split_, 1);
    setCentralWidget(central);

    readout_ = new QLabel(this);
    readout_->setObjectName("lblReadout");
    statusBar()->addWidget(readout_, 1);
    connect(view_, &ChartWidget::Readout, readout_, &QLabel::setText);

    QMenu* file = menuBar()->addMenu(tr("&File"));
    QAction* save = file->addAction(tr("Save &As..."), this, &ChartWindow::SaveAs);
    save->setObjectName("mnuSaveAs");
    save->setShortcut(QKeySequence::SaveAs);
    save->setToolTip(tr("Save the chart as a PNG or SVG picture"));
    QAction* copy = file->addAction(tr("&Copy Data"), this, &ChartWindow::CopyData);
    copy->setObjectName("mnuCopyData");
    copy->setShortcut(QKeySequence::Copy);
    file->addSeparator();
    QAction* close = file->addAction(tr("&Close"), this, &QWidget::close);
    close->setShortcut(QKeySequence::Close);
    QMenu* menuView = menuBar()->addMenu(tr("&View"));
    QAction* reset = menuView->addAction(tr("&Reset Zoom"), view_, &ChartWidget::ResetView);
    reset->setObjectName("mnuResetZoom");
    reset->setShortcut(Qt::CTRL | Qt::Key_0);
    QAction* full = menuView->addAction(tr("&Full Screen"), this, &ChartWindow::ToggleFullScreen);
    full->setObjectName("mnuFullScreen");
    full->setShortcut(QKeySequence::FullScreen);
    menuView->addSeparator();
    QAction* table = menuView->addAction(tr("&Data Table..."), this, &ChartWindow::ShowDataTable);
    table->setObjectName("mnuDataTable");
    table->setShortcut(Qt::CTRL | Qt::Key_D);
    table->setToolTip(tr("List the plotted points of every line as a table to read and copy"));
    statusBar()->showMessage(tr("Wheel or drag a rectangle to zoom; double-click for the whole chart"), 6000);
    resize(1100, 720);
}

void ChartWindow::SetChart(const Chart& chart, bool keepZoom) {
    view_->SetChart(chart, keepZoom);
}

void ChartWindow::AddControls(QWidget* controls) {
    controls_->addWidget(controls);
}

void ChartWindow::SetBottom(QWidget* bottom) {
    split_->addWidget(bottom);
    split_->setStretchFactor(1, 1);
    split_->setSizes({520, 200});
}

bool ChartWindow::SaveTo(const QString& path, QString* error) const {
    const ChartRange view = view_->View();
    return SaveChart(view_->GetChart(), std::max(view_->width(), 640), std::max(view_->height(), 400), path, error,
                     view_->Zoomed() ? &view : nullptr);
}

void ChartWindow::SaveAs() {
    QString selected;
    const QString path = QFileDialog::getSaveFileName(this, tr("Save Chart As"), windowTitle() + ".png",
                                                      tr("PNG picture (*.png);;SVG picture (*.svg)"), &selected);
    if (path.isEmpty())
        return;
    QString error;
    if (!SaveTo(path, &error))
        QMessageBox::warning(this, windowTitle(), error);
    else
        statusBar()->showMessage(tr("Saved %1").arg(path), 4000);
}

void ChartWindow::CopyData() const {
    QApplication::clipboard()->setText(QString::fromStdString(view_->GetChart().DataText()));
}

void ChartWindow::ShowDataTable() {
    DataTableWindow::Show(this, ChartDataTable(view_->GetChart()), windowTitle() + tr(" - Data Table"),
                          view_->accessibleName());
}

void ChartWindow::ToggleFullScreen() {
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
}

ChartWindow* ChartWindow::FollowPicture(PictureBox* picture, QWidget* parent) {
    const QString name = QStringLiteral("frmChartFollow");
    if (auto* open = parent->findChild<ChartWindow*>(name, Qt::FindDirectChildrenOnly)) {
        open->showNormal();
        open->raise();
        open->activateWindow();
        return open;
    }
    auto* w = new ChartWindow(tr("Curves"), parent);
    w->setObjectName(name);
    w->setWindowFlag(Qt::Window);
    w->SetChart(ChartFromPlot(picture->Plot()));
    // The panel draws segment by segment: one redraw per burst, after it.
    auto* timer = new QTimer(w);
    timer->setSingleShot(true);
    timer->setInterval(0);
    QPointer<PictureBox> source(picture);
    connect(timer, &QTimer::timeout, w, [w, source] {
        if (source)
            w->SetChart(ChartFromPlot(source->Plot()), true);
    });
    connect(picture, &PictureBox::Drawn, timer, qOverload<>(&QTimer::start));
    w->show();
    return w;
}

} // namespace yarrow
