#pragma once

#include "core/bond/BondContext.h"
#include "core/bond/qalBond.h"
#include "core/text/Dates.h"
#include "core/numeric/Precision.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace yarrow {

class Dialogs;
class PendingEvents;

// Application-wide state, created once by main (or by each test) and passed by reference:
// the program date order, the seams, the shared quote date, the bond table and the zero curve.
// Bonds keep a pointer to the session they were made for, so it is neither copied nor moved.
//
//     Session session;
//     session.dateOrder = SystemDateOrder();   // the program date format
//     session.dialogs = &dialogs;              // questions of BuildBondTable
//     session.events = &pump;                  // long loops call it
//     BuildBondTable(session, grid, quoteDateText);
//     for (int i = 1; i <= session.nBonds; ++i) session.Bond(i).GetYTM();
class Session : public BondContext {
public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // dateOrder, the program date format (DateOrder::MonthFirst is "mm/dd/yyyy", DayFirst
    // "dd/mm/yyyy"), events, nBonds and the zero curve come from BondContext: the bonds read them.
    std::string DateFormat() const { return DateFormatText(dateOrder); }

    // Seams; either may stay null: without dialogs BuildBondTable's question is answered No,
    // without events the long loops pump nothing.
    Dialogs* dialogs = nullptr;

    // The shared quote date text that the Federal Reserve source writes (the date of its latest
    // 3-month observation, as found in the file).
    std::string quoteDate;

    // The quote date text the bond table was last built for (empty before the first table).
    std::string tableDate;

    // The letter of rows in the spreadsheet link's row-column references: "R", or "F" for a
    // Spanish-language spreadsheet. Empty until the first "Find Excel Sheets".
    std::string RowLetter;

    // The bond table: bond i is Bonds[i] for i = 1..nBonds; Bonds[0] is always empty, and
    // Bonds.size() is nBonds + 1. Rebuilt whole by BuildBondTable.
    std::vector<std::unique_ptr<qalBond>> Bonds;

    // The zero curve: rates (decimal fractions) and times in years at indexes 0..nBonds after
    // BootstrapZeroCurve; a single zero point until the first bootstrap. Names for zeroCurve's arrays.
    Array1<float>& ZeroYields = zeroCurve.ZeroYields;
    Array1<float>& ZeroTimes = zeroCurve.ZeroTimes;

    // Bond i of the table (1..nBonds); raises SubscriptOutOfRange for any other index or a slot
    // that holds no bond.
    qalBond& Bond(int i) const;
    // The same, first putting an empty bond into a slot that holds none, as the panels and the
    // bootstrap do before they ask a bond anything. Raises SubscriptOutOfRange outside 1..nBonds.
    qalBond& BondOrNew(int i);
    // Empties the table (nBonds = 0, only slot 0).
    void ClearBonds();
};

} // namespace yarrow
