#include "widgets/WebBrowserPane.h"

#include "core/text/RuntimeError.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWebEngineHttpRequest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <memory>

namespace yarrow {

namespace {

class PaneView : public QWebEngineView {
public:
    using QWebEngineView::QWebEngineView;
    WebBrowserPane* pane = nullptr;

protected:
    QWebEngineView* createWindow(QWebEnginePage::WebWindowType) override {
        return pane && pane->RegisterAsBrowser() ? this : nullptr;
    }
};

} // namespace

QWebEngineView* CreateBrowserControl(QWidget* parent, const QString& objectName, WebBrowserPane** pane) {
    auto* view = new PaneView(parent);
    view->setObjectName(objectName);
    view->pane = new WebBrowserPane(view);
    if (pane)
        *pane = view->pane;
    return view;
}

WebBrowserPane::WebBrowserPane(QWebEngineView* view) : BrowserPane(view), view_(view) {
    connect(view, &QWebEngineView::loadStarted, this, &WebBrowserPane::OnLoadStarted);
    connect(view, &QWebEngineView::loadFinished, this, &WebBrowserPane::OnLoadFinished);
}

void WebBrowserPane::Navigate(const QString& url, int flags) {
    emit NavigateRequested(url, flags);
    CountNavigation();
    SetStopRequested(false);
    awaitingStart_ = true;
    SetReadyState(kReadyStateLoading);
    const QUrl target = QUrl::fromUserInput(url);
    if ((flags & kNavNoReadFromCache) && (target.scheme() == "http" || target.scheme() == "https")) {
        // Chromium treats these request headers as "bypass the cache".
        QWebEngineHttpRequest request(target);
        request.setHeader("Cache-Control", "no-cache");
        request.setHeader("Pragma", "no-cache");
        view_->load(request);
    } else {
        view_->load(target);
    }
}

void WebBrowserPane::GoBack() {
    if (view_)
        view_->back();
}

void WebBrowserPane::GoForward() {
    if (view_)
        view_->forward();
}

void WebBrowserPane::Stop() {
    if (view_)
        view_->stop();
    SetStopRequested(true);
}

QString WebBrowserPane::LocationURL() const {
    return view_ ? view_->url().toString() : QString();
}

void WebBrowserPane::OnLoadStarted() {
    awaitingStart_ = false;
    SetReadyState(kReadyStateLoading);
    SetTag(QString());
    emit DownloadBegin();
}

void WebBrowserPane::OnLoadFinished(bool) {
    if (awaitingStart_)
        return;
    SetReadyState(kReadyStateComplete);
    SetTag(kAllDone);
    emit DocumentComplete(LocationURL());
}

void WebBrowserPane::SetReadyState(int state) {
    readyState_ = state;
    emit StateChanged();
}

QString WebBrowserPane::BodyMarkup() {
    if (!view_)
        throw RuntimeError::ObjectVariableNotSet();
    struct Reply {
        bool done = false;
        QString markup;
    };
    auto reply = std::make_shared<Reply>();
    QEventLoop loop;
    QPointer<QEventLoop> guard(&loop);
    view_->page()->runJavaScript("document.body ? document.body.innerHTML : ''",
                                 [reply, guard](const QVariant& v) {
                                     reply->done = true;
                                     reply->markup = v.toString();
                                     if (guard)
                                         guard->quit();
                                 });
    QElapsedTimer elapsed;
    elapsed.start();
    while (!reply->done && elapsed.elapsed() < markupTimeoutMs_ && view_) {
        QTimer::singleShot(50, &loop, &QEventLoop::quit);
        if (loop.exec() < 0)
            break; // the program is ending
    }
    if (!reply->done)
        throw RuntimeError(RuntimeError::InvalidPropertyValue().number(), "The page did not give its text");
    return reply->markup;
}

} // namespace yarrow
