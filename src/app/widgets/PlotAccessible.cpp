#include "widgets/PlotAccessible.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace yarrow {

namespace {

QAccessibleInterface* PlotFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("yarrow::PictureBox") || className == QLatin1String("yarrow::ChartWidget"))
        if (auto* w = qobject_cast<QWidget*>(object))
            return new QAccessibleWidget(w, QAccessible::Graphic);
    return nullptr;
}

} // namespace

void InstallPlotAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(PlotFactory);
        return true;
    }();
    (void)installed;
}

} // namespace yarrow
