#include "core/data/qalBondData.h"

#include "core/bond/LinearInterpolate.h"
#include "core/bond/qalBond.h"
#include "core/data/DataGridColumns.h"
#include "core/data/Session.h"
#include "core/grid/GridModel.h"
#include "core/seams/Dialogs.h"
#include "core/text/NumberText.h"
#include "core/text/Precision.h"
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

void BootstrapZeroCurve(Session& session, int16_t CompFreq) {
    session.ZeroYields.Redim(session.nBonds);
    session.ZeroTimes.Redim(session.nBonds);
    int16_t nDone = 0;
    if (session.nBonds < 1)
        return;
    for (int k = 1; k <= session.nBonds; ++k) {
        session.BondOrNew(k).BootStrapNewton(session.ZeroYields, session.ZeroTimes, nDone, CompFreq);
        if (nDone < k)
            break;
    }
}

double ZeroCurvePV(const Session* session, float cf, float t) {
    if (!session)
        return cf;
    const int n = std::min(
        {static_cast<int>(session->nBonds), session->ZeroYields.UBound(), session->ZeroTimes.UBound()});
    if (n < 0)
        return cf;
    const float z = LinearInterpolate(session->ZeroYields, session->ZeroTimes, static_cast<int16_t>(n), t,
                                      session->events);
    return cf * Exp(-static_cast<double>(t) * z);
}

void Forwards(Array1<float>& ZeroYields, const Array1<float>& ZeroTimes, int16_t N, int16_t CompFreq) {
    if (N < 1)
        return;
    const Array1<float>& Z = ZeroYields;
    const Array1<float>& T = ZeroTimes;
    Array1<float> F(N);
    F(1) = Z(1);
    if (CompFreq > 0) {
        const double m = CompFreq;
        for (int i = 2; i <= N; ++i) {
            float a = CSng(Pow(1 + Z(i) / m, m * T(i)));
            a = CSng(Divide(a, Pow(1 + Z(i - 1) / m, m * T(i - 1))));
            a = CSng(Pow(a, Divide(1.0, (static_cast<double>(T(i)) - T(i - 1)) * m)));
            F(i) = CSng((a - 1.0) * m);
        }
    } else {
        for (int i = 2; i <= N; ++i) {
            const double span = static_cast<double>(T(i)) - T(i - 1);
            F(i) = CSng(
                Divide(static_cast<double>(T(i)) * Z(i) - static_cast<double>(T(i - 1)) * Z(i - 1), span));
        }
    }
    for (int i = 1; i <= N; ++i)
        ZeroYields(i) = F(i);
}

void Forwards(Session& session, int16_t CompFreq) {
    Forwards(session.ZeroYields, session.ZeroTimes, session.nBonds, CompFreq);
}

} // namespace yarrow
