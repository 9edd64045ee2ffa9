#pragma once

#include "shell/WorkPanel.h"

class QLabel;

namespace yarrow {

struct AppContext;

// The curves panel. For now it shows what the bond table holds; the plots come with the
// curves work.
class ucTCurves : public WorkPanel {
    Q_OBJECT
public:
    explicit ucTCurves(AppContext& app, QWidget* parent = nullptr);
    void Initialize() override;

private:
    AppContext& app_;
    QLabel* lblTable_;
};

} // namespace yarrow
