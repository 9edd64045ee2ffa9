// File > Export Table: the grid last clicked as a CSV file.
#include "shell/frmYarrow.h"

#include "base/Announce.h"
#include "base/AppContext.h"
#include "core/grid/GridCsv.h"
#include "core/seams/Dialogs.h"
#include "core/text/RuntimeError.h"
#include "widgets/GridView.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QSaveFile>

namespace yarrow {

void frmYarrow::mnuFileExport_Click() {
    if (!app_.ActiveGrid) {
        app_.dialogs.Message(kNoTableMessage, kMessageTitle, MessageIcon::Critical);
        return;
    }
    const QString path = QFileDialog::getSaveFileName(this, "Export Table", "table.csv",
                                                      "Comma-separated values (*.csv);;All files (*)");
    if (!path.isEmpty())
        ExportTable(path);
}

bool frmYarrow::ExportTable(const QString& path) {
    if (!app_.ActiveGrid) {
        app_.dialogs.Message(kNoTableMessage, kMessageTitle, MessageIcon::Critical);
        return false;
    }
    const std::string csv = GridCsvText(app_.ActiveGrid->Model());
    // Written aside and renamed at the end, so a failed write leaves an existing file whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(csv.data(), qint64(csv.size())) != qint64(csv.size()) || !file.commit()) {
        app_.dialogs.Message("The table could not be written to " +
                                 QDir::toNativeSeparators(path).toStdString() + ": " +
                                 file.errorString().toStdString(),
                             kMessageTitle, MessageIcon::Critical);
        return false;
    }
    SetAnnouncedText(statusText_, QString("Table exported to %1 (%2 rows).")
                             .arg(QDir::toNativeSeparators(path))
                             .arg(app_.ActiveGrid->Model().Rows()));
    return true;
}

} // namespace yarrow
