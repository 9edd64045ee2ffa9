#include "lessons/frmFactors.h"

#include "chart/ChartWidget.h"
#include "chart/ChartWindow.h"
#include "core/data/TreasuryHistory.h"
#include "core/lessons/FactorsCharts.h"
#include "core/text/NumberText.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

namespace yarrow {

namespace {

QDate ToQDate(Date d) {
    return QDate(Year(d), Month(d), Day(d));
}

Date FromQDate(const QDate& d) {
    return MakeDate(d.year(), d.month(), d.day());
}

QString Fixed(double v, int decimals) {
    return std::isfinite(v) ? QString::fromStdString(FormatFixed(v, decimals)) : QString();
}

double Correlation(const std::vector<double>& a, const std::vector<double>& b) {
    double n = 0, sa = 0, sb = 0;
    for (size_t k = 0; k < a.size(); ++k)
        if (std::isfinite(a[k]) && std::isfinite(b[k])) {
            ++n;
            sa += a[k];
            sb += b[k];
        }
    if (n < 2)
        return std::nan("");
    const double ma = sa / n, mb = sb / n;
    double sab = 0, saa = 0, sbb = 0;
    for (size_t k = 0; k < a.size(); ++k)
        if (std::isfinite(a[k]) && std::isfinite(b[k])) {
            sab += (a[k] - ma) * (b[k] - mb);
            saa += (a[k] - ma) * (a[k] - ma);
            sbb += (b[k] - mb) * (b[k] - mb);
        }
    return sab / std::sqrt(saa * sbb);
}

void SetRow(QTableWidget* table, int row, const QStringList& cells) {
    for (int c = 0; c < cells.size(); ++c) {
        auto* item = new QTableWidgetItem(cells[c]);
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        if (c > 0)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, c, item);
    }
}

QString Text(const QTableWidget* table, bool selectionOnly) {
    QStringList lines;
    QStringList heading;
    for (int c = 0; c < table->columnCount(); ++c)
        heading << table->horizontalHeaderItem(c)->text();
    lines << heading.join('\t');
    for (int r = 0; r < table->rowCount(); ++r) {
        QStringList cells;
        bool any = false;
        for (int c = 0; c < table->columnCount(); ++c) {
            const QTableWidgetItem* item = table->item(r, c);
            any = any || (item && item->isSelected());
            cells << (item ? item->text() : QString());
        }
        if (!selectionOnly || any)
            lines << cells.join('\t');
    }
    return lines.join('\n') + '\n';
}

} // namespace

frmFactors::frmFactors(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("frmFactors");
    setWindowTitle("Factors: Level, Slope and Curvature");
    settingUp_ = true;

    QHBoxLayout* spanRow = BuildSpanRow();
    QHBoxLayout* seriesRow = BuildSeriesRow();
    lblStatus = new QLabel(this);
    lblStatus->setObjectName("lblStatus");
    lblStatus->setStyleSheet("color: #a00000");
    lblStatus->setWordWrap(true);
    lblSummary = new QLabel(this);
    lblSummary->setObjectName("lblSummary");
    lblSummary->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(spanRow);
    layout->addLayout(seriesRow);
    layout->addWidget(lblStatus);
    layout->addWidget(lblSummary);
    BuildTabs(BuildPictures());
    layout->addWidget(tabFactors, 1);
    resize(1300, 900);

    connect(dtpFrom, &QDateEdit::dateChanged, this, &frmFactors::Recompute);
    connect(dtpTo, &QDateEdit::dateChanged, this, &frmFactors::Recompute);
    connect(cmbStep, &QComboBox::currentIndexChanged, this, &frmFactors::Recompute);
    connect(txtLambda, &QLineEdit::editingFinished, this, &frmFactors::Recompute);
    connect(cmdCopy, &QPushButton::clicked, this, &frmFactors::CopyTable);
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    close->setWhatsThis("Close the window");
    connect(close, &QShortcut::activated, this, &QWidget::close);

    LoadHistory();
    settingUp_ = false;
    Recompute();
}

// From, To, Step, Lambda and Copy Table, each label the buddy of its box.
QHBoxLayout* frmFactors::BuildSpanRow() {
    dtpFrom = new QDateEdit(this);
    dtpFrom->setObjectName("dtpFrom");
    dtpTo = new QDateEdit(this);
    dtpTo->setObjectName("dtpTo");
    for (QDateEdit* d : {dtpFrom, dtpTo}) {
        d->setDisplayFormat("yyyy-MM-dd");
        d->setCalendarPopup(true);
    }
    dtpFrom->setToolTip("First day of the span");
    dtpTo->setToolTip("Last day of the span");
    cmbStep = new QComboBox(this);
    cmbStep->setObjectName("cmbStep");
    cmbStep->addItems({"Daily", "Weekly", "Monthly"});
    cmbStep->setToolTip("Every day, or the last day of each week or month, on which every chosen series has a rate");
    txtLambda = new QLineEdit(QString::number(kDieboldLiLambda), this);
    txtLambda->setObjectName("txtLambda");
    txtLambda->setMaximumWidth(80);
    txtLambda->setToolTip("Nelson-Siegel decay per month of maturity (Diebold and Li: 0.0609)");
    cmdCopy = new QPushButton("&Copy Table", this);
    cmdCopy->setObjectName("cmdCopy");
    cmdCopy->setToolTip("Copy the table on show (from the pictures: both tables) as TAB-separated text");

    auto* controls = new QHBoxLayout;
    auto label = [&](const char* text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        controls->addWidget(l);
        controls->addWidget(buddy);
    };
    label("&From", dtpFrom);
    label("&To", dtpTo);
    label("&Step", cmbStep);
    label("&Lambda", txtLambda);
    controls->addStretch();
    controls->addWidget(cmdCopy);

    return controls;
}

// A check box per constant-maturity series, the default ones checked.
QHBoxLayout* frmFactors::BuildSeriesRow() {
    auto* seriesRow = new QHBoxLayout;
    seriesRow->addWidget(new QLabel("Series", this));
    const std::vector<int> defaults = DefaultFactorSeries();
    for (int s = 0; s < kFrbSeriesCount; ++s) {
        auto* box = new QCheckBox(QString::fromStdString(FactorSeriesLabel(s)), this);
        box->setObjectName(QString("chkSeries_%1").arg(s));
        box->setChecked(std::find(defaults.begin(), defaults.end(), s) != defaults.end());
        box->setToolTip("Use this constant-maturity series; only days on which every chosen series has a rate count");
        chkSeries[static_cast<size_t>(s)] = box;
        seriesRow->addWidget(box);
        connect(box, &QCheckBox::toggled, this, &frmFactors::Recompute);
    }
    seriesRow->addStretch();

    return seriesRow;
}

// The five charts: loadings and explained shares above, the three betas below.
QWidget* frmFactors::BuildPictures() {
    auto* pictures = new QWidget(this);
    auto* grid = new QGridLayout(pictures);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int p = 0; p < kPictureCount; ++p) {
        auto* chart = new ChartWidget(pictures);
        chart->setObjectName(QString("chtFactors_%1").arg(p));
        chart->setMinimumSize(300, 220);
        const char* pictureNames[] = {"Loadings", "Explained shares", "Level", "Slope", "Curvature"};
        chart->setAccessibleName(QString("%1 picture").arg(pictureNames[p]));
        chart->setToolTip("Wheel or drag a rectangle to zoom, double-click for the whole chart; "
                          "right-click to open it in a window of its own");
        chart->setContextMenuPolicy(Qt::ActionsContextMenu);
        auto* open = new QAction("&Open in Chart Window", chart);
        connect(open, &QAction::triggered, this, [this, p] { OpenInWindow(static_cast<Picture>(p)); });
        chart->addAction(open);
        charts_[static_cast<size_t>(p)] = chart;
        // Loadings and bars on the first row, the three betas on the second.
        if (p < kLevel)
            grid->addWidget(chart, 0, p == kLoadings ? 0 : 2, 1, p == kLoadings ? 2 : 1);
        else
            grid->addWidget(chart, 1, p - kLevel);
    }
    for (int c = 0; c < 3; ++c)
        grid->setColumnStretch(c, 1);

    return pictures;
}

// The pictures and the two tables as the window's tabs.
void frmFactors::BuildTabs(QWidget* pictures) {
    grdLoadings = new QTableWidget(this);
    grdLoadings->setObjectName("grdLoadings");
    grdLoadings->setAccessibleName("Loadings table");
    grdBetas = new QTableWidget(this);
    grdBetas->setObjectName("grdBetas");
    grdBetas->setAccessibleName("Betas table");
    grdBetas->setColumnCount(8);
    grdBetas->setHorizontalHeaderLabels(
        {"Date", "Level", "Slope", "Curvature", "RMSE", "10Y", "10Y - 3M", "2x2Y - 3M - 10Y"});
    for (QTableWidget* t : {grdLoadings, grdBetas}) {
        t->verticalHeader()->hide();
        t->setSelectionMode(QAbstractItemView::ExtendedSelection);
        auto* copy = new QShortcut(QKeySequence::Copy, t, nullptr, nullptr, Qt::WidgetShortcut);
        connect(copy, &QShortcut::activated, t, [t] {
            const bool selected = !t->selectedItems().isEmpty();
            QGuiApplication::clipboard()->setText(Text(t, selected));
        });
    }
    tabFactors = new QTabWidget(this);
    tabFactors->setObjectName("tabFactors");
    tabFactors->addTab(pictures, "&Pictures");
    tabFactors->addTab(grdLoadings, "L&oadings Table");
    tabFactors->addTab(grdBetas, "&Betas Table");

}

// The history every reader sees; the span starts in 1982, month by month, up to its newest day.
void frmFactors::LoadHistory() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        history_ = LoadTreasuryHistory();
    } catch (const std::exception& e) {
        lblStatus->setText(QString("The Treasury history cannot be read: %1").arg(e.what()));
    }
    QApplication::restoreOverrideCursor();
    if (history_ && history_->Size() > 0) {
        for (QDateEdit* d : {dtpFrom, dtpTo})
            d->setDateRange(ToQDate(history_->First()), ToQDate(history_->Last()));
        // The eight default series are published from 1982 on, month by month a readable picture.
        dtpFrom->setDate(ToQDate(MakeDate(1982, 1, 1)));
        dtpTo->setDate(ToQDate(history_->Last()));
        cmbStep->setCurrentIndex(2);
    }
}

QAction* frmFactors::AddToMenu(QMenu* lessons, QWidget* owner) {
    QAction* action = lessons->addAction("&Factors...");
    action->setObjectName("mnuFactors");
    action->setToolTip("Level, slope and curvature: principal components and Nelson-Siegel betas of the history");
    QObject::connect(action, &QAction::triggered, owner, [owner] {
        auto* window = owner->findChild<frmFactors*>("frmFactors", Qt::FindDirectChildrenOnly);
        if (!window)
            window = new frmFactors(owner);
        window->show();
        window->raise();
        window->activateWindow();
    });
    return action;
}

void frmFactors::SetSpan(Date from, Date to, FactorStep step) {
    settingUp_ = true;
    dtpFrom->setDate(ToQDate(from));
    dtpTo->setDate(ToQDate(to));
    cmbStep->setCurrentIndex(static_cast<int>(step));
    settingUp_ = false;
    Recompute();
}

const Chart& frmFactors::PictureChart(Picture p) const {
    return charts_.at(static_cast<size_t>(p))->GetChart();
}

void frmFactors::OpenInWindow(Picture p) {
    const Chart& chart = PictureChart(p);
    auto* w = new ChartWindow(QString::fromStdString(chart.title), this);
    w->setWindowFlag(Qt::Window);
    w->SetChart(chart);
    w->show();
}

QString frmFactors::Status() const {
    return lblStatus->text();
}

QString frmFactors::TableText(int table) const {
    return Text(table == 0 ? grdLoadings : grdBetas, false);
}

void frmFactors::CopyTable() {
    const int tab = tabFactors->currentIndex();
    const QString text = tab == 1 ? TableText(0) : tab == 2 ? TableText(1) : TableText(0) + '\n' + TableText(1);
    QGuiApplication::clipboard()->setText(text);
}

void frmFactors::Recompute() {
    if (settingUp_ || !history_)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QStringList problems;
    FactorSpan span;
    span.from = FromQDate(dtpFrom->date());
    span.to = FromQDate(dtpTo->date());
    span.step = static_cast<FactorStep>(cmbStep->currentIndex());
    span.series.clear();
    for (int s = 0; s < kFrbSeriesCount; ++s)
        if (chkSeries[static_cast<size_t>(s)]->isChecked())
            span.series.push_back(s);
    bool lambdaOk = false;
    const double lambda = txtLambda->text().toDouble(&lambdaOk);
    if (span.to < span.from)
        problems << "The last day is before the first.";
    const FactorObservations obs = SelectFactorObservations(*history_, span);

    PcaResult pca;
    try {
        pca = PrincipalComponents(obs);
    } catch (const FactorsError& e) {
        problems << QString::fromStdString(e.what());
    }
    FillLoadings(pca);
    charts_[kLoadings]->SetChart(LoadingsChart(pca));
    charts_[kExplained]->SetChart(ExplainedChart(pca));

    std::vector<DnsRow> rows;
    try {
        rows = DynamicNelsonSiegel(obs, lambdaOk ? lambda : std::nan(""));
    } catch (const FactorsError& e) {
        problems << QString::fromStdString(e.what());
    }
    const std::vector<BetaSeries> betas = BetasWithProxies(rows, *history_);
    std::vector<Date> dates;
    for (const DnsRow& r : rows)
        dates.push_back(r.date);
    FillBetas(rows, betas);
    for (int b = 0; b < 3; ++b)
        charts_[static_cast<size_t>(kLevel + b)]->SetChart(BetaChart(dates, betas[static_cast<size_t>(b)]));

    QString summary;
    if (!pca.explained.empty())
        summary = QString("%1 changes; the first three components explain %2 %, %3 % and %4 %.")
                      .arg(pca.changes)
                      .arg(Fixed(100 * pca.explained[0], 1), Fixed(100 * pca.explained[1], 1),
                           Fixed(100 * pca.explained[2], 1));
    if (!rows.empty())
        summary += QString("%1Correlations of the betas with their proxies: level %2, slope %3, curvature %4.")
                       .arg(summary.isEmpty() ? "" : "  ")
                       .arg(Fixed(Correlation(betas[0].beta, betas[0].proxy), 3),
                            Fixed(Correlation(betas[1].beta, betas[1].proxy), 3),
                            Fixed(Correlation(betas[2].beta, betas[2].proxy), 3));
    lblSummary->setText(summary);
    problems.removeDuplicates();
    // The core's reasons read as sentences here.
    for (QString& p : problems) {
        p[0] = p[0].toUpper();
        if (!p.endsWith('.'))
            p += '.';
    }
    lblStatus->setText(problems.join("  "));
    lblStatus->setVisible(!problems.isEmpty());
    QApplication::restoreOverrideCursor();
}

void frmFactors::FillLoadings(const PcaResult& pca) {
    grdLoadings->clear();
    grdLoadings->setColumnCount(4);
    grdLoadings->setHorizontalHeaderLabels({"Series", "PC1", "PC2", "PC3"});
    const int n = static_cast<int>(pca.series.size());
    grdLoadings->setRowCount(pca.loadings.size() < 3 ? 0 : n + 1);
    if (pca.loadings.size() < 3)
        return;
    for (int s = 0; s < n; ++s) {
        QStringList cells = {QString::fromStdString(FactorSeriesLabel(pca.series[static_cast<size_t>(s)]))};
        for (size_t c = 0; c < 3; ++c)
            cells << Fixed(pca.loadings[c][static_cast<size_t>(s)], 6);
        SetRow(grdLoadings, s, cells);
    }
    SetRow(grdLoadings, n,
           {"Explained %", Fixed(100 * pca.explained[0], 4), Fixed(100 * pca.explained[1], 4),
            Fixed(100 * pca.explained[2], 4)});
    grdLoadings->resizeColumnsToContents();
}

void frmFactors::FillBetas(const std::vector<DnsRow>& rows, const std::vector<BetaSeries>& betas) {
    grdBetas->setRowCount(static_cast<int>(rows.size()));
    for (size_t k = 0; k < rows.size(); ++k) {
        const DnsRow& r = rows[k];
        SetRow(grdBetas, static_cast<int>(k),
               {QString::fromStdString(FormatDate(r.date, "yyyy-mm-dd")), Fixed(r.level, 6), Fixed(r.slope, 6),
                Fixed(r.curvature, 6), Fixed(r.rmse, 6), Fixed(betas[0].proxy[k], 2), Fixed(betas[1].proxy[k], 2),
                Fixed(betas[2].proxy[k], 2)});
    }
    grdBetas->resizeColumnsToContents();
}

} // namespace yarrow
