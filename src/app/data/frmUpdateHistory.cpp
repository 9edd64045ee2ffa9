#include "data/frmUpdateHistory.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace yarrow {

frmUpdateHistory::frmUpdateHistory(HistoryUpdateOptions options, QWidget* parent)
    : QDialog(parent), options_(std::move(options)) {
    setObjectName("frmUpdateHistory");
    setWindowTitle("Update Treasury History");
    auto* intro = new QLabel("Adds the days after the newest day held to your own copy of the history. "
                             "The bundled history never changes.",
                             this);
    intro->setWordWrap(true);

    cboSource = new QComboBox(this);
    cboSource->setObjectName("cboSource");
    cboSource->addItem("The Treasury's Daily Par Yield Curve Rates", int(HistorySource::Treasury));
    cboSource->addItem("FRED's constant-maturity series (DGS1MO .. DGS30)", int(HistorySource::Fred));
    cboSource->setCurrentIndex(options_.source == HistorySource::Fred ? 1 : 0);
    cboSource->setToolTip("Where the new days come from: one file a year from the Treasury, or eleven series "
                          "from FRED when the Treasury's site is unreachable");

    prgDownload = new QProgressBar(this);
    prgDownload->setObjectName("prgDownload");
    prgDownload->setRange(0, 1);
    prgDownload->setValue(0);
    lblProgress = new QLabel(this);
    lblProgress->setObjectName("lblProgress");

    cmdUpdate = new QPushButton("&Update", this);
    cmdUpdate->setObjectName("cmdUpdate");
    cmdUpdate->setDefault(true);
    cmdUpdate->setToolTip("Fetch the files and add the new days");
    cmdCancel = new QPushButton("Cancel", this);
    cmdCancel->setObjectName("cmdCancel");
    cmdCancel->setToolTip("Stop the download; nothing is added (Esc)");

    auto* form = new QFormLayout;
    form->addRow("&Source:", cboSource);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdUpdate);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(form);
    layout->addWidget(prgDownload);
    layout->addWidget(lblProgress);
    layout->addLayout(buttons);
    setMinimumWidth(460);

    connect(cmdUpdate, &QPushButton::clicked, this, &frmUpdateHistory::Start);
    connect(cmdCancel, &QPushButton::clicked, this, &frmUpdateHistory::reject);
}

void frmUpdateHistory::Start() {
    if (updater_)
        return;
    options_.source = static_cast<HistorySource>(cboSource->currentData().toInt());
    updater_ = new HistoryUpdater(options_, this);
    cboSource->setEnabled(false);
    cmdUpdate->setEnabled(false);
    lblProgress->setText("Fetching...");
    connect(updater_, &HistoryUpdater::FileFetched, this, [this](int done, int total, const QString& line) {
        prgDownload->setRange(0, total);
        prgDownload->setValue(done);
        lblProgress->setText(line);
    });
    connect(updater_, &HistoryUpdater::Finished, this, [this](const HistoryUpdateResult& result) {
        updater_->deleteLater();
        updater_.clear();
        emit Updated(result);
        accept();
    });
    updater_->Start();
    prgDownload->setRange(0, std::max(1, updater_->FileCount()));
}

void frmUpdateHistory::reject() {
    // While fetching, Cancel stops the update, which then finishes and closes the dialog.
    if (updater_) {
        lblProgress->setText("Cancelling...");
        updater_->Cancel();
        return;
    }
    QDialog::reject();
}

} // namespace yarrow
