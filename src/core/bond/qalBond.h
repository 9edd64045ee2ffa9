#pragma once

#include "core/bond/BondContext.h"
#include "core/numeric/Precision.h"
#include "core/text/Dates.h"

#include <cstdint>
#include <string>

namespace yarrow {

class PendingEvents;

// One instrument: a Treasury bill quoted on a discount basis, a coupon bond quoted as a clean
// price in percent of face, or a stream of cash flows at given times. Values are single precision;
// the schedule (CashFlow, CashTime) is used from index 1, element 0 left empty.
//
// A bond reads its context (BondContext: the session it was made for) for the date order, the
// pending-events hook and the zero curve that prices a cash-flow stream. A bond made without one
// reads month-first dates, has no hook, and prices streams at zero rates. The context must
// outlive the bond.
//
// No method catches errors: a date text that is not a date raises TypeMismatch, a value beyond
// the single range Overflow, a zero divisor DivisionByZero, a bad index SubscriptOutOfRange.
class qalBond {
public:
    static constexpr int16_t TBILL = 0;
    static constexpr int16_t TBOND = 1;
    static constexpr int16_t CFSTREAM = 2;

    explicit qalBond(const BondContext* context = nullptr);

    // Replaces the quote without touching the schedule.
    void setQuote(double xQte);
    // A bill maturing on strMaturity, seen from strToday, at discount Quote (percent).
    // The face is kept as passed.
    void SetTBill(std::string strMaturity, std::string strToday, float Quote, float face);
    void SetBondName(const std::string& strName);

    // Price: bills by bank discount, bonds clean quote + accrued, streams off the zero curve.
    float GetPrice();
    // Dollar duration and convexity at the instance's own yield (each solves the yield again).
    float GetDollarDuration();
    float GetDollarConvexity();
    // Yield as a decimal fraction: bond-equivalent for bills, street convention for bonds,
    // continuous for streams; -999 when no yield in 0.0001..0.99 matches the price.
    float GetYTM();

    std::string GetName() const { return BondName; }
    float GetCoupon() const { return Coupon; } // a fraction: 0.045 for 4.5 percent
    std::string GetMaturity() const { return MaturityText; }
    float GetQuote() const { return QuoteValue; }

    // A coupon bond: Quote is the clean price in percent of face, coup the coupon in percent per
    // year. Empty coupon-date texts are computed (CouponDates) and handed back filled.
    // face <= 0 (or NaN) means 100; coupfreq <= 0 means 2.
    void SetTBond(std::string strMaturity, std::string strToday, float Quote, float coup, int16_t coupfreq,
                  std::string& strLastCoupon, std::string& strNextCoupon, float face);
    // A stream of nf flows: amounts c(i) at times t(i) in years, i = 1..nf.
    void SetCashFlows(const Array1<float>& t, const Array1<float>& c, int16_t nf);
    // The coupon dates on either side of tdyDate for a bond maturing on futDate; a coupon due on
    // tdyDate itself is the last one. Written as short dates in the program order.
    void CouponDates(const std::string& tdyDate, const std::string& futDate, std::string& nextDate,
                     std::string& lastDate);
    float GetYearsToMaturity() const { return YearsToMaturity; }

    // One bootstrap step: adds the zero rate at this bond's maturity to the caller's curve
    // (ylds/tme at indexes 0..nDone, capacity beyond), so that the curve reprices the bond's
    // PriceValue (GetPrice must have run). nDone is incremented. CompFreq > 0: compounding that
    // many times a year; <= 0: continuous.
    void BootStrapNewton(Array1<float>& ylds, Array1<float>& tme, int16_t& nDone, int16_t CompFreq);

    // Read access to the record, for listings, the analytics panel and tests.
    int16_t bondType() const { return BondType; }
    float face() const { return Face; }
    float couponFreq() const { return CouponFreq; }
    float daysToMaturity() const { return DaysToMaturity; }
    double daysSinceCoupon() const { return DaysSinceCoupon; }
    float daysToCoupon() const { return DaysToCoupon; }
    float accrued() const { return Accrued; }
    float dollarDuration() const { return DollarDuration; }
    float dollarConvexity() const { return DollarConvexity; }
    float priceValue() const { return PriceValue; }
    float yieldValue() const { return YieldValue; }
    int16_t numFlows() const { return NumFlows; }
    float cashFlow(int i) const { return CashFlow(i); }
    float cashTime(int i) const { return CashTime(i); }
    float knownValue() const { return KnownValue; }
    int16_t knownCount() const { return KnownCount; }

private:
    DateOrder order() const;
    PendingEvents* events() const;
    Date ReadDate(const std::string& text) const;
    std::string DateText(Date d) const;

    void FixCentury(std::string& strMaturity, std::string& strToday);
    void SetMaturityDays(const std::string& strMaturity, const std::string& strToday);

    float BillPrice() const;
    float BillYield() const;
    float BondFullPrice();
    float PriceFromYield(float y) const;
    float PlainBondPriceFromYield(float y) const;
    bool LevelCoupons() const;
    double ApproxBondPrice(float y) const;
    float SolveYield();
    float FlowsPrice() const;
    void CalcDollarMeasures();

    double FlowValue(int i, double rate, int16_t CompFreq) const;
    double CurvePriceFrom(Array1<float>& ylds, Array1<float>& tme, int16_t nDone, int16_t CompFreq) const;
    double CurvePriceBumped(Array1<float>& ylds, Array1<float>& tme, int16_t nDone, int16_t CompFreq,
                            float& priceUp, float h) const;

    const BondContext* session_ = nullptr;

    int16_t BondType = TBILL;
    std::string BondName;
    float Face = 0;
    float Coupon = 0;
    float CouponFreq = 0;
    std::string MaturityText;
    float YearsToMaturity = 0;
    float DaysToMaturity = 0;
    double DaysSinceCoupon = 0;
    float DaysToCoupon = 0;
    float Accrued = 0;
    float DollarDuration = 0;
    float DollarConvexity = 0;
    float QuoteValue = 0;
    float PriceValue = 0;
    float YieldValue = 0;
    Array1<float> CashFlow;
    Array1<float> CashTime;
    int16_t NumFlows = 0;
    float KnownValue = 0;
    int16_t KnownCount = 0;
};

} // namespace yarrow
