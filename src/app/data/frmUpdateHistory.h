#pragma once

#include "io/history/HistoryUpdater.h"

#include <QDialog>
#include <QPointer>

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace yarrow {

// "Update Treasury History": the source, a progress bar through the files and Cancel. When the
// update ends the dialog emits Updated and closes; Cancel (or Escape) during the download stops
// it and adds nothing.
class frmUpdateHistory : public QDialog {
    Q_OBJECT
public:
    explicit frmUpdateHistory(HistoryUpdateOptions options, QWidget* parent = nullptr);

    bool Running() const { return updater_ != nullptr; }
    void Start();
    void reject() override;

signals:
    void Updated(const yarrow::HistoryUpdateResult& result);

private:
    HistoryUpdateOptions options_;
    QPointer<HistoryUpdater> updater_;

    QComboBox* cboSource;
    QProgressBar* prgDownload;
    QLabel* lblProgress;
    QPushButton* cmdUpdate;
    QPushButton* cmdCancel;
};

} // namespace yarrow
