// The workbook server's replies to the link: a workbook of any bytes (the first byte picks .csv,
// .xlsx or .ods and the date order), then any topic and item (the input's first two lines). Every
// request is answered or refused with a run-time error; a range reply has one line per row and
// one TAB between cells, whatever the cells hold.

#include "WorkbookFuzz.h"
#include "core/text/RuntimeError.h"
#include "io/workbook/WorkbookServer.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <string>

namespace {

void RequireShape(const std::string& reply, long rows, long cols) {
    yarrow::fuzz::RequireWorkbook(std::count(reply.begin(), reply.end(), '\n') == rows - 1);
    yarrow::fuzz::RequireWorkbook(std::count(reply.begin(), reply.end(), '\t') == rows * (cols - 1));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace yarrow;
    if (size < 1)
        return 0;
    fuzz::QuietQt();
    static QTemporaryDir dir;
    static const char* const names[] = {"b.csv", "b.xlsx", "b.ods"};
    const QString path = dir.filePath(names[data[0] % 3]);
    std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string topic, item;
    for (std::string* field : {&topic, &item}) {
        const size_t end = rest.find('\n');
        *field = rest.substr(0, end);
        rest.erase(0, end == std::string::npos ? rest.size() : end + 1);
    }
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(rest.data(), qint64(rest.size()));
    }
    WorkbookServer server;
    server.SetDateOrder((data[0] & 8) ? DateOrder::DayFirst : DateOrder::MonthFirst);
    try {
        server.Open(path);
    } catch (const WorkbookError&) {
        QFile::remove(path);
        return 0;
    }
    auto ask = [&](const std::string& t, const std::string& i) -> std::string {
        try {
            return server.Request(t, i);
        } catch (const RuntimeError&) {
            return {};
        }
    };
    const std::string topics = ask("System", "Topics");
    ask("System", "Selection");
    ask(topic, item);
    // Each sheet's top corner, a range of 20 rows of 10 cells.
    size_t start = 0;
    for (size_t tab; (tab = topics.find('\t', start)) != std::string::npos; start = tab + 1) {
        const std::string reply = ask(topics.substr(start, tab - start), "R1C1:R20C10");
        RequireShape(reply, 20, 10);
    }
    QFile::remove(path);
    return 0;
}
