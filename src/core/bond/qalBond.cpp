#include "core/bond/qalBond.h"

#include "core/numeric/LinearInterpolate.h"
#include "core/seams/PendingEvents.h"
#include "core/text/RuntimeError.h"
#include "core/numeric/Precision.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace yarrow {

namespace {

// CSng for the pricing loops, inline: a value beyond the single range (or no number) raises
// Overflow.
inline float Sng(double x) {
    if (!(std::fabs(x) <= static_cast<double>(std::numeric_limits<float>::max())))
        throw RuntimeError::Overflow();
    return static_cast<float>(x);
}

// True when every double within `slack` of q rounds to the same single as q. Both neighbours of
// a positive normal single differ from it by one in the bit pattern, and the rounding boundaries
// (half-way points) are exact doubles.
inline bool RoundsAlike(double q, double slack) {
    const float f = static_cast<float>(q);
    if (!(f > std::numeric_limits<float>::min()) || !(f < std::numeric_limits<float>::max()))
        return false;
    const auto bits = std::bit_cast<uint32_t>(f);
    const double up = std::bit_cast<float>(bits + 1);
    const double down = std::bit_cast<float>(bits - 1);
    const double fd = f;
    return (fd + up) * 0.5 - q > slack && q - (fd + down) * 0.5 > slack;
}

} // namespace

qalBond::qalBond(const BondContext* context) : session_(context) {}

DateOrder qalBond::order() const {
    return session_ ? session_->dateOrder : DateOrder::MonthFirst;
}

PendingEvents* qalBond::events() const {
    return session_ ? session_->events : nullptr;
}

Date qalBond::ReadDate(const std::string& text) const {
    return CDate(text, order());
}

// The default conversion of a date to text: the short date in the program order.
std::string qalBond::DateText(Date d) const {
    return ShortDate(d, order());
}

void qalBond::setQuote(double xQte) {
    QuoteValue = CSng(xQte);
}

void qalBond::SetBondName(const std::string& strName) {
    BondName = strName;
}

// Both texts are rewritten in the program date format; a maturity that reads as an earlier year
// than the quote date (a two-digit year taken as 19xx) moves on one century, once.
void qalBond::FixCentury(std::string& strMaturity, std::string& strToday) {
    const std::string format = DateFormatText(order());
    const Date today = ReadDate(strToday);
    strToday = FormatDate(today, format);
    Date maturity = ReadDate(strMaturity);
    if (Year(maturity) < Year(today))
        maturity = AddYears(maturity, 100);
    strMaturity = FormatDate(maturity, format);
    MaturityText = strMaturity;
}

void qalBond::SetMaturityDays(const std::string& strMaturity, const std::string& strToday) {
    DaysToMaturity = CSng(DaysBetween(ReadDate(strMaturity), ReadDate(strToday)));
    YearsToMaturity = CSng(DaysToMaturity / 365.0);
}

void qalBond::SetTBill(std::string strMaturity, std::string strToday, float Quote, float face) {
    BondType = TBILL;
    FixCentury(strMaturity, strToday);
    SetMaturityDays(strMaturity, strToday);
    QuoteValue = Quote;
    Face = face;
    NumFlows = 1;
    CashFlow.Redim(1);
    CashTime.Redim(1);
    CashFlow(1) = Face;
    CashTime(1) = YearsToMaturity;
}

void qalBond::SetTBond(std::string strMaturity, std::string strToday, float Quote, float coup,
                       int16_t coupfreq, std::string& strLastCoupon, std::string& strNextCoupon, float face) {
    BondType = TBOND;
    FixCentury(strMaturity, strToday);
    SetMaturityDays(strMaturity, strToday);
    Face = face > 0 ? face : 100.0f;
    QuoteValue = Quote;
    Coupon = CSng(coup / 100.0);
    CouponFreq = coupfreq > 0 ? coupfreq : 2.0f;

    const Date today = ReadDate(strToday);
    if (strLastCoupon.empty())
        CouponDates(strToday, strMaturity, strNextCoupon, strLastCoupon);
    DaysSinceCoupon = DaysBetween(today, ReadDate(strLastCoupon));
    if (strNextCoupon.empty())
        CouponDates(strToday, strMaturity, strNextCoupon, strLastCoupon);
    const Date next = ReadDate(strNextCoupon);
    DaysToCoupon = CSng(DaysBetween(next, today));

    // Dates step six months at a time from the previous step's result, so a day clipped at a
    // short month stays clipped (31 Aug, 28 Feb, 28 Aug).
    const Date maturity = ReadDate(strMaturity);
    int count = 1;
    for (Date d = AddMonths(next, 6); d <= maturity; d = AddMonths(d, 6))
        ++count;
    NumFlows = CInt(count);
    CashFlow.Redim(NumFlows);
    CashTime.Redim(NumFlows);

    CashFlow(1) = CSng(static_cast<double>(Coupon) * Face / CouponFreq);
    CashTime(1) = CSng(DaysToCoupon / 365.0);
    Date d = next;
    for (int i = 2; i <= NumFlows; ++i) {
        CashFlow(i) = CashFlow(1);
        d = AddMonths(d, 6);
        int32_t days = DaysBetween(d, today);
        // A coupon date before the quote date is taken for a day and month read the wrong way
        // round: the exchanged date stands and the schedule goes on from it.
        if (days < 0 && Day(d) <= 12) {
            d = MakeDate(Year(d), Day(d), Month(d));
            days = DaysBetween(d, today);
        }
        CashTime(i) = CSng(days / 365.0);
    }
    CashFlow(NumFlows) = CSng(static_cast<double>(CashFlow(NumFlows)) + Face);
}

void qalBond::SetCashFlows(const Array1<float>& t, const Array1<float>& c, int16_t nf) {
    if (nf < 0)
        throw RuntimeError::SubscriptOutOfRange();
    BondType = CFSTREAM;
    NumFlows = nf;
    CashTime.Redim(nf);
    CashFlow.Redim(nf);
    for (int i = 1; i <= nf; ++i) {
        CashTime(i) = t(i);
        CashFlow(i) = c(i);
    }
}

void qalBond::CouponDates(const std::string& tdyDate, const std::string& futDate, std::string& nextDate,
                          std::string& lastDate) {
    const Date today = ReadDate(tdyDate);
    const Date maturity = ReadDate(futDate);
    // The maturity's anniversary in the quote year; 29 February becomes the 28th in other years.
    Date a = AddYears(maturity, Year(today) - Year(maturity));
    const double p = CSng(Divide(365.0, CouponFreq));
    const double todayDays = today.time_since_epoch().count();
    if (a.time_since_epoch().count() - p > todayDays)
        a = AddYears(a, -1);
    if (todayDays - p > a.time_since_epoch().count())
        a = AddYears(a, 1);
    a = ReadDate(DateText(a));
    const int months = CInt(Divide(12.0, CouponFreq));
    // The periods are counted from the anniversary a. Comparing with 365 / CouponFreq days alone
    // misplaces a day or two around coupon dates whose half-year is 181 or 184 days long (a last
    // coupon after the quote date, dropping the one due next; a next coupon on or before it), so
    // the pair is moved until last <= today < next.
    int k = a > today ? -1 : 0;
    while (months > 0 && AddMonths(a, (k + 1) * months) <= today)
        ++k;
    while (months > 0 && AddMonths(a, k * months) > today)
        --k;
    lastDate = DateText(AddMonths(a, k * months));
    nextDate = DateText(AddMonths(a, (k + 1) * months));
}

// ---- Price, yield and risk measures ----

float qalBond::GetPrice() {
    if (BondType == TBILL) {
        PriceValue = BillPrice();
        return PriceValue;
    }
    if (BondType == TBOND) {
        PriceValue = BondFullPrice();
        return PriceValue;
    }
    if (BondType == CFSTREAM)
        return FlowsPrice();
    return 0;
}

float qalBond::GetYTM() {
    if (BondType == TBILL) {
        YieldValue = BillYield();
        return YieldValue;
    }
    if (BondType == TBOND || BondType == CFSTREAM) {
        YieldValue = SolveYield();
        return YieldValue;
    }
    return 0;
}

float qalBond::GetDollarDuration() {
    CalcDollarMeasures();
    return DollarDuration;
}

float qalBond::GetDollarConvexity() {
    CalcDollarMeasures();
    return DollarConvexity;
}

float qalBond::BillPrice() const {
    if (BondType != TBILL)
        return 0;
    const float r = CSng(QuoteValue / 100.0);
    return CSng(Face * (1 - (DaysToMaturity / 360.0) * r));
}

float qalBond::BillYield() const {
    const float price = BillPrice();
    if (DaysToMaturity <= 180) {
        const float gain = CSng(Divide(Face - static_cast<double>(price), price));
        const float perYear = CSng(Divide(1.0, YearsToMaturity));
        return CSng(static_cast<double>(gain) * perYear);
    }
    // The positive root of a*y^2 + b*y + c0 = 0: bond-equivalent yield beyond half a year.
    const float a = CSng(DaysToMaturity / 730.0 - 0.25);
    const float b = CSng(DaysToMaturity / 365.0);
    const float c0 = CSng(1 - Divide(Face, price));
    const double b2 = static_cast<double>(b) * b;
    return CSng(Divide(-b + Sqr(b2 - 4.0 * a * c0), 2.0 * a));
}

float qalBond::BondFullPrice() {
    const float coupon = CSng(static_cast<double>(Coupon) * Face / CouponFreq);
    Accrued = CSng(Divide(coupon * DaysSinceCoupon, DaysSinceCoupon + DaysToCoupon));
    return CSng(Face / 100.0 * QuoteValue + Accrued);
}

float qalBond::PriceFromYield(float y) const {
    if (BondType == TBOND) {
        const double base = 1 + y / static_cast<double>(CouponFreq);
        const double w = Divide(DaysToCoupon, DaysSinceCoupon + DaysToCoupon);
        // Each term is cf / base^(i-1) rounded to single. The powers are built by products; a term
        // whose single could differ from the one std::pow gives (products drift by at most one
        // rounding each) is recomputed with std::pow. The running sum is a single addition: a
        // single sum taken in double and rounded back is the single sum itself (53 >= 2 * 24 + 2),
        // only an overflow needs the plain rule to raise its error.
        const float* cf = &CashFlow(0);
        float sum = 0;
        double power = 1;
        for (int i = 1; i <= NumFlows; ++i) {
            const double q = cf[i] / power;
            const double slack = std::fabs(q) * (i + 8) * 0x1p-51;
            sum += RoundsAlike(q, slack) ? static_cast<float>(q) : Sng(cf[i] / Pow(base, i - 1));
            power *= base;
        }
        if (!(std::fabs(sum) < std::numeric_limits<float>::max()))
            return PlainBondPriceFromYield(y);
        return Sng(sum / Pow(base, w));
    }
    if (BondType == CFSTREAM) {
        float sum = 0;
        for (int i = 1; i <= NumFlows; ++i) {
            const float term = Sng(CashFlow(i) * Exp(-static_cast<double>(y) * CashTime(i)));
            sum = Sng(static_cast<double>(sum) + term);
        }
        return sum;
    }
    return 0;
}

// The street rule as written, every power by std::pow and every sum through CSng.
float qalBond::PlainBondPriceFromYield(float y) const {
    const double base = 1 + y / static_cast<double>(CouponFreq);
    float sum = 0;
    for (int i = 1; i <= NumFlows; ++i)
        sum = Sng(static_cast<double>(sum) + Sng(CashFlow(i) / Pow(base, i - 1)));
    return Sng(sum / Pow(base, Divide(DaysToCoupon, DaysSinceCoupon + DaysToCoupon)));
}

// Equal coupons before the last flow, none negative: the schedule SetTBond builds.
bool qalBond::LevelCoupons() const {
    if (BondType != TBOND || NumFlows < 1)
        return false;
    const float coupon = CashFlow(1);
    for (int i = 1; i <= NumFlows; ++i) {
        const float cf = CashFlow(i);
        if (!(cf >= 0) || !std::isfinite(cf) || (i < NumFlows && cf != coupon))
            return false;
    }
    return true;
}

// The street price in closed form (a geometric sum), in double and without roundings to single.
double qalBond::ApproxBondPrice(float y) const {
    const double base = 1 + y / static_cast<double>(CouponFreq);
    const double v = 1 / base;
    const int n = NumFlows;
    const double vLast = std::pow(v, n - 1);
    double sum = CashFlow(n) * vLast;
    if (n > 1)
        sum += CashFlow(1) * (1 - vLast) / (1 - v);
    return sum / std::pow(base, Divide(DaysToCoupon, DaysSinceCoupon + DaysToCoupon));
}

// Bisection on 0.0001..0.99. The test is on the price difference, which single-precision prices
// rarely meet exactly, so the halvings usually run their hundred; once the bracket has shrunk to
// neighbouring singles the midpoint repeats, and its price is not evaluated again.
//
// Far from the root only the sign of the difference matters. For a level-coupon bond the single
// price differs from the exact one by at most (n + 2) roundings of 2^-24 (all terms positive), so
// where the closed form is further than that (and 1e-5) from the price, its sign is the sign the
// single evaluation would give, and that evaluation is skipped.
float qalBond::SolveYield() {
    const float price = GetPrice();
    PriceValue = price;
    float lo = 0.0001f;
    float hi = 0.99f;
    float flo = Sng(static_cast<double>(PriceFromYield(lo)) - price);
    const float fhi = Sng(static_cast<double>(PriceFromYield(hi)) - price);
    if (Sng(static_cast<double>(flo) * fhi) > 0)
        return -999;
    const bool screen = LevelCoupons() && std::fabs(price) < 1e15f;
    const double roundings = (NumFlows + 4) * 0x1p-24 * 1.01;
    float mid = 0;
    float lastMid = std::numeric_limits<float>::quiet_NaN();
    float lastF = 0;
    for (int iteration = 1; iteration <= 100; ++iteration) {
        mid = Sng((static_cast<double>(lo) + hi) * 0.5);
        float fmid;
        if (mid == lastMid) {
            fmid = lastF;
        } else {
            bool decided = false;
            // A product with a tiny flo could round to 0 with one magnitude and not another.
            if (screen && (flo == 0 || std::fabs(flo) > 1e-20f)) {
                const double approx = ApproxBondPrice(mid);
                const double gap = approx - price;
                if (approx < 1e15 && std::fabs(gap) > approx * roundings + 1e-9 + 1e-5) {
                    fmid = static_cast<float>(gap);
                    decided = true;
                }
            }
            if (!decided)
                fmid = Sng(static_cast<double>(PriceFromYield(mid)) - price);
            lastMid = mid;
            lastF = fmid;
        }
        if (std::fabs(fmid) < 0.000001f)
            return mid;
        if (Sng(static_cast<double>(fmid) * flo) > 0) {
            lo = mid;
            flo = fmid;
        } else {
            hi = mid;
        }
    }
    DoEvents(events());
    return mid;
}

float qalBond::FlowsPrice() const {
    float sum = 0;
    for (int i = 1; i <= NumFlows; ++i)
        sum = CSng(sum + (session_ ? session_->ZeroCurvePV(CashFlow(i), CashTime(i)) : CashFlow(i)));
    return sum;
}

void qalBond::CalcDollarMeasures() {
    const float y = GetYTM();
    YieldValue = y;
    DollarDuration = 0;
    DollarConvexity = 0;
    for (int i = 1; i <= NumFlows; ++i) {
        const double t = CashTime(i);
        const float v = Sng(t * CashFlow(i) * Exp(-static_cast<double>(y) * t));
        DollarDuration = Sng(static_cast<double>(DollarDuration) + v);
        const float vt = Sng(v * t);
        DollarConvexity = Sng(static_cast<double>(DollarConvexity) + vt);
    }
    DoEvents(events());
}

// ---- Bootstrap ----

// Present value of flow i at rate r: compounding CompFreq times a year, or continuously.
double qalBond::FlowValue(int i, double rate, int16_t CompFreq) const {
    const double t = CashTime(i);
    if (CompFreq > 0) {
        const double m = CompFreq;
        return CashFlow(i) / Pow(1 + rate / m, m * t);
    }
    return CashFlow(i) * Exp(-t * rate);
}

double qalBond::CurvePriceFrom(Array1<float>& ylds, Array1<float>& tme, int16_t nDone,
                               int16_t CompFreq) const {
    double sum = KnownValue;
    InterpolationCursor cursor;
    for (int i = KnownCount + 1; i <= NumFlows; ++i)
        sum += FlowValue(i, LinearInterpolate(ylds, tme, nDone, CashTime(i), events(), cursor), CompFreq);
    return sum;
}

double qalBond::CurvePriceBumped(Array1<float>& ylds, Array1<float>& tme, int16_t nDone, int16_t CompFreq,
                                 float& priceUp, float h) const {
    const double price = CurvePriceFrom(ylds, tme, nDone, CompFreq);
    priceUp = KnownValue;
    InterpolationCursor cursor;
    for (int i = KnownCount + 1; i <= NumFlows; ++i) {
        const double rate = LinearInterpolate(ylds, tme, nDone, CashTime(i), events(), cursor);
        priceUp = CSng(priceUp + FlowValue(i, rate + h, CompFreq));
    }
    return price;
}

void qalBond::BootStrapNewton(Array1<float>& ylds, Array1<float>& tme, int16_t& nDone, int16_t CompFreq) {
    // Flows up to the last known maturity are valued off the known curve once.
    KnownCount = 0;
    const float lastKnown = tme(nDone);
    for (int i = 1; i <= NumFlows; ++i) {
        if (CashTime(i) > lastKnown) {
            KnownCount = CInt(i - 1);
            break;
        }
    }
    KnownValue = 0;
    InterpolationCursor cursor;
    for (int i = 1; i <= KnownCount; ++i) {
        const double rate = LinearInterpolate(ylds, tme, nDone, CashTime(i), events(), cursor);
        KnownValue = CSng(KnownValue + FlowValue(i, rate, CompFreq));
    }
    nDone = CInt(nDone + 1);
    tme(nDone) = YearsToMaturity;

    // Each iteration's guess depends on the previous guess alone, so once a guess repeats (a fixed
    // point that misses the tolerance, or two guesses taking turns) the guess of the hundredth
    // iteration is known without running the rest.
    constexpr float h = 0.000001f;
    float y = 0.05f;
    float previous = std::numeric_limits<float>::quiet_NaN();
    for (int iteration = 1; iteration <= 100; ++iteration) {
        ylds(nDone) = y;
        if (nDone == 1) {
            ylds(0) = y;
            tme(0) = YearsToMaturity;
        }
        float priceUp = 0;
        const double price = CurvePriceBumped(ylds, tme, nDone, CompFreq, priceUp, h);
        const float d = CSng(price - PriceValue);
        if (std::fabs(d) < 0.000001f)
            break;
        priceUp = CSng(static_cast<double>(priceUp) - PriceValue);
        const float slope = CSng((static_cast<double>(priceUp) - d) / 0.000001);
        const float nextGuess = CSng(y - Divide(d, slope));
        if (iteration < 100 && (nextGuess == y || nextGuess == previous)) {
            // Guesses from here on: nextGuess, y, nextGuess, ... (or y for ever).
            const float last = nextGuess == y || (100 - iteration) % 2 == 0 ? y : nextGuess;
            ylds(nDone) = last;
            if (nDone == 1)
                ylds(0) = last;
            break;
        }
        previous = y;
        y = nextGuess;
    }
}

} // namespace yarrow
