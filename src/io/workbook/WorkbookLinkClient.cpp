#include "io/workbook/WorkbookLinkClient.h"

#include "core/text/RuntimeError.h"
#include "io/workbook/WorkbookServer.h"

#include <QString>

namespace yarrow {

void WorkbookLinkClient::Open(const std::string& application, const std::string& topic,
                              const std::string& item) {
    open_ = false;
    if (QString::fromStdString(application).compare("Excel", Qt::CaseInsensitive) != 0 ||
        !server_.HasTopic(topic))
        throw RuntimeError::NoApplicationResponding();
    topic_ = topic;
    item_ = item;
    open_ = true;
}

std::string WorkbookLinkClient::Request() {
    if (!open_)
        throw RuntimeError::NoApplicationResponding();
    return server_.Request(topic_, item_);
}

void WorkbookLinkClient::Close() {
    open_ = false;
}

} // namespace yarrow
