// The Treasury history reader on any bytes, in its text form and its compact form: it reads them
// or refuses them with a CmtHistoryError, and every day it keeps can be asked for.

#include "FuzzInput.h"
#include "core/data/CmtHistory.h"

using namespace yarrow;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes = fuzz::Text(data, size);
    try {
        const CmtHistory history = CmtHistory::FromBytes(bytes);
        for (size_t k = 0; k < history.Size(); ++k) {
            fuzz::Require(k == 0 || history.DayAt(k - 1) < history.DayAt(k));
            for (int s = 0; s < kFrbSeriesCount; ++s)
                (void)history.RateAt(k, s);
        }
        // The compact form the build makes holds the same records.
        fuzz::Require(CmtHistory::FromCompact(history.ToCompact()).Size() == history.Size());
        if (history.Size() > 0) {
            (void)history.DayOf(history.First());
            (void)history.DayOf(history.Last() + std::chrono::days(40));
        }
    } catch (const CmtHistoryError&) {
    }
    return 0;
}
