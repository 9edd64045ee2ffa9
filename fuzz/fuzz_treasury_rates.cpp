// A downloaded rates file, in the Treasury's yearly layout or as one FRED series: any text ends in
// days in rising order with rates in the accepted range, or in a refusal naming the file.
// Input: the first byte picks the layout (even: Treasury; odd: FRED, the series by the byte), the
// rest is the file.

#include "FuzzInput.h"
#include "core/data/CmtHistory.h"
#include "core/data/TreasuryHistory.h"

using namespace yarrow;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const std::string text = fuzz::Text(data + 1, size - 1);
    try {
        const RatesFile file = data[0] % 2 == 0
                                   ? ParseTreasuryRates(text, "fuzz")
                                   : ParseFredSeries(text, "fuzz", kCmtFileCodes[(data[0] / 2) % kCmtFileSeries]);
        for (size_t k = 0; k < file.records.size(); ++k) {
            fuzz::Require(k == 0 || file.records[k - 1].date < file.records[k].date);
            fuzz::Require(!file.records[k].Empty());
            for (int16_t r : file.records[k].rates)
                fuzz::Require(r == CmtHistory::kAbsent || (r >= kLowestRate && r <= kHighestRate));
        }
        // What is read is written back in the bundled layout and read again unchanged.
        const std::string lines = CmtRecordsText(file.records, true);
        const CmtHistory again = CmtHistory::FromText(lines);
        fuzz::Require(again.Size() == file.records.size());
    } catch (const RatesFileError& e) {
        fuzz::Require(std::string(e.what()).rfind("fuzz", 0) == 0);
    }
    return 0;
}
