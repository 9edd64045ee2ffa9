#include "core/data/TreasuryHistory.h"

#include "core/data/ResourceFolder.h"

#include <cstdlib>
#include <filesystem>
#include <map>
#include <pwd.h>
#include <unistd.h>

namespace yarrow {

namespace {

namespace fs = std::filesystem;

// The ten series CmtHistory keeps, in its order, as indices into kCmtFileCodes.
constexpr std::array<std::string_view, kFrbSeriesCount> kHistoryCodes = {
    "DGS3MO", "DGS6MO", "DGS1", "DGS2", "DGS3", "DGS5", "DGS7", "DGS10", "DGS20", "DGS30"};

std::string Us(Date d) {
    return FormatDate(d, "mm/dd/yyyy");
}

} // namespace

std::string UserHistoryFile() {
    fs::path data;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && fs::path(xdg).is_absolute())
        data = xdg;
    else {
        const char* home = std::getenv("HOME");
        if (!home || !*home) {
            const passwd* pw = getpwuid(getuid());
            home = pw ? pw->pw_dir : "/";
        }
        data = fs::path(home) / ".local/share";
    }
    return (data / "yarrow/treasury-cmt-daily.tsv").lexically_normal().string();
}

CmtHistory LoadTreasuryHistory(const std::string& bundledFile, const std::string& userFile) {
    CmtHistory history = CmtHistory::FromFile(bundledFile);
    std::error_code ec;
    if (!userFile.empty() && fs::exists(userFile, ec))
        history.Append(CmtHistory::FromFile(userFile));
    return history;
}

CmtHistory LoadTreasuryHistory() {
    return LoadTreasuryHistory(CmtHistoryFile(), UserHistoryFile());
}

HistoryMerge MergeNewDays(const CmtHistory& held, const std::vector<CmtRecord>& fetched) {
    HistoryMerge merge;
    merge.newestHeld = held.Last();
    for (const CmtRecord& rec : fetched) {
        if (rec.date > merge.newestHeld) {
            merge.added.push_back(rec);
            continue;
        }
        const size_t k = held.IndexOnOrBefore(rec.date);
        if (k == held.Size() || held.DayAt(k) != rec.date)
            continue;
        for (int s = 0; s < kFrbSeriesCount; ++s) {
            const std::string_view code = kHistoryCodes[static_cast<size_t>(s)];
            const int16_t mine = held.RateAt(k, s);
            const int16_t theirs = rec.rates[static_cast<size_t>(CmtFileSeriesIndex(code))];
            if (mine != CmtHistory::kAbsent && theirs != CmtHistory::kAbsent && mine != theirs) {
                std::string line = Us(rec.date) + " ";
                line += code;
                merge.disagreements.push_back(line + ": held " + HundredthsText(mine) + ", the source " +
                                              HundredthsText(theirs));
            }
        }
    }
    return merge;
}

std::vector<CmtRecord> JoinSeries(const std::vector<RatesFile>& files) {
    std::map<Date, CmtRecord> days;
    for (const RatesFile& file : files) {
        for (const CmtRecord& rec : file.records) {
            auto [it, fresh] = days.try_emplace(rec.date);
            if (fresh) {
                it->second.date = rec.date;
                it->second.rates.fill(CmtHistory::kAbsent);
            }
            for (size_t s = 0; s < rec.rates.size(); ++s)
                if (rec.rates[s] != CmtHistory::kAbsent)
                    it->second.rates[s] = rec.rates[s];
        }
    }
    std::vector<CmtRecord> out;
    out.reserve(days.size());
    for (auto& [date, rec] : days)
        out.push_back(rec);
    return out;
}

std::string CmtRecordsText(const std::vector<CmtRecord>& records, bool header) {
    std::string out;
    out.reserve(records.size() * 64 + 96);
    if (header) {
        out += "DATE";
        for (std::string_view code : kCmtFileCodes) {
            out += '\t';
            out += code;
        }
        out += '\n';
    }
    for (const CmtRecord& rec : records) {
        out += FormatDate(rec.date, "yyyy-mm-dd");
        for (int16_t r : rec.rates) {
            out += '\t';
            out += r == CmtHistory::kAbsent ? std::string(".") : HundredthsText(r);
        }
        out += '\n';
    }
    return out;
}

std::string UserHistoryText(std::string_view previous, const std::vector<CmtRecord>& added) {
    if (previous.find_first_not_of(" \t\r\n") == std::string_view::npos)
        return CmtRecordsText(added, true);
    const CmtHistory held = CmtHistory::FromText(previous);
    std::vector<CmtRecord> after;
    for (const CmtRecord& rec : added)
        if (held.Size() == 0 || rec.date > held.Last())
            after.push_back(rec);
    std::string out(previous);
    if (out.back() != '\n')
        out += '\n';
    return out + CmtRecordsText(after, false);
}

std::string AddedSummary(const HistoryMerge& merge) {
    const size_t n = merge.added.size();
    if (n == 0)
        return "Added no days: the history already holds every day to " + Us(merge.newestHeld) + ".";
    std::string s = "Added " + std::to_string(n) + (n == 1 ? " day, " : " days, ") + Us(merge.added.front().date);
    if (n > 1)
        s += " to " + Us(merge.added.back().date);
    return s + ".";
}

} // namespace yarrow
