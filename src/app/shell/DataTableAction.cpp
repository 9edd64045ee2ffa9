// File > Data Table: the curves panel's picture as a table of its points.
#include "shell/frmYarrow.h"

#include "base/AppContext.h"
#include "core/seams/Dialogs.h"
#include "core/text/RuntimeError.h"
#include "curves/ucTCurves.h"
#include "widgets/DataTableWindow.h"
#include "widgets/PictureBox.h"

namespace yarrow {

void frmYarrow::mnuDataTable_Click() {
    PictureBox* box = ucTCurves1->Picture();
    if (box->Plot().Lines().empty()) {
        app_.dialogs.Message("There is no plot to list: plot a curve on the Curves panel first.", kMessageTitle,
                             MessageIcon::Critical);
        return;
    }
    box->UpdateDescription();
    DataTableWindow::Show(this, PlotDataTable(box->Plot(), box->Subject()), "Data Table - Curves",
                          box->accessibleName());
}

} // namespace yarrow
