#pragma once

// Building the same coupon bond on both sides: a Yarrow qalBond from date texts, and a QuantLib
// FixedRateBond whose schedule starts at the bond's last coupon date and is generated backward
// from the maturity without month-end rolling.

#include "core/bond/qalBond.h"
#include "core/text/Dates.h"

#include <memory>
#include <ql/instruments/bonds/fixedratebond.hpp>
#include <ql/time/calendars/nullcalendar.hpp>
#include <ql/time/daycounters/actualactual.hpp>
#include <ql/time/schedule.hpp>
#include <string>
#include <vector>

namespace yarrow::peer {

inline QuantLib::Date ToQl(Date d) {
    return QuantLib::Date(static_cast<QuantLib::Day>(Day(d)), static_cast<QuantLib::Month>(Month(d)),
                          static_cast<QuantLib::Year>(Year(d)));
}

inline std::string Text(Date d) {
    return ShortDate(d, DateOrder::MonthFirst);
}

struct BondCase {
    Date today;
    Date maturity;
    float coupon; // percent
    float clean;  // percent of face
};

// Our side: a bond with computed coupon dates (handed back in last/next).
inline void MakeOurs(qalBond& bond, const BondCase& c, std::string& last, std::string& next) {
    last.clear();
    next.clear();
    bond.SetTBond(Text(c.maturity), Text(c.today), c.clean, c.coupon, 2, last, next, 100);
}

// The coupon dates our schedule pays on, from the next coupon date on.
inline std::vector<Date> OurPaymentDates(const std::string& next, Date maturity) {
    std::vector<Date> dates;
    for (Date d = CDate(next, DateOrder::MonthFirst); d <= maturity; d = AddMonths(d, 6))
        dates.push_back(d);
    return dates;
}

inline QuantLib::Schedule QlSchedule(Date effective, Date maturity) {
    return QuantLib::Schedule(ToQl(effective), ToQl(maturity), QuantLib::Period(QuantLib::Semiannual),
                              QuantLib::NullCalendar(), QuantLib::Unadjusted, QuantLib::Unadjusted,
                              QuantLib::DateGeneration::Backward, false);
}

// True when both sides pay on the same dates: our six-month steps keep a clipped day clipped,
// QuantLib counts every date back from the maturity.
inline bool SameSchedule(const QuantLib::Schedule& s, const std::vector<Date>& ours) {
    const auto& dates = s.dates();
    if (dates.size() != ours.size() + 1)
        return false;
    for (size_t i = 0; i < ours.size(); ++i)
        if (dates[i + 1] != ToQl(ours[i]))
            return false;
    return true;
}

inline QuantLib::ext::shared_ptr<QuantLib::FixedRateBond> QlBond(const QuantLib::Schedule& s,
                                                                 double couponFraction) {
    return QuantLib::ext::make_shared<QuantLib::FixedRateBond>(
        0, 100.0, s, std::vector<QuantLib::Rate>{couponFraction},
        QuantLib::ActualActual(QuantLib::ActualActual::ISMA), QuantLib::Unadjusted, 100.0, s.dates().front());
}

} // namespace yarrow::peer
