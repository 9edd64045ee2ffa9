#include "calculators/calcs.h"

#include <QLabel>
#include <QVBoxLayout>

namespace yarrow {

calcs::calcs(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("calcs");
    setWindowTitle("QAL Calculators");
    auto* layout = new QVBoxLayout(this);
    auto* note =
        new QLabel("The keypad, date, rate, present-value and logarithm calculators will appear in this "
                   "window in a later version.",
                   this);
    note->setObjectName("lblPlaceholder");
    note->setWordWrap(true);
    layout->addWidget(note);
    resize(360, 140);
}

} // namespace yarrow
