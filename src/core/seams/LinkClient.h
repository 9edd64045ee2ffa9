#pragma once

#include <string>

namespace yarrow {

// The client end of the spreadsheet link: one conversation at a time, opened on an application
// and a topic with an item, asked once for the item as text, then closed.
// Open raises RuntimeError 282 when no application answers on that topic; Request raises a
// RuntimeError when the application refuses the item.
class LinkClient {
public:
    virtual ~LinkClient() = default;
    virtual void Open(const std::string& application, const std::string& topic, const std::string& item) = 0;
    virtual std::string Request() = 0;
    virtual void Close() = 0;
};

} // namespace yarrow
