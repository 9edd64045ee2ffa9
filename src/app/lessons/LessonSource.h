#pragma once

#include "core/data/CmtHistory.h"
#include "core/lessons/LessonData.h"

#include <QObject>
#include <memory>
#include <vector>

class QMenu;
class QWidget;

namespace yarrow {

// The history and the recessions the lesson windows share, read once on first use (with the
// hourglass) and kept by the main window; a file that cannot be read is said in a message box.
class LessonSource : public QObject {
    Q_OBJECT
public:
    explicit LessonSource(QWidget* parent);

    // Null when the history cannot be read (the message has been shown).
    const CmtHistory* History();
    // Empty when the file cannot be read (the message has been shown).
    const std::vector<Recession>& Recessions();

    // Adds "Curve Film...", "Spread and Inversions..." and "Curve Map..." to the Lessons menu.
    static LessonSource* AddLessonItems(QMenu* lessons, QWidget* mainWindow);

private:
    QWidget* parent_;
    std::unique_ptr<CmtHistory> history_;
    std::vector<Recession> recessions_;
    bool recessionsRead_ = false;
};

} // namespace yarrow
