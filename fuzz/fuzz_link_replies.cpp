// The spreadsheet link's replies (the selection, the sheet list, then one column range per
// request), through the sheet search and "Get Data" into the data grid and on into the bond
// table. Input: the replies separated by \x01, in the order they are asked for; the first byte
// picks the row range.

#include "FuzzInput.h"
#include "core/data/ExcelLink.h"
#include "core/data/Session.h"
#include "core/data/qalBondData.h"
#include "core/grid/GridModel.h"
#include "core/seams/LinkClient.h"

#include <vector>

using namespace yarrow;

namespace {

class ScriptedLink : public LinkClient {
public:
    explicit ScriptedLink(std::vector<std::string> replies) : replies_(std::move(replies)) {}
    void Open(const std::string&, const std::string&, const std::string&) override {}
    std::string Request() override { return next_ < replies_.size() ? replies_[next_++] : std::string(); }
    void Close() override {}

private:
    std::vector<std::string> replies_;
    size_t next_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > 4096)
        return 0;
    std::vector<std::string> replies;
    std::string rest = fuzz::Text(data + 1, size - 1);
    for (size_t cut; (cut = rest.find('\x01')) != std::string::npos; rest.erase(0, cut + 1))
        replies.push_back(rest.substr(0, cut));
    replies.push_back(rest);

    ScriptedLink client(replies);
    fuzz::QuietDialogs dialogs(data[0] & 1);
    std::string rowLetter;
    ExcelLink link{client, dialogs, nullptr, rowLetter};
    fuzz::Answer([&] {
        std::vector<std::string> sheets;
        FindExcelSheets(link, sheets);
        ExcelLinkSettings settings{sheets.empty() ? "[Book1.xls]Sheet1" : sheets.front(),
                                   "A",
                                   "B",
                                   "C",
                                   "D",
                                   "E",
                                   "2",
                                   std::to_string(2 + data[0] % 24),
                                   (data[0] & 2) != 0};
        GridModel grid;
        if (!GetExcelData(link, settings, grid))
            return;
        Session session;
        session.dialogs = &dialogs;
        BuildBondTable(session, grid, "12/31/2010");
        for (int i = 1; i <= session.nBonds; ++i)
            fuzz::RequireFinite(session.Bond(i).GetPrice());
    });
    return 0;
}
