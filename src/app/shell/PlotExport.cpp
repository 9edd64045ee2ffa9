// File > Save Plot As: the curves panel's picture as PNG or SVG.
#include "shell/frmYarrow.h"

#include "base/Announce.h"
#include "base/AppContext.h"
#include "core/seams/Dialogs.h"
#include "core/text/RuntimeError.h"
#include "curves/ucTCurves.h"
#include "io/plot/PlotPainter.h"
#include "widgets/PictureBox.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>

namespace yarrow {

void frmYarrow::mnuSavePlotAs_Click() {
    PictureBox* box = ucTCurves1->Picture();
    if (box->Plot().Lines().empty()) {
        app_.dialogs.Message("There is no plot to save: plot a curve on the Curves panel first.",
                             kMessageTitle, MessageIcon::Critical);
        return;
    }
    QString path;
    if (saveFileChooser_) {
        path = saveFileChooser_();
    } else {
        QString selected;
        path = QFileDialog::getSaveFileName(this, "Save Plot As", "curves.png",
                                            "PNG picture (*.png);;SVG drawing (*.svg)", &selected);
        // A name typed without an extension takes the chosen type's.
        if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
            path += selected.startsWith("SVG") ? ".svg" : ".png";
    }
    if (path.isEmpty())
        return;
    QString error;
    if (!SavePlot(box->Plot(), box->width(), box->height(), path, &error)) {
        app_.dialogs.Message(error.toStdString(), kMessageTitle, MessageIcon::Critical);
        return;
    }
    SetAnnouncedText(statusText_, QString("Plot saved to %1").arg(QDir::toNativeSeparators(path)));
}

} // namespace yarrow
