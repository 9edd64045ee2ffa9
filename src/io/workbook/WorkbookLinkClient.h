#pragma once

#include "core/seams/LinkClient.h"

namespace yarrow {

class WorkbookServer;

// The link client of this program: conversations with "Excel" are answered by the workbook
// server; any other application, an unknown topic, or no workbook open, answers nothing (282).
class WorkbookLinkClient : public LinkClient {
public:
    explicit WorkbookLinkClient(WorkbookServer& server) : server_(server) {}
    void Open(const std::string& application, const std::string& topic, const std::string& item) override;
    std::string Request() override;
    void Close() override;

private:
    WorkbookServer& server_;
    std::string topic_, item_;
    bool open_ = false;
};

} // namespace yarrow
