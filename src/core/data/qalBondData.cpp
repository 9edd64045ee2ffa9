#include "core/data/qalBondData.h"

#include "core/bond/qalBond.h"
#include "core/data/DataGridColumns.h"
#include "core/data/Session.h"
#include "core/grid/GridModel.h"
#include "core/seams/Dialogs.h"
#include "core/text/NumberText.h"
#include "core/numeric/Precision.h"
#include "core/text/RuntimeError.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace yarrow {

namespace {

bool IsBillByName(const std::string& name) {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.find("bill") != std::string::npos || name.find("TD") != std::string::npos;
}

} // namespace

bool IsBlankName(const std::string& name) {
    return name.find_first_not_of(" \t\r\n") == std::string::npos;
}

int NamedRowCount(const GridModel& grid) {
    if (grid.Cols() <= cName)
        return 0;
    int count = 0;
    for (int r = 2; r < grid.Rows() && !IsBlankName(grid.TextMatrix(r, cName)); ++r)
        ++count;
    return count;
}

void BuildBondTable(Session& session, const GridModel& grid, const std::string& quoteDateText) {
    // The table grows one converted row at a time, so whatever stops the construction (the end of
    // the names or a row that fails) leaves nBonds counting exactly the bonds held.
    session.ClearBonds();
    session.tableDate = quoteDateText;
    const int rows = grid.Rows() - 2;
    if (rows < 0)
        throw RuntimeError::SubscriptOutOfRange();
    const int16_t count = CInt(rows);
    session.Bonds.reserve(static_cast<size_t>(count) + 1);

    for (int i = 1; i <= count; ++i) {
        const int r = i + 1;
        const std::string& name = grid.TextMatrix(r, cName);
        if (IsBlankName(name))
            break;
        auto bond = std::make_unique<qalBond>(&session);
        bond->SetBondName(name);

        bool bill = IsBillByName(name);
        double coupon = 0;
        double quote = 0;
        if (!bill) {
            coupon = Val(grid.TextMatrix(r, cCoupon));
            quote = Val(grid.TextMatrix(r, cPrice));
            // A zero coupon with a quote under 10 looks like a discount rate rather than a price.
            if (coupon == 0 && quote < 10)
                bill = session.dialogs &&
                       session.dialogs->AskYesNo("Is " + name + " a Treasury bill (or time deposit)?",
                                                 kMessageTitle);
        }
        if (bill) {
            bond->SetTBill(grid.TextMatrix(r, cMaturity), quoteDateText,
                           CSng(Val(grid.TextMatrix(r, cPrice))), 100.0f);
        } else {
            std::string lastCoupon;
            std::string nextCoupon;
            bond->SetTBond(grid.TextMatrix(r, cMaturity), quoteDateText, CSng(quote), CSng(coupon), 2,
                           lastCoupon, nextCoupon, 100.0f);
        }
        session.Bonds.push_back(std::move(bond));
        session.nBonds = static_cast<int16_t>(i);
    }
}

} // namespace yarrow
