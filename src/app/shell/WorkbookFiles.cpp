// Workbooks for the spreadsheet link: opened from the menu, closed, or dropped on the window.
#include "shell/frmYarrow.h"

#include "base/Announce.h"
#include "data/ucYarrowData.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>

namespace yarrow {

namespace {

bool IsWorkbookFile(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == "xlsx" || suffix == "xlsm" || suffix == "ods" || suffix == "csv";
}

} // namespace

void frmYarrow::mnuOpenWorkbook_Click() {
    const QStringList paths = QFileDialog::getOpenFileNames(
        this, "Open Workbook", QString(), "Workbooks (*.xlsx *.xlsm *.ods *.csv);;All files (*)");
    for (const QString& path : paths)
        ucYarrowData1->OpenWorkbook(path);
}

void frmYarrow::mnuCloseWorkbook_Click() {
    if (!ucYarrowData1->CloseWorkbook())
        SetAnnouncedText(statusText_, "No workbook is open.");
}

void frmYarrow::dragEnterEvent(QDragEnterEvent* event) {
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile() && IsWorkbookFile(url.toLocalFile())) {
            event->acceptProposedAction();
            return;
        }
}

void frmYarrow::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile() && IsWorkbookFile(url.toLocalFile()))
            ucYarrowData1->OpenWorkbook(url.toLocalFile());
    event->acceptProposedAction();
}

} // namespace yarrow
