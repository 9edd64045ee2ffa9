#pragma once

#include "core/data/CmtHistory.h"
#include "core/data/TreasuryRates.h"

#include <string>
#include <string_view>
#include <vector>

namespace yarrow {

// The user's own history, where updates go: $XDG_DATA_HOME/yarrow/treasury-cmt-daily.tsv, with
// XDG_DATA_HOME ~/.local/share when unset or not absolute. Same format as the bundled text.
std::string UserHistoryFile();

// The history every reader sees: the bundled days, then the user's days after them. A missing
// user file adds nothing; an unreadable one raises CmtHistoryError naming it.
CmtHistory LoadTreasuryHistory(const std::string& bundledFile, const std::string& userFile);
// CmtHistoryFile() and UserHistoryFile().
CmtHistory LoadTreasuryHistory();

// What an update adds to the history held: the days after its newest day, and the days of the
// overlap where the source says otherwise than the history (kept as held).
struct HistoryMerge {
    Date newestHeld{};
    std::vector<CmtRecord> added;
    std::vector<std::string> disagreements; // "07/10/2025 DGS10: held 4.35, the source 4.36"
};

// `fetched` in rising order, as the parsers give it.
HistoryMerge MergeNewDays(const CmtHistory& held, const std::vector<CmtRecord>& fetched);

// The days of several one-series files (FRED) as days of all their series; days in rising order.
std::vector<CmtRecord> JoinSeries(const std::vector<RatesFile>& files);

// The records as lines of the bundled layout, the header line first when `header`.
std::string CmtRecordsText(const std::vector<CmtRecord>& records, bool header);

// The user file after an update: its previous text (empty when there was none; read first, so a
// damaged file raises CmtHistoryError and is not written over), then the added days.
std::string UserHistoryText(std::string_view previous, const std::vector<CmtRecord>& added);

// "Added 356 days, 07/14/2025 to 12/08/2026." or, when nothing is new, that the history is
// already up to date.
std::string AddedSummary(const HistoryMerge& merge);

} // namespace yarrow
