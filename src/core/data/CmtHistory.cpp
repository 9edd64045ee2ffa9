#include "core/data/CmtHistory.h"

#include "core/data/Session.h"
#include "core/grid/GridModel.h"
#include "core/text/RuntimeError.h"
#include "core/text/TextSplit.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace yarrow {

namespace {

// Column codes of the text, in FrbSeriesTable order.
constexpr std::array<std::string_view, kFrbSeriesCount> kCodes = {
    "DGS3MO", "DGS6MO", "DGS1", "DGS2", "DGS3", "DGS5", "DGS7", "DGS10", "DGS20", "DGS30"};

// Compact form: tag, series count, record count, then per record the day serial (int32) and the
// ten rates (int16), all little-endian.
constexpr std::string_view kTag = "YCMT\x01";
constexpr size_t kRecordBytes = 4 + 2 * kFrbSeriesCount;
constexpr size_t kHeaderBytes = kTag.size() + 1 + 4;

// A field as the messages show it, between single quotes. Built by appending: GCC 12 at -O3 warns
// falsely (-Wrestrict) on a literal prepended to a string.
std::string Quoted(std::string_view s) {
    std::string q = "'";
    q += s;
    q += '\'';
    return q;
}

[[noreturn]] void Fail(size_t line, const std::string& what) {
    throw CmtHistoryError("history line " + std::to_string(line) + ": " + what);
}

bool Digits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int Number(std::string_view s) {
    int v = 0;
    for (char c : s)
        v = v * 10 + (c - '0');
    return v;
}

Date IsoDate(std::string_view s, size_t line) {
    if (s.size() != 10 || s[4] != '-' || s[7] != '-' || !Digits(s.substr(0, 4)) || !Digits(s.substr(5, 2)) ||
        !Digits(s.substr(8, 2)))
        Fail(line, Quoted(s) + " is not a yyyy-mm-dd date");
    const std::chrono::year_month_day ymd{std::chrono::year(Number(s.substr(0, 4))),
                                          std::chrono::month(static_cast<unsigned>(Number(s.substr(5, 2)))),
                                          std::chrono::day(static_cast<unsigned>(Number(s.substr(8, 2))))};
    if (!ymd.ok())
        Fail(line, Quoted(s) + " is not a date");
    return Date(ymd);
}

// "3.22" -> 322. Exactly representable in hundredths or refused: rounding here would change the
// figures the text states.
int16_t Hundredths(std::string_view s, size_t line) {
    if (s.empty() || s == ".")
        return CmtHistory::kAbsent;
    const bool negative = s.front() == '-';
    std::string_view body = negative ? s.substr(1) : s;
    const size_t dot = body.find('.');
    std::string_view whole = body.substr(0, dot);
    std::string_view frac = dot == std::string_view::npos ? std::string_view{} : body.substr(dot + 1);
    if (!Digits(whole) || whole.size() > 3 || frac.size() > 2 || (!frac.empty() && !Digits(frac)) ||
        (dot != std::string_view::npos && frac.empty()))
        Fail(line, Quoted(s) + " is not a rate with at most two decimals");
    const int v = Number(whole) * 100 + (frac.empty() ? 0 : Number(frac) * (frac.size() == 1 ? 10 : 1));
    if (v > INT16_MAX)
        Fail(line, Quoted(s) + " is out of range");
    return static_cast<int16_t>(negative ? -v : v);
}

void PutLE(std::string& out, uint32_t v, int bytes) {
    for (int b = 0; b < bytes; ++b)
        out.push_back(static_cast<char>((v >> (8 * b)) & 0xFF));
}

uint32_t GetLE(std::string_view in, size_t at, int bytes) {
    uint32_t v = 0;
    for (int b = 0; b < bytes; ++b)
        v |= static_cast<uint32_t>(static_cast<unsigned char>(in[at + static_cast<size_t>(b)])) << (8 * b);
    return v;
}

} // namespace

CmtHistory CmtHistory::FromText(std::string_view text) {
    CmtHistory h;
    std::array<size_t, kFrbSeriesCount> column{};
    size_t lineNo = 0;
    size_t start = 0;
    bool header = true;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;
        const auto fields = SplitText(line, '\t');
        if (header) {
            if (fields[0] != "DATE")
                Fail(lineNo, "the header does not begin with DATE");
            for (size_t s = 0; s < kCodes.size(); ++s) {
                auto it = std::find(fields.begin() + 1, fields.end(), kCodes[s]);
                if (it == fields.end())
                    Fail(lineNo, "no column " + std::string(kCodes[s]));
                column[s] = static_cast<size_t>(it - fields.begin());
            }
            header = false;
            continue;
        }
        const Date day = IsoDate(fields[0], lineNo);
        if (!h.days_.empty() && day <= h.days_.back())
            Fail(lineNo, "the dates do not rise");
        std::array<int16_t, kFrbSeriesCount> rates;
        for (size_t s = 0; s < kCodes.size(); ++s)
            rates[s] = column[s] < fields.size() ? Hundredths(fields[column[s]], lineNo) : kAbsent;
        h.days_.push_back(day);
        h.rates_.push_back(rates);
    }
    if (header)
        throw CmtHistoryError("the history text has no header line");
    return h;
}

std::string CmtHistory::ToCompact() const {
    std::string out(kTag);
    out.push_back(static_cast<char>(kFrbSeriesCount));
    PutLE(out, static_cast<uint32_t>(days_.size()), 4);
    out.reserve(kHeaderBytes + days_.size() * kRecordBytes);
    for (size_t k = 0; k < days_.size(); ++k) {
        PutLE(out, static_cast<uint32_t>(days_[k].time_since_epoch().count()), 4);
        for (int16_t r : rates_[k])
            PutLE(out, static_cast<uint16_t>(r), 2);
    }
    return out;
}

CmtHistory CmtHistory::FromCompact(std::string_view bytes) {
    if (bytes.size() < kHeaderBytes || bytes.substr(0, kTag.size()) != kTag ||
        static_cast<unsigned char>(bytes[kTag.size()]) != kFrbSeriesCount)
        throw CmtHistoryError("not a compact history");
    const size_t count = GetLE(bytes, kTag.size() + 1, 4);
    if (bytes.size() != kHeaderBytes + count * kRecordBytes)
        throw CmtHistoryError("the compact history is truncated or too long");
    CmtHistory h;
    h.days_.reserve(count);
    h.rates_.resize(count);
    for (size_t k = 0; k < count; ++k) {
        size_t at = kHeaderBytes + k * kRecordBytes;
        const Date day{std::chrono::days(static_cast<int32_t>(GetLE(bytes, at, 4)))};
        if (!h.days_.empty() && day <= h.days_.back())
            throw CmtHistoryError("the compact history's dates do not rise");
        h.days_.push_back(day);
        at += 4;
        for (size_t s = 0; s < kFrbSeriesCount; ++s, at += 2)
            h.rates_[k][s] = static_cast<int16_t>(static_cast<uint16_t>(GetLE(bytes, at, 2)));
    }
    return h;
}

CmtHistory CmtHistory::FromBytes(std::string_view bytes) {
    return bytes.substr(0, kTag.size()) == kTag ? FromCompact(bytes) : FromText(bytes);
}

CmtHistory CmtHistory::FromFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw CmtHistoryError("cannot read the history file '" + path + "'");
    std::ostringstream text;
    text << in.rdbuf();
    try {
        return FromBytes(text.view());
    } catch (const CmtHistoryError& e) {
        throw CmtHistoryError(path + ": " + e.what());
    }
}

void CmtHistory::Append(const CmtHistory& later) {
    size_t k = 0;
    if (!days_.empty())
        k = static_cast<size_t>(std::upper_bound(later.days_.begin(), later.days_.end(), days_.back()) -
                                later.days_.begin());
    for (; k < later.days_.size(); ++k) {
        days_.push_back(later.days_[k]);
        rates_.push_back(later.rates_[k]);
    }
}

Date CmtHistory::First() const {
    if (days_.empty())
        throw CmtHistoryError("the history holds no day");
    return days_.front();
}

Date CmtHistory::Last() const {
    if (days_.empty())
        throw CmtHistoryError("the history holds no day");
    return days_.back();
}

size_t CmtHistory::IndexOnOrBefore(Date date) const {
    const auto it = std::upper_bound(days_.begin(), days_.end(), date);
    return it == days_.begin() ? days_.size() : static_cast<size_t>(it - days_.begin()) - 1;
}

CmtDay CmtHistory::DayOf(Date date) const {
    CmtDay day;
    day.asked = date;
    const size_t last = IndexOnOrBefore(date);
    if (last == days_.size())
        return day;
    const Date oldest = date - std::chrono::days(kMaxAgeDays);
    for (int s = 0; s < kFrbSeriesCount; ++s) {
        for (size_t k = last + 1; k-- > 0 && days_[k] >= oldest;) {
            const int16_t r = rates_[k][static_cast<size_t>(s)];
            if (r != kAbsent) {
                day.rows.push_back({s, days_[k], r});
                break;
            }
        }
    }
    if (!day.rows.empty())
        day.quoteDate = day.rows.front().date;
    return day;
}

std::string HundredthsText(int16_t hundredths) {
    if (hundredths == CmtHistory::kAbsent)
        return {};
    const int v = hundredths < 0 ? -hundredths : hundredths;
    const std::string cents = std::to_string(v % 100);
    std::string out = hundredths < 0 ? "-" : "";
    out += std::to_string(v / 100);
    out += '.';
    if (cents.size() < 2)
        out += '0';
    out += cents;
    return out;
}

void WriteCmtDay(const CmtDay& day, GridModel& grid, Session& session) {
    if (day.Empty())
        throw RuntimeError::SubscriptOutOfRange();
    BeginFrbYieldCurve(grid, session);
    session.quoteDate = FormatDate(day.quoteDate, "yyyy-mm-dd");
    int row = 2;
    for (const CmtObservation& o : day.rows)
        WriteFrbSeriesRow(o.series, row++, HundredthsText(o.hundredths), grid, session);
}

} // namespace yarrow
