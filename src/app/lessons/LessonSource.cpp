#include "lessons/LessonSource.h"

#include "lessons/CurveFilmWindow.h"
#include "lessons/CurveMapWindow.h"
#include "lessons/SpreadWindow.h"
#include "core/data/TreasuryHistory.h"

#include <QApplication>
#include <QMenu>
#include <QMessageBox>

namespace yarrow {

LessonSource::LessonSource(QWidget* parent) : QObject(parent), parent_(parent) {
    setObjectName("lessonSource");
}

const CmtHistory* LessonSource::History() {
    if (history_)
        return history_.get();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        history_ = std::make_unique<CmtHistory>(LoadTreasuryHistory());
        QApplication::restoreOverrideCursor();
    } catch (const CmtHistoryError& e) {
        QApplication::restoreOverrideCursor();
        QMessageBox::warning(parent_, "Treasury history", QString::fromStdString(e.what()));
    }
    return history_.get();
}

const std::vector<Recession>& LessonSource::Recessions() {
    if (!recessionsRead_) {
        recessionsRead_ = true;
        try {
            recessions_ = LoadRecessions();
        } catch (const RecessionsError& e) {
            QMessageBox::warning(parent_, "US recessions", QString::fromStdString(e.what()));
        }
    }
    return recessions_;
}

LessonSource* LessonSource::AddLessonItems(QMenu* lessons, QWidget* mainWindow) {
    auto* source = new LessonSource(mainWindow);
    // One window of each kind: asked again, it comes to the front.
    auto open = [mainWindow](const char* name, auto make) {
        if (auto* w = mainWindow->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly)) {
            w->showNormal();
            w->raise();
            w->activateWindow();
            return;
        }
        if (QWidget* w = make())
            w->show();
    };
    QAction* film = lessons->addAction("Curve &Film...", mainWindow, [=] {
        open("frmCurveFilm", [&]() -> QWidget* {
            const CmtHistory* h = source->History();
            return h ? new CurveFilmWindow(*h, mainWindow) : nullptr;
        });
    });
    film->setObjectName("mnuCurveFilm");
    film->setToolTip("The Treasury curve day by day as a film");
    QAction* spread = lessons->addAction("&Spread and Inversions...", mainWindow, [=] {
        open("frmSpread", [&]() -> QWidget* {
            const CmtHistory* h = source->History();
            return h ? new SpreadWindow(*h, source->Recessions(), mainWindow) : nullptr;
        });
    });
    spread->setObjectName("mnuSpread");
    spread->setToolTip("A long minus a short rate, its inversions and the recessions after them");
    QAction* map = lessons->addAction("Curve &Map...", mainWindow, [=] {
        open("frmCurveMap", [&]() -> QWidget* {
            const CmtHistory* h = source->History();
            return h ? new CurveMapWindow(*h, mainWindow) : nullptr;
        });
    });
    map->setObjectName("mnuCurveMap");
    map->setToolTip("The whole history as a heat map of date and maturity");
    return source;
}

} // namespace yarrow
