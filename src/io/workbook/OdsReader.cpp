#include "io/workbook/WorkbookFormats.h"
#include "io/workbook/ZipParts.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <algorithm>

namespace yarrow {

namespace {

// An attribute by its local name, whatever prefix the writer bound to its namespace
// (the extension namespace's copies of value types left aside).
QStringView Attr(const QXmlStreamAttributes& attributes, const char* name) {
    for (const QXmlStreamAttribute& a : attributes)
        if (a.name() == QLatin1String(name) && !a.namespaceUri().contains(u"calcext"))
            return a.value();
    return {};
}

// Days from the 1900 system's day 0 (30 December 1899), as a spreadsheet stores a date.
double SerialOf(const QDateTime& t) {
    const QDateTime base(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    return double(base.msecsTo(t)) / 86'400'000.0;
}

// "PT10H30M00S" as a fraction of a day.
double DurationDays(const QString& text) {
    static const QRegularExpression re(R"(^-?P(?:(\d+)D)?T?(?:(\d+)H)?(?:(\d+)M)?(?:([\d.]+)S)?$)");
    const auto m = re.match(text);
    if (!m.hasMatch())
        return 0;
    const double seconds = m.captured(1).toDouble() * 86400 + m.captured(2).toDouble() * 3600 +
                           m.captured(3).toDouble() * 60 + m.captured(4).toDouble();
    return seconds / 86400.0;
}

// The paragraphs of a cell, one line each; <text:s/> is a run of blanks, <text:tab/> a TAB. Text
// nested beyond the depth limit, or longer than all cells may hold, is refused.
QString CellParagraphs(QXmlStreamReader& xml, const CellBudget& budget) {
    QString text;
    int paragraphs = 0;
    int depth = 1;
    const int64_t room = budget.limits.maxTextBytes - budget.textBytes;
    while (!xml.atEnd() && depth > 0) {
        xml.readNext();
        if (text.size() > room)
            budget.RefuseText();
        if (xml.isStartElement()) {
            CheckDepth(++depth, budget, "content.xml");
            if (xml.name() == u"p" && paragraphs++ > 0) {
                text += '\n';
            } else if (xml.name() == u"s") {
                const int64_t blanks = std::max<int64_t>(1, Attr(xml.attributes(), "c").toLongLong());
                if (blanks > room - text.size())
                    budget.RefuseText(); // before the blanks are made
                text += QString(qsizetype(blanks), ' ');
            } else if (xml.name() == u"tab") {
                text += '\t';
            } else if (xml.name() == u"annotation") {
                xml.skipCurrentElement();
                --depth;
            }
        } else if (xml.isEndElement()) {
            --depth;
        } else if (xml.isCharacters() && depth > 1) {
            text += xml.text();
        }
    }
    return text;
}

} // namespace

void ReadOds(const QByteArray& bytes, const WorkbookLimits& limits, Workbook& book) {
    ZipParts zip(bytes, limits, book.name);
    const auto content = zip.Read("content.xml");
    if (!content)
        Refuse(book.name, "it is not a workbook (no content.xml)");
    QXmlStreamReader xml(*content);
    CellBudget budget{limits, book.name};
    Workbook::Sheet* sheet = nullptr;
    // Rows and columns from 1; repeats are clipped to the sheet and counted before any copy is made.
    int64_t row = 0, col = 0, rowRepeat = 1, rowsInSheet = 0;
    std::vector<std::pair<int64_t, WorkbookCell>> rowCells; // column, cell of the current row
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == u"table-row" && sheet) {
            for (int64_t k = 0; k < rowsInSheet; ++k)
                for (const auto& [c, cell] : rowCells)
                    sheet->cells[{int32_t(row + k), int32_t(c)}] = cell;
            rowCells.clear();
            row = qMin<int64_t>(row + rowRepeat, int64_t(kWorkbookMaxRows) + 1);
            continue;
        }
        if (!xml.isStartElement())
            continue;
        const auto a = xml.attributes();
        if (xml.name() == u"table" && xml.namespaceUri().contains(u"table")) {
            book.sheets.push_back({Attr(a, "name").toString().toStdString(), {}, 1, 1});
            sheet = &book.sheets.back();
            row = 1;
            rowCells.clear();
        } else if (xml.name() == u"table-row" && sheet) {
            rowRepeat = qMax<int64_t>(1, Attr(a, "number-rows-repeated").toLongLong());
            rowsInSheet = qBound<int64_t>(0, int64_t(kWorkbookMaxRows) - row + 1, rowRepeat);
            col = 1;
            rowCells.clear();
        } else if ((xml.name() == u"table-cell" || xml.name() == u"covered-table-cell") && sheet) {
            const int64_t repeat = qMax<int64_t>(1, Attr(a, "number-columns-repeated").toLongLong());
            const QString type = Attr(a, "value-type").toString();
            WorkbookCell cell;
            bool filled = true;
            if (type == u"float" || type == u"percentage" || type == u"currency") {
                cell.kind = WorkbookCell::Kind::Number;
                cell.value = Attr(a, "value").toDouble();
                xml.skipCurrentElement();
            } else if (type == u"date") {
                const QString v = Attr(a, "date-value").toString();
                QDateTime t = QDateTime::fromString(v, Qt::ISODate);
                if (!t.isValid())
                    t = QDateTime(QDate::fromString(v.left(10), Qt::ISODate), QTime(0, 0));
                t.setTimeSpec(Qt::UTC);
                cell.kind = WorkbookCell::Kind::Number;
                cell.value = SerialOf(t);
                cell.shown =
                    t.time() == QTime(0, 0) ? WorkbookCell::Shown::Date : WorkbookCell::Shown::DateTime;
                xml.skipCurrentElement();
            } else if (type == u"time") {
                cell.kind = WorkbookCell::Kind::Number;
                cell.value = DurationDays(Attr(a, "time-value").toString());
                cell.shown = WorkbookCell::Shown::Time;
                xml.skipCurrentElement();
            } else if (type == u"boolean") {
                cell.text = Attr(a, "boolean-value") == u"true" ? "TRUE" : "FALSE";
                xml.skipCurrentElement();
            } else {
                cell.text = CellParagraphs(xml, budget).toStdString();
                filled = !cell.text.empty();
            }
            const int64_t colsInSheet = qBound<int64_t>(0, int64_t(kWorkbookMaxCols) - col + 1, repeat);
            if (filled && colsInSheet > 0 && rowsInSheet > 0) {
                // Both factors lie within the sheet's size: the product cannot overflow.
                budget.Take(colsInSheet * rowsInSheet, int64_t(cell.text.size()));
                for (int64_t k = 0; k < colsInSheet; ++k)
                    rowCells.emplace_back(col + k, cell);
            }
            col = qMin<int64_t>(col + repeat, int64_t(kWorkbookMaxCols) + 1);
        }
    }
    if (xml.hasError())
        Refuse(book.name, "its part content.xml is damaged");
}

} // namespace yarrow
