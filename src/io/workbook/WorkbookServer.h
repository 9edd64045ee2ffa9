#pragma once

#include "core/text/Dates.h"
#include "io/workbook/WorkbookReader.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace yarrow {

// The program's own spreadsheet: it answers the link's requests from the workbooks the user
// opened. Topics are "System" and "[Book.xlsx]Sheet"; items "Topics", "Selection" and R1C1
// ranges (R5C2:R20C2, also with the row letter F). A workbook changed on disk since it was read
// is read again at the next request, as a live spreadsheet would show the edit.
class WorkbookServer {
public:
    explicit WorkbookServer(WorkbookLimits limits = {}) : limits_(limits) {}

    // Reads the workbook and adds it (the same file again is read afresh). Raises WorkbookError
    // with the message for the user; the workbooks already open stay as they were.
    void Open(const QString& path);
    // Closes the workbook of that file name ("Book.xlsx") or path; false when none is open.
    bool Close(const QString& nameOrPath);
    // File names of the open workbooks, in the order they were opened.
    QStringList OpenBooks() const;
    // What the open workbooks were read with other than as written (formulas without a saved
    // result), one sentence each.
    std::vector<std::string> Warnings() const;
    bool Empty() const { return books_.empty(); }

    // Dates are shown in the program date format.
    void SetDateOrder(DateOrder order) { order_ = order; }

    // True when the topic names "System" or an open sheet.
    bool HasTopic(const std::string& topic) const;
    // The reply text of one request. An unknown topic raises 282 (no application answers it); an
    // item the server cannot answer, or a workbook that can no longer be read, raises 285 with
    // the reason.
    std::string Request(const std::string& topic, const std::string& item);

    // Cells a range item may ask for at once.
    static constexpr int64_t kMaxRangeCells = 2'000'000;

private:
    struct Entry {
        QString path;
        QDateTime modified;
        qint64 size = 0;
        Workbook book;
    };
    Entry* FindBook(const QString& name);
    void Refresh(Entry& entry);
    std::string RangeText(const Workbook& book, const Workbook::Sheet& sheet, const std::string& item) const;

    WorkbookLimits limits_;
    DateOrder order_ = DateOrder::MonthFirst;
    std::vector<Entry> books_;
};

} // namespace yarrow
