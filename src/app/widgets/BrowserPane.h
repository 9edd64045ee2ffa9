#pragma once

#include <QObject>
#include <QString>

namespace yarrow {

// One embedded browser pane as the window and the rate source see it: navigate and stop, the
// ready state, the loaded body's markup, and the load-state text ("" while a page loads,
// "alldone" once the top-level document completed or loading was stopped).
class BrowserPane : public QObject {
    Q_OBJECT
public:
    static constexpr int kNavNoReadFromCache = 4;
    static constexpr int kReadyStateUninitialized = 0;
    static constexpr int kReadyStateLoading = 1;
    static constexpr int kReadyStateComplete = 4;
    static constexpr const char* kAllDone = "alldone";

    using QObject::QObject;

    virtual void Navigate(const QString& url, int flags = 0) = 0;
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void Stop() = 0;
    virtual int ReadyState() const = 0;
    virtual QString LocationURL() const = 0;
    // Markup of the document's body element. Raises RuntimeError when the pane cannot give it.
    virtual QString BodyMarkup() = 0;

    QString Tag() const { return tag_; }
    void SetTag(const QString& tag) {
        tag_ = tag;
        emit StateChanged();
    }
    bool RegisterAsBrowser() const { return registerAsBrowser_; }
    void SetRegisterAsBrowser(bool on) { registerAsBrowser_ = on; }
    // True when Stop() was called since the last Navigate(): a wait on this pane is over.
    bool StopRequested() const { return stopRequested_; }
    // Counts Navigate calls, so a wait can tell that someone else sent the pane elsewhere.
    int NavigationSerial() const { return navigationSerial_; }

signals:
    // Every Navigate call, with its flags, before the load starts.
    void NavigateRequested(const QString& url, int flags);
    // The ready state, the load state or the stop request changed.
    void StateChanged();
    void DownloadBegin();
    void DocumentComplete(const QString& url);
    // Stop() was called.
    void Stopped();

protected:
    void SetStopRequested(bool on) {
        stopRequested_ = on;
        emit StateChanged();
        if (on)
            emit Stopped();
    }
    void CountNavigation() { ++navigationSerial_; }

private:
    QString tag_;
    bool registerAsBrowser_ = false;
    bool stopRequested_ = false;
    int navigationSerial_ = 0;
};

} // namespace yarrow
