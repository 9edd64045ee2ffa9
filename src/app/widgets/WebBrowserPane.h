#pragma once

#include "widgets/BrowserPane.h"

#include <QPointer>
#include <QWebEngineView>

namespace yarrow {

// The real pane: a QWebEngineView. The view is the control on the window (it carries the
// control's objectName); this object is its child.
class WebBrowserPane : public BrowserPane {
    Q_OBJECT
public:
    explicit WebBrowserPane(QWebEngineView* view);
    QWebEngineView* View() const { return view_; }

    void Navigate(const QString& url, int flags = 0) override;
    void GoBack() override;
    void GoForward() override;
    void Stop() override;
    int ReadyState() const override { return readyState_; }
    QString LocationURL() const override;
    QString BodyMarkup() override;

    // How long BodyMarkup waits for the page to answer.
    void SetMarkupTimeoutMs(int ms) { markupTimeoutMs_ = ms; }

private:
    void OnLoadStarted();
    void OnLoadFinished(bool ok);
    void SetReadyState(int state);

    QPointer<QWebEngineView> view_;
    int readyState_ = kReadyStateUninitialized;
    // After Navigate, a finish signal that comes before the new load has started belongs to the
    // load it replaced and must not complete the new one.
    bool awaitingStart_ = false;
    int markupTimeoutMs_ = 10000;
};

// Creates the view with its pane; window.open and targeted links stay in a pane registered as a
// browser and are dropped by the others.
QWebEngineView* CreateBrowserControl(QWidget* parent, const QString& objectName, WebBrowserPane** pane);

} // namespace yarrow
