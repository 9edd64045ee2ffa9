#include "shell/NavigateCombo.h"

#include "core/seams/PendingEvents.h"
#include "widgets/BrowserPane.h"
#include "base/MousePointer.h"

#include <QComboBox>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

namespace yarrow {

void NavigateCombo(BrowserPane& br, QComboBox& cmb, PendingEvents& events) {
    const QString t = cmb.currentText();
    if (t.isEmpty())
        return;
    if (br.LocationURL() == t)
        return;
    QPointer<BrowserPane> pane(&br);
    br.SetTag(QString());
    br.Navigate(t);
    MousePointer::Hourglass();
    {
        // Sleeps until the pane reports a change instead of spinning on the event queue.
        QEventLoop loop;
        QObject::connect(&br, &BrowserPane::StateChanged, &loop, &QEventLoop::quit);
        while (pane && pane->Tag().isEmpty()) {
            QTimer::singleShot(100, &loop, &QEventLoop::quit);
            if (loop.exec() < 0)
                break; // the program is ending
        }
    }
    MousePointer::Normal();
    if (!pane)
        return;
    const QString u = br.LocationURL();
    if (cmb.findText(u, Qt::MatchExactly) < 0)
        cmb.addItem(u);
    cmb.setCurrentText(u);
    DoEvents(&events);
}

} // namespace yarrow
