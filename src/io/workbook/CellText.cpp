#include "io/workbook/CellText.h"

#include "core/text/NumberText.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace yarrow {

WorkbookCell::Shown ShownByNumberFormat(int numFmtId, std::string_view code) {
    using Shown = WorkbookCell::Shown;
    if ((numFmtId >= 14 && numFmtId <= 17) || (numFmtId >= 27 && numFmtId <= 31) ||
        (numFmtId >= 34 && numFmtId <= 36) || (numFmtId >= 50 && numFmtId <= 58))
        return Shown::Date;
    if ((numFmtId >= 18 && numFmtId <= 21) || (numFmtId >= 45 && numFmtId <= 47) || numFmtId == 32 ||
        numFmtId == 33)
        return Shown::Time;
    if (numFmtId == 22)
        return Shown::DateTime;
    if (numFmtId < 164 && code.empty())
        return Shown::General;
    if (code.size() >= 7 && (code.substr(0, 7) == "General" || code.substr(0, 7) == "general"))
        return Shown::General;
    bool date = false, time = false, month = false;
    for (size_t i = 0; i < code.size(); ++i) {
        const char c = char(std::tolower(static_cast<unsigned char>(code[i])));
        if (c == ';')
            break; // the first section decides
        if (c == '"') {
            const size_t end = code.find('"', i + 1);
            i = end == std::string_view::npos ? code.size() : end;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;
        } else if (c == '[') {
            // [h], [mm] and [ss] are elapsed times; other brackets are colours and conditions.
            const size_t end = code.find(']', i + 1);
            const std::string_view inside =
                code.substr(i + 1, end == std::string_view::npos ? 0 : end - i - 1);
            if (!inside.empty() &&
                (inside[0] == 'h' || inside[0] == 'H' || inside[0] == 's' || inside[0] == 'S'))
                time = true;
            i = end == std::string_view::npos ? code.size() : end;
        } else if (c == 'd' || c == 'y') {
            date = true;
        } else if (c == 'h' || c == 's') {
            time = true;
        } else if (c == 'm') {
            month = true;
        }
    }
    date = date || (month && !time);
    if (date && time)
        return Shown::DateTime;
    if (date)
        return Shown::Date;
    if (time)
        return Shown::Time;
    return Shown::General;
}

namespace {

std::string TimeText(double fraction) {
    long seconds = std::lround((fraction - std::floor(fraction)) * 86400.0);
    if (seconds >= 86400)
        seconds = 86399;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%02ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return buf;
}

// The date of a serial day number; nothing for serials no date can show.
std::string DateText(double serial, bool date1904, DateOrder order) {
    const long days = long(std::floor(serial));
    const std::string format = DateFormatText(order);
    if (date1904) {
        if (days < 0 || days > 2957003)
            return {};
        return FormatDate(MakeDate(1904, 1, 1) + std::chrono::days(days), format);
    }
    if (days < 1 || days > 2958465)
        return {};
    // The 1900 system counts a 29 February 1900 that never was.
    if (days == 60)
        return order == DateOrder::MonthFirst ? "02/29/1900" : "29/02/1900";
    const Date base = days < 60 ? MakeDate(1899, 12, 31) : MakeDate(1899, 12, 30);
    return FormatDate(base + std::chrono::days(days), format);
}

} // namespace

std::string CellText(const WorkbookCell& cell, bool date1904, DateOrder order) {
    using Shown = WorkbookCell::Shown;
    if (cell.kind == WorkbookCell::Kind::Text)
        return cell.text;
    if (!std::isfinite(cell.value))
        return GeneralText(cell.value);
    switch (cell.shown) {
    case Shown::General:
        break;
    case Shown::Time:
        if (cell.value >= 0)
            return TimeText(cell.value);
        break;
    case Shown::Date:
    case Shown::DateTime: {
        const std::string date = DateText(cell.value, date1904, order);
        if (date.empty())
            break;
        return cell.shown == Shown::Date ? date : date + " " + TimeText(cell.value);
    }
    }
    return GeneralText(cell.value);
}

} // namespace yarrow
