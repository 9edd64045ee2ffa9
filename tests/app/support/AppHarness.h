#pragma once

// Shared by the app tests: scripted dialogs, an in-memory clipboard and a context for the window.

#include "core/data/Session.h"
#include "core/seams/Dialogs.h"
#include "io/ResourcePaths.h"
#include "base/AppContext.h"
#include "support/MemoryClipboard.h"
#include "widgets/ThrottledEvents.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <string>
#include <vector>

namespace yarrow::test {

// Records every message box and answers Yes/No questions from a script. A question without a
// scripted answer is answered No and recorded in `unscripted`, which tests check is empty.
class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        std::string text;
        std::string title;
        MessageIcon icon;
    };
    void Message(const std::string& text, const std::string& title, MessageIcon icon) override {
        messages.push_back({text, title, icon});
    }
    bool AskYesNo(const std::string& text, const std::string& title) override {
        questions.push_back(text);
        if (answers.empty()) {
            unscripted.push_back(text);
            return false;
        }
        const bool a = answers.front();
        answers.pop_front();
        (void)title;
        return a;
    }
    QStringList MessageTexts() const {
        QStringList out;
        for (const auto& m : messages)
            out << QString::fromStdString(m.text);
        return out;
    }

    std::vector<Shown> messages;
    std::vector<std::string> questions;
    std::vector<std::string> unscripted;
    std::deque<bool> answers;
};

// Runs the event loop until pred() holds or ms pass. Unlike QTest::qWaitFor, which sleeps between
// rounds, this keeps the browser's many small messages flowing, so pages load at full speed.
template <typename Pred> bool WaitUntil(Pred pred, int ms = 20000) {
    QElapsedTimer t;
    t.start();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, &QEventLoop::quit);
    poll.start(5);
    while (!pred()) {
        if (t.elapsed() > ms)
            return false;
        loop.exec();
    }
    return true;
}

inline QUrl BundledSiteRoot() {
    return FolderUrl(QStringLiteral(YARROW_SOURCE_RESOURCES) + "/site");
}
inline QString BundledFrbFolder() {
    return QStringLiteral(YARROW_SOURCE_RESOURCES) + "/FRBData";
}

// Everything a window needs, with a fixed month-first date order and an end-of-program that only
// counts.
struct AppHarness {
    Session session;
    ScriptedDialogs dialogs;
    MemoryClipboard clipboard;
    ThrottledEvents events;
    AppContext context{session, dialogs, clipboard, events};
    int endProgramCalls = 0;

    AppHarness() {
        session.dialogs = &dialogs;
        session.events = &events;
        context.siteRoot = BundledSiteRoot();
        context.frbDataUrl = FolderUrl(BundledFrbFolder());
        context.systemDateOrder = DateOrder::MonthFirst;
        context.endProgram = [this] { ++endProgramCalls; };
    }
};

// The control named `name`, of type T; a missing control ends the test program at once.
template <typename T> T* Find(QWidget& w, const char* name) {
    T* found = w.findChild<T*>(name);
    if (!found)
        qFatal("no control %s", name);
    return found;
}

} // namespace yarrow::test
