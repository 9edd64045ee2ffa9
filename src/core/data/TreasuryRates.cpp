#include "core/data/TreasuryRates.h"

#include "core/data/CmtHistory.h"
#include "core/text/CsvReader.h"

#include <algorithm>
#include <optional>

namespace yarrow {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

std::string Lower(std::string_view s) {
    std::string out;
    for (char c : s)
        if (c != ' ')
            out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    return out;
}

bool AllDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int Number(std::string_view s) {
    int v = 0;
    for (char c : s)
        v = v * 10 + (c - '0');
    return v;
}

std::string Quoted(std::string_view s) {
    std::string q = "'";
    q += s;
    q += '\'';
    return q;
}

// MM/DD/YYYY (one or two digits for month and day) or yyyy-mm-dd.
std::optional<Date> FileDate(std::string_view s) {
    int y = 0, m = 0, d = 0;
    if (s.size() == 10 && s[4] == '-' && s[7] == '-' && AllDigits(s.substr(0, 4)) && AllDigits(s.substr(5, 2)) &&
        AllDigits(s.substr(8, 2))) {
        y = Number(s.substr(0, 4));
        m = Number(s.substr(5, 2));
        d = Number(s.substr(8, 2));
    } else {
        const size_t a = s.find('/');
        const size_t b = a == std::string_view::npos ? a : s.find('/', a + 1);
        if (b == std::string_view::npos)
            return std::nullopt;
        const std::string_view ms = s.substr(0, a), ds = s.substr(a + 1, b - a - 1), ys = s.substr(b + 1);
        if (!AllDigits(ms) || ms.size() > 2 || !AllDigits(ds) || ds.size() > 2 || !AllDigits(ys) || ys.size() != 4)
            return std::nullopt;
        m = Number(ms);
        d = Number(ds);
        y = Number(ys);
    }
    const std::chrono::year_month_day ymd{std::chrono::year(y), std::chrono::month(static_cast<unsigned>(m)),
                                          std::chrono::day(static_cast<unsigned>(d))};
    if (!ymd.ok())
        return std::nullopt;
    return Date(ymd);
}

enum class Value { Absent, Rate, NotANumber, OutOfRange };

// "4.35" -> 435, rounded to the hundredth half away from zero; the range is checked on the text's
// value, before rounding.
Value ReadRate(std::string_view s, int16_t& out) {
    s = Trim(s);
    if (s.empty() || s == "." || s == "N/A")
        return Value::Absent;
    const bool negative = s.front() == '-';
    if (negative || s.front() == '+')
        s.remove_prefix(1);
    const size_t dot = s.find('.');
    const std::string_view whole = s.substr(0, dot);
    const std::string_view frac = dot == std::string_view::npos ? std::string_view{} : s.substr(dot + 1);
    const bool hasDot = dot != std::string_view::npos;
    if ((!AllDigits(whole) && !(whole.empty() && hasDot)) || (hasDot && !AllDigits(frac)))
        return Value::NotANumber;
    // Three or more significant digits before the point is beyond 30 % either way; keeps the
    // arithmetic small.
    if (whole.size() - std::min(whole.find_first_not_of('0'), whole.size()) > 2)
        return Value::OutOfRange;
    long thousandths = Number(whole) * 1000L;
    for (size_t i = 0; i < 3 && i < frac.size(); ++i)
        thousandths += (frac[i] - '0') * (i == 0 ? 100L : i == 1 ? 10L : 1L);
    const bool beyond = frac.size() > 3 && frac.find_first_not_of('0', 3) != std::string_view::npos;
    const long signedThousandths = negative ? -thousandths : thousandths;
    if (signedThousandths < kLowestRate * 10L || signedThousandths > kHighestRate * 10L ||
        (beyond && (signedThousandths == kLowestRate * 10L || signedThousandths == kHighestRate * 10L)))
        return Value::OutOfRange;
    const long hundredths = (thousandths + 5) / 10;
    out = static_cast<int16_t>(negative ? -hundredths : hundredths);
    return Value::Rate;
}

struct Table {
    std::vector<std::vector<std::string>> rows; // heading first
    bool partialLast = false;                   // the text does not end in a line break
};

Table ReadTable(std::string_view text, const std::string& name) {
    std::string_view body = text;
    if (body.substr(0, 3) == "\xEF\xBB\xBF")
        body.remove_prefix(3);
    const size_t first = body.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        throw RatesFileError(name + " is empty");
    if (body[first] == '<')
        throw RatesFileError(name + " is an HTML page, not CSV");
    Table t;
    t.rows = ReadCsvRecords(text);
    t.partialLast = text.back() != '\n' && text.back() != '\r';
    return t;
}

[[noreturn]] void OtherLayout(const std::string& name, const std::vector<std::string>& heading) {
    std::string list;
    for (const std::string& h : heading) {
        if (!list.empty())
            list += ", ";
        list += Quoted(h);
    }
    throw RatesFileError(name + " has another layout; its headings are " + list);
}

std::string RowName(const std::string& name, size_t row) {
    return name + " row " + std::to_string(row + 1);
}

// Sorts the days into rising order (files come newest first or last) and refuses a day twice.
void RisingDays(RatesFile& file, const std::string& name) {
    file.newestFirst = file.records.size() > 1 && file.records[0].date > file.records[1].date;
    std::stable_sort(file.records.begin(), file.records.end(),
                     [](const CmtRecord& a, const CmtRecord& b) { return a.date < b.date; });
    for (size_t k = 1; k < file.records.size(); ++k)
        if (file.records[k].date == file.records[k - 1].date)
            throw RatesFileError(name + " holds " + FormatDate(file.records[k].date, "mm/dd/yyyy") + " twice");
}

bool BlankRow(const std::vector<std::string>& row) {
    return row.size() == 1 && Trim(row[0]).empty();
}

// A last line without its line break that does not read whole is a transfer cut short: dropped
// and said. Returns true when the row is to be dropped.
bool DropPartial(const Table& t, size_t r, bool reads, const std::string& name, RatesFile& file) {
    if (!t.partialLast || r + 1 != t.rows.size() || reads)
        return false;
    std::string line;
    for (const std::string& f : t.rows[r])
        line += (line.empty() ? "" : ",") + f;
    file.notes.push_back(name + ": the file ends in a partial line, dropped: " + Quoted(line));
    file.truncated = true;
    return true;
}

std::string RateError(const std::string& where, std::string_view value, std::string_view heading, Value v) {
    std::string s = where + ": " + Quoted(Trim(value)) + " under " + Quoted(heading);
    return s + (v == Value::NotANumber ? " is not a number" : " is outside -1 % to 30 %");
}

} // namespace

int CmtFileSeriesIndex(std::string_view code) {
    for (int i = 0; i < kCmtFileSeries; ++i)
        if (kCmtFileCodes[static_cast<size_t>(i)] == code)
            return i;
    return -1;
}

bool CmtRecord::Empty() const {
    return std::all_of(rates.begin(), rates.end(), [](int16_t r) { return r == CmtHistory::kAbsent; });
}

RatesFile ParseTreasuryRates(std::string_view text, const std::string& name) {
    static const std::array<std::pair<std::string_view, std::string_view>, kCmtFileSeries> kHeadings = {{
        {"1mo", "DGS1MO"},
        {"3mo", "DGS3MO"},
        {"6mo", "DGS6MO"},
        {"1yr", "DGS1"},
        {"2yr", "DGS2"},
        {"3yr", "DGS3"},
        {"5yr", "DGS5"},
        {"7yr", "DGS7"},
        {"10yr", "DGS10"},
        {"20yr", "DGS20"},
        {"30yr", "DGS30"},
    }};
    const Table t = ReadTable(text, name);
    const std::vector<std::string>& heading = t.rows.front();
    size_t dateColumn = heading.size();
    std::vector<std::pair<size_t, int>> columns; // field, series
    for (size_t c = 0; c < heading.size(); ++c) {
        const std::string h = Lower(heading[c]);
        if (h == "date")
            dateColumn = c;
        for (const auto& [text, code] : kHeadings)
            if (h == text)
                columns.emplace_back(c, CmtFileSeriesIndex(code));
    }
    if (dateColumn == heading.size() || columns.empty())
        OtherLayout(name, heading);

    RatesFile file;
    for (size_t r = 1; r < t.rows.size(); ++r) {
        const std::vector<std::string>& row = t.rows[r];
        if (BlankRow(row))
            continue;
        CmtRecord rec;
        rec.rates.fill(CmtHistory::kAbsent);
        const std::optional<Date> date = row.size() > dateColumn ? FileDate(Trim(row[dateColumn])) : std::nullopt;
        bool reads = row.size() == heading.size() && date.has_value();
        for (const auto& [c, s] : columns)
            reads = reads && ReadRate(row[c], rec.rates[static_cast<size_t>(s)]) != Value::NotANumber;
        if (DropPartial(t, r, reads, name, file))
            continue;
        if (row.size() != heading.size())
            throw RatesFileError(RowName(name, r) + " has " + std::to_string(row.size()) + " fields, the heading " +
                                 std::to_string(heading.size()));
        if (!date)
            throw RatesFileError(RowName(name, r) + ": " + Quoted(row[dateColumn]) + " is not a date");
        rec.date = *date;
        for (const auto& [c, s] : columns) {
            const Value v = ReadRate(row[c], rec.rates[static_cast<size_t>(s)]);
            if (v == Value::NotANumber || v == Value::OutOfRange)
                throw RatesFileError(RateError(RowName(name, r), row[c], heading[c], v));
        }
        if (!rec.Empty())
            file.records.push_back(rec);
    }
    RisingDays(file, name);
    return file;
}

RatesFile ParseFredSeries(std::string_view text, const std::string& name, std::string_view code) {
    const Table t = ReadTable(text, name);
    const std::vector<std::string>& heading = t.rows.front();
    const int series = CmtFileSeriesIndex(code);
    if (series < 0 || heading.size() != 2 || (Lower(heading[0]) != "observation_date" && Lower(heading[0]) != "date") ||
        Trim(heading[1]) != code)
        OtherLayout(name, heading);

    RatesFile file;
    for (size_t r = 1; r < t.rows.size(); ++r) {
        const std::vector<std::string>& row = t.rows[r];
        if (BlankRow(row))
            continue;
        CmtRecord rec;
        rec.rates.fill(CmtHistory::kAbsent);
        const std::optional<Date> date = FileDate(Trim(row[0]));
        Value v = Value::NotANumber;
        if (row.size() == 2)
            v = ReadRate(row[1], rec.rates[static_cast<size_t>(series)]);
        if (DropPartial(t, r, row.size() == 2 && date && v != Value::NotANumber, name, file))
            continue;
        if (row.size() != 2)
            throw RatesFileError(RowName(name, r) + " has " + std::to_string(row.size()) + " fields, the heading 2");
        if (!date)
            throw RatesFileError(RowName(name, r) + ": " + Quoted(row[0]) + " is not a date");
        if (v == Value::NotANumber || v == Value::OutOfRange)
            throw RatesFileError(RateError(RowName(name, r), row[1], heading[1], v));
        rec.date = *date;
        if (v == Value::Rate)
            file.records.push_back(rec);
    }
    RisingDays(file, name);
    return file;
}

} // namespace yarrow
