#pragma once

#include <QWidget>

namespace yarrow {

// The calculators window. It exists once for the program's life and stays open beside the main
// window; the calculators themselves are not built yet, so it says so.
class calcs : public QWidget {
    Q_OBJECT
public:
    explicit calcs(QWidget* parent = nullptr);
};

} // namespace yarrow
