#include "lessons/CurveFilmWindow.h"

#include "base/Accessibility.h"
#include "core/curves/CurvesController.h"
#include "core/curves/CurvesListing.h"
#include "io/plot/ChartPainterQt.h"
#include "lessons/LessonControls.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>

namespace yarrow {

CurveFilmWindow::CurveFilmWindow(const CmtHistory& history, QWidget* parent)
    : ChartWindow("Curve Film", parent), history_(history) {
    setObjectName("frmCurveFilm");
    auto* box = new QWidget(this);
    auto* grid = new QVBoxLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* top = new QHBoxLayout;
    auto* bottom = new QHBoxLayout;
    grid->addLayout(top);
    grid->addLayout(bottom);

    // 1979-1982 by default: the years the curve moved most.
    const Date first = history.First(), last = history.Last();
    const Date from = std::clamp(MakeDate(1979, 1, 2), first, last), to = std::clamp(MakeDate(1982, 12, 31), first, last);
    txtFrom = NewDateBox("txtFrom", first, last, from, box);
    txtTo = NewDateBox("txtTo", first, last, to, box);
    cmbStep = new QComboBox(box);
    cmbStep->setObjectName("cmbStep");
    cmbStep->addItems({"Day", "Week", "Month"});
    cmbStep->setCurrentIndex(1);
    cmbCurve = new QComboBox(box);
    cmbCurve->setObjectName("cmbCurve");
    cmbCurve->addItems({"Yield to maturity", "Zero", "Forward"});
    cmbFreq = new QComboBox(box);
    cmbFreq->setObjectName("cmbFreq");
    for (const CompoundingEntry& entry : kCompoundings)
        cmbFreq->addItem(entry.caption);
    NameWithoutLabel(cmbFreq, "Compounding");
    cmbFreq->setToolTip("Compounding of the zero and forward curves, as on the curves panel");
    spnTrail = new QSpinBox(box);
    spnTrail->setObjectName("spnTrail");
    spnTrail->setRange(0, 60);
    spnTrail->setValue(8);
    spnTrail->setToolTip("How many previous curves fade behind the current one");
    top->addWidget(NewBuddyLabel("Fro&m", txtFrom, box));
    top->addWidget(txtFrom);
    top->addWidget(NewBuddyLabel("T&o", txtTo, box));
    top->addWidget(txtTo);
    top->addWidget(NewBuddyLabel("St&ep", cmbStep, box));
    top->addWidget(cmbStep);
    top->addWidget(NewBuddyLabel("&Curve", cmbCurve, box));
    top->addWidget(cmbCurve);
    top->addWidget(cmbFreq);
    top->addWidget(NewBuddyLabel("T&rail", spnTrail, box));
    top->addWidget(spnTrail);
    top->addStretch(1);

    cmdBack = new QPushButton("Step Back", box);
    cmdBack->setObjectName("cmdBack");
    cmdBack->setShortcut(Qt::Key_Left);
    cmdBack->setToolTip("The previous frame (Left)");
    cmdPlay = new QPushButton("Play", box);
    cmdPlay->setObjectName("cmdPlay");
    cmdPlay->setShortcut(Qt::Key_Space);
    cmdPlay->setToolTip("Play or pause (Space)");
    cmdForward = new QPushButton("Step Forward", box);
    cmdForward->setObjectName("cmdForward");
    cmdForward->setShortcut(Qt::Key_Right);
    cmdForward->setToolTip("The next frame (Right)");
    spnSpeed = new QSpinBox(box);
    spnSpeed->setObjectName("spnSpeed");
    spnSpeed->setRange(1, 60);
    spnSpeed->setValue(12);
    spnSpeed->setSuffix(" frames/s");
    spnSpeed->setAccessibleName("Speed");
    sldFrame = new QSlider(Qt::Horizontal, box);
    sldFrame->setObjectName("sldFrame");
    sldFrame->setAccessibleName("Frame");
    lblDate = new QLabel(box);
    lblDate->setObjectName("lblDate");
    lblDate->setMinimumWidth(90);
    cmdExport = new QPushButton("Export Frames...", box);
    cmdExport->setObjectName("cmdExport");
    cmdExport->setToolTip("Save every frame of the span as numbered PNG files");
    bottom->addWidget(cmdBack);
    bottom->addWidget(cmdPlay);
    bottom->addWidget(cmdForward);
    bottom->addWidget(spnSpeed);
    bottom->addWidget(sldFrame, 1);
    bottom->addWidget(lblDate);
    bottom->addWidget(cmdExport);
    AddControls(box);

    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, [this] {
        if (frame_ + 1 >= FrameCount())
            Play(false);
        else
            ShowFrame(frame_ + 1);
    });
    connect(spnSpeed, &QSpinBox::valueChanged, this, [this](int fps) { timer_->setInterval(1000 / fps); });
    timer_->setInterval(1000 / spnSpeed->value());
    connect(cmdPlay, &QPushButton::clicked, this, [this] { Play(!Playing()); });
    connect(cmdBack, &QPushButton::clicked, this, [this] { ShowFrame(frame_ - 1); });
    connect(cmdForward, &QPushButton::clicked, this, [this] { ShowFrame(frame_ + 1); });
    connect(sldFrame, &QSlider::valueChanged, this, [this](int v) {
        if (v != frame_)
            ShowFrame(v);
    });
    connect(spnTrail, &QSpinBox::valueChanged, this, [this] { ShowFrame(frame_); });
    for (QDateEdit* d : {txtFrom, txtTo})
        connect(d, &QDateEdit::dateChanged, this, &CurveFilmWindow::Rebuild);
    connect(cmbStep, &QComboBox::currentIndexChanged, this, &CurveFilmWindow::Rebuild);
    for (QComboBox* c : {cmbCurve, cmbFreq})
        connect(c, &QComboBox::currentIndexChanged, this, [this] {
            cache_.clear();
            ShowFrame(frame_);
        });
    connect(cmdExport, &QPushButton::clicked, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(this, "Export Frames To");
        if (folder.isEmpty())
            return;
        QString error;
        const int n = ExportFrames(folder, 1280, 720, &error);
        if (n < 0)
            QMessageBox::warning(this, windowTitle(), error);
        else
            statusBar()->showMessage(QString("%1 frames written to %2").arg(n).arg(folder), 6000);
    });
    Rebuild();
}

void CurveFilmWindow::Rebuild() {
    const Date from = FromQDate(txtFrom->date()), to = FromQDate(txtTo->date());
    dates_ = FilmDates(history_, from, to, static_cast<SpreadStep>(std::clamp(cmbStep->currentIndex(), 0, 2)));
    axes_ = FilmAxes(history_, from, to);
    sldFrame->setRange(0, std::max(0, FrameCount() - 1));
    ShowFrame(0);
}

const FilmCurve& CurveFilmWindow::CurveAt(Date date) {
    auto it = cache_.find(date);
    if (it == cache_.end()) {
        const CurveType type = static_cast<CurveType>(std::clamp(cmbCurve->currentIndex(), 0, 2));
        const int16_t freq = CompFreqFromIndex(cmbFreq->currentIndex(), -1);
        it = cache_.emplace(date, FilmCurveOf(history_, date, type, freq)).first;
    }
    return it->second;
}

Chart CurveFilmWindow::FrameChart(int frame) {
    const CurveType type = static_cast<CurveType>(std::clamp(cmbCurve->currentIndex(), 0, 2));
    if (frame < 0 || frame >= FrameCount()) {
        Chart empty;
        empty.fixed = axes_;
        empty.title = "No days in this span";
        return empty;
    }
    std::vector<FilmCurve> trail;
    for (int k = std::max(0, frame - spnTrail->value()); k < frame; ++k) {
        const FilmCurve& c = CurveAt(dates_[static_cast<size_t>(k)]);
        if (!c.Empty())
            trail.push_back(c);
    }
    return FilmFrameChart(CurveAt(dates_[static_cast<size_t>(frame)]), trail, axes_, type);
}

void CurveFilmWindow::ShowFrame(int frame) {
    frame_ = std::clamp(frame, 0, std::max(0, FrameCount() - 1));
    SetChart(FrameChart(frame_), true);
    {
        const QSignalBlocker block(sldFrame);
        sldFrame->setValue(frame_);
    }
    lblDate->setText(FrameCount() ? QString::fromStdString(FormatDate(dates_[static_cast<size_t>(frame_)], "yyyy-mm-dd"))
                                  : QString());
    cmdBack->setEnabled(frame_ > 0);
    cmdForward->setEnabled(frame_ + 1 < FrameCount());
}

void CurveFilmWindow::ShowDate(Date date) {
    ShowFrame(static_cast<int>(std::lower_bound(dates_.begin(), dates_.end(), date) - dates_.begin()));
}

void CurveFilmWindow::Play(bool on) {
    if (on && frame_ + 1 >= FrameCount())
        ShowFrame(0); // from the start again
    if (on)
        timer_->start();
    else
        timer_->stop();
    cmdPlay->setText(on ? "Pause" : "Play");
}

bool CurveFilmWindow::Playing() const {
    return timer_->isActive();
}

int CurveFilmWindow::ExportFrames(const QString& folder, int width, int height, QString* error) {
    const QDir dir(folder);
    if (!dir.exists()) {
        *error = QString("The folder %1 does not exist.").arg(folder);
        return -1;
    }
    QProgressDialog progress("Writing frames...", "Cancel", 0, FrameCount(), this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    const int digits = std::max(5, static_cast<int>(QString::number(FrameCount()).size()));
    int written = 0;
    for (int k = 0; k < FrameCount(); ++k) {
        progress.setValue(k);
        if (progress.wasCanceled())
            break;
        const QString path = dir.filePath(QString("frame-%1.png").arg(k + 1, digits, 10, QChar('0')));
        QString why;
        if (!SaveChart(FrameChart(k), width, height, path, &why)) {
            *error = why;
            return -1;
        }
        ++written;
    }
    progress.setValue(FrameCount());
    return written;
}

} // namespace yarrow
