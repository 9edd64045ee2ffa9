#pragma once

#include "shell/WorkPanel.h"

class QLabel;

namespace yarrow {

struct AppContext;

// The analytics panel. For now it shows what the bond table holds; the cash-flow and portfolio
// tools come with the analytics work.
class ucTAnalytics : public WorkPanel {
    Q_OBJECT
public:
    explicit ucTAnalytics(AppContext& app, QWidget* parent = nullptr);
    void Initialize() override;

private:
    AppContext& app_;
    QLabel* lblTable_;
};

} // namespace yarrow
