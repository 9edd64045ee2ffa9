#include "io/workbook/WorkbookServer.h"

#include "core/text/RuntimeError.h"
#include "core/text/TextEncoding.h"
#include "io/workbook/CellText.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace yarrow {

namespace {

RuntimeError Refused(const std::string& why) {
    return RuntimeError(285, "Foreign application won't perform DDE method or operation (" + why + ")");
}

// "[Book.xlsx]Sheet1" -> ("Book.xlsx", "Sheet1"); false for any other form. A file name may hold
// ']', a sheet name never does: the last one closes the name.
bool SplitTopic(const std::string& topic, QString& book, QString& sheet) {
    if (topic.size() < 3 || topic[0] != '[')
        return false;
    const size_t close = topic.rfind(']');
    if (close == std::string::npos)
        return false;
    book = QString::fromStdString(topic.substr(1, close - 1));
    sheet = QString::fromStdString(topic.substr(close + 1));
    return true;
}

const Workbook::Sheet* FindSheet(const Workbook& book, const QString& name) {
    for (const Workbook::Sheet& s : book.sheets)
        if (QString::fromStdString(s.name).compare(name, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

} // namespace

void WorkbookServer::Open(const QString& path) {
    const QFileInfo info(path);
    Entry entry{info.absoluteFilePath(), info.lastModified(), info.size(), ReadWorkbook(path, limits_)};
    for (Entry& e : books_) {
        if (e.path == entry.path) {
            e = std::move(entry);
            return;
        }
        if (QString::fromStdString(e.book.name).compare(info.fileName(), Qt::CaseInsensitive) == 0)
            throw WorkbookError("A workbook named " + e.book.name + " is already open (" +
                                e.path.toStdString() + "). Close it first.");
    }
    books_.push_back(std::move(entry));
}

bool WorkbookServer::Close(const QString& nameOrPath) {
    const QString path = QFileInfo(nameOrPath).absoluteFilePath();
    for (auto it = books_.begin(); it != books_.end(); ++it) {
        if (it->path == path ||
            QString::fromStdString(it->book.name).compare(nameOrPath, Qt::CaseInsensitive) == 0) {
            books_.erase(it);
            return true;
        }
    }
    return false;
}

QStringList WorkbookServer::OpenBooks() const {
    QStringList names;
    for (const Entry& e : books_)
        names << QString::fromStdString(e.book.name);
    return names;
}

std::vector<std::string> WorkbookServer::Warnings() const {
    std::vector<std::string> all;
    for (const Entry& e : books_)
        all.insert(all.end(), e.book.warnings.begin(), e.book.warnings.end());
    return all;
}

WorkbookServer::Entry* WorkbookServer::FindBook(const QString& name) {
    for (Entry& e : books_)
        if (QString::fromStdString(e.book.name).compare(name, Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

bool WorkbookServer::HasTopic(const std::string& topic) const {
    if (QString::fromStdString(topic).compare("System", Qt::CaseInsensitive) == 0)
        return !books_.empty();
    QString book, sheet;
    if (!SplitTopic(topic, book, sheet))
        return false;
    for (const Entry& e : books_)
        if (QString::fromStdString(e.book.name).compare(book, Qt::CaseInsensitive) == 0)
            return FindSheet(e.book, sheet) != nullptr;
    return false;
}

void WorkbookServer::Refresh(Entry& entry) {
    const QFileInfo info(entry.path);
    // A file gone from disk stays open as it was read, as in a spreadsheet program.
    if (!info.exists() || (info.lastModified() == entry.modified && info.size() == entry.size))
        return;
    try {
        entry.book = ReadWorkbook(entry.path, limits_);
    } catch (const WorkbookError& e) {
        throw Refused(e.what());
    }
    entry.modified = info.lastModified();
    entry.size = info.size();
}

std::string WorkbookServer::Request(const std::string& topic, const std::string& item) {
    if (!HasTopic(topic))
        throw RuntimeError::NoApplicationResponding();
    const QString itemText = QString::fromStdString(item).trimmed();
    if (QString::fromStdString(topic).compare("System", Qt::CaseInsensitive) == 0) {
        for (Entry& e : books_)
            Refresh(e);
        if (itemText.compare("Topics", Qt::CaseInsensitive) == 0) {
            std::string list;
            for (const Entry& e : books_)
                for (const Workbook::Sheet& s : e.book.sheets)
                    list += "[" + e.book.name + "]" + s.name + "\t";
            return list + "System";
        }
        if (itemText.compare("Selection", Qt::CaseInsensitive) == 0) {
            const Workbook& b = books_.front().book;
            const Workbook::Sheet& s = b.sheets.front();
            return "[" + b.name + "]" + s.name + "!R" + std::to_string(s.activeRow) + "C" +
                   std::to_string(s.activeCol);
        }
        throw Refused("the system topic has no item " + item);
    }
    QString bookName, sheetName;
    SplitTopic(topic, bookName, sheetName);
    Entry* entry = FindBook(bookName);
    Refresh(*entry);
    const Workbook::Sheet* sheet = FindSheet(entry->book, sheetName);
    if (!sheet)
        throw Refused("the sheet " + sheetName.toStdString() + " is no longer in " + entry->book.name);
    return RangeText(entry->book, *sheet, itemText.toStdString());
}

std::string WorkbookServer::RangeText(const Workbook& book, const Workbook::Sheet& sheet,
                                      const std::string& item) const {
    static const QRegularExpression re(R"(^[RF](\d{1,7})C(\d{1,5})(?::[RF](\d{1,7})C(\d{1,5}))?$)",
                                       QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(QString::fromStdString(item));
    if (!m.hasMatch())
        throw Refused("the item " + item + " is not a range");
    int64_t r1 = m.captured(1).toLongLong(), c1 = m.captured(2).toLongLong();
    int64_t r2 = m.hasCaptured(3) ? m.captured(3).toLongLong() : r1;
    int64_t c2 = m.hasCaptured(4) ? m.captured(4).toLongLong() : c1;
    if (r1 > r2)
        std::swap(r1, r2);
    if (c1 > c2)
        std::swap(c1, c2);
    if (r1 < 1 || c1 < 1 || r2 > kWorkbookMaxRows || c2 > kWorkbookMaxCols)
        throw Refused("the range " + item + " lies outside the sheet");
    if ((r2 - r1 + 1) * (c2 - c1 + 1) > kMaxRangeCells)
        throw Refused("the range " + item + " is too large");
    std::string out;
    for (int64_t r = r1; r <= r2; ++r) {
        if (r > r1)
            out += "\r\n";
        for (int64_t c = c1; c <= c2; ++c) {
            if (c > c1)
                out += '\t';
            const auto it = sheet.cells.find({int32_t(r), int32_t(c)});
            // One cell stays one cell: a TAB or line break inside it would start another.
            if (it != sheet.cells.end())
                out += OneCellText(CellText(it->second, book.date1904, order_));
        }
    }
    return out;
}

} // namespace yarrow
