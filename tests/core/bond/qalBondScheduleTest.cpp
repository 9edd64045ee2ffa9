#include "core/bond/qalBond.h"
#include "core/data/Session.h"
#include "core/text/RuntimeError.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace yarrow {
namespace {

struct ScheduleCase {
    const char* today;
    const char* maturity;
    const char* next;
    const char* last;
};

// Coupon dates around the quote date, month-first program order.
class CouponDatesTest : public ::testing::TestWithParam<ScheduleCase> {};

TEST_P(CouponDatesTest, BracketTheQuoteDate) {
    const auto& c = GetParam();
    qalBond bond;
    std::string last;
    std::string next;
    bond.SetTBond(c.maturity, c.today, 100, 5, 2, last, next, 100);
    EXPECT_EQ(next, c.next);
    EXPECT_EQ(last, c.last);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CouponDatesTest,
    ::testing::Values(
        // A coupon due on the quote date is the last coupon; the next is one period later.
        ScheduleCase{"11/15/2010", "11/15/2020", "5/15/2011", "11/15/2010"},
        ScheduleCase{"11/15/2010", "05/15/2020", "5/15/2011", "11/15/2010"},
        ScheduleCase{"05/15/2010", "11/15/2020", "11/15/2010", "5/15/2010"}, // 181-day half-year
        // A day either side of a coupon date whose half-year is 181 or 184 days long.
        ScheduleCase{"05/16/2010", "11/15/2020", "11/15/2010", "5/15/2010"},
        ScheduleCase{"11/17/2003", "05/18/2032", "11/18/2003", "5/18/2003"},
        ScheduleCase{"02/29/2000", "08/31/2025", "8/31/2000", "2/29/2000"},
        // Anniversary more than half a year ahead: it moves back one year.
        ScheduleCase{"01/10/2010", "12/15/2015", "6/15/2010", "12/15/2009"},
        // Anniversary more than half a year behind: it moves on one year.
        ScheduleCase{"12/20/2010", "01/15/2016", "1/15/2011", "7/15/2010"},
        // Month ends clip: 31 August less six months is the end of February.
        ScheduleCase{"03/15/2010", "08/31/2012", "8/31/2010", "2/28/2010"},
        ScheduleCase{"12/31/2010", "12/31/2011", "6/30/2011", "12/31/2010"}));

TEST(qalBondSchedule, CouponDatesAlwaysBracketTheQuoteDate) {
    int checked = 0;
    for (Date today = MakeDate(2000, 1, 1); today < MakeDate(2002, 1, 1); today += std::chrono::days(1)) {
        for (const Date maturity : {MakeDate(2025, 7, 15), MakeDate(2025, 8, 31), MakeDate(2025, 11, 30),
                                    MakeDate(2025, 3, 1), MakeDate(2025, 2, 28), MakeDate(2025, 5, 18)}) {
            qalBond bond;
            std::string last, next;
            bond.SetTBond(ShortDate(maturity, DateOrder::MonthFirst), ShortDate(today, DateOrder::MonthFirst),
                          100, 5, 2, last, next, 100);
            const Date l = CDate(last, DateOrder::MonthFirst);
            const Date n = CDate(next, DateOrder::MonthFirst);
            ASSERT_TRUE(l <= today && today < n)
                << ShortDate(today, DateOrder::MonthFirst) << ": " << last << " " << next;
            ASSERT_GE(DaysBetween(n, l), 181);
            ASSERT_LE(DaysBetween(n, l), 184);
            ASSERT_GE(bond.daysSinceCoupon(), 0.0);
            ASSERT_GT(bond.daysToCoupon(), 0.0f);
            ++checked;
        }
    }
    EXPECT_EQ(checked, 731 * 6);
}

TEST(qalBondSchedule, NextCouponAfterMaturityStillGivesOneFlow) {
    qalBond bond;
    std::string last = "05/15/2010";
    std::string next = "11/15/2011";
    bond.SetTBond("08/15/2011", "06/01/2010", 99, 4, 2, last, next, 100);
    ASSERT_EQ(bond.numFlows(), 1);
    EXPECT_FLOAT_EQ(bond.cashFlow(1), 102.0f);
    EXPECT_FLOAT_EQ(bond.cashTime(1), static_cast<float>(532 / 365.0));
}

TEST(qalBondSchedule, CouponOnMaturityIsCounted) {
    qalBond bond;
    std::string last;
    std::string next;
    bond.SetTBond("05/15/2011", "01/10/2010", 100, 6, 2, last, next, 100);
    // 5/15/2010, 11/15/2010, 5/15/2011
    ASSERT_EQ(bond.numFlows(), 3);
    EXPECT_FLOAT_EQ(bond.cashFlow(1), 3.0f);
    EXPECT_FLOAT_EQ(bond.cashFlow(2), 3.0f);
    EXPECT_FLOAT_EQ(bond.cashFlow(3), 103.0f);
    EXPECT_FLOAT_EQ(bond.cashTime(1), static_cast<float>(125 / 365.0));
    EXPECT_FLOAT_EQ(bond.cashTime(2), static_cast<float>(309 / 365.0));
    EXPECT_FLOAT_EQ(bond.cashTime(3), static_cast<float>(490 / 365.0));
    EXPECT_FLOAT_EQ(bond.daysToMaturity(), 490.0f);
    EXPECT_FLOAT_EQ(bond.GetYearsToMaturity(), static_cast<float>(490 / 365.0));
}

TEST(qalBondSchedule, LeapDayMaturityKeepsItsLastCouponInACommonQuoteYear) {
    // The anniversary of 29 February in 2011 is the 28th. Carried into 1 March instead, every
    // coupon date would fall a day after a month end, the one at maturity would pass it, and the
    // face would be paid half a year early.
    qalBond bond;
    std::string last;
    std::string next;
    bond.SetTBond("02/29/2016", "06/30/2011", 100, 4, 2, last, next, 100);
    EXPECT_EQ(last, "2/28/2011");
    EXPECT_EQ(next, "8/28/2011");
    ASSERT_EQ(bond.numFlows(), 10); // Aug 2011 .. Feb 2016
    EXPECT_FLOAT_EQ(bond.cashFlow(10), 102.0f);
    EXPECT_NEAR(bond.cashTime(10), bond.GetYearsToMaturity(), 1.5 / 365);
}

TEST(qalBondSchedule, ClippedDayStaysClipped) {
    qalBond bond;
    std::string last;
    std::string next;
    bond.SetTBond("08/31/2012", "03/15/2010", 100, 4, 2, last, next, 100);
    // 8/31/2010, 2/28/2011, 8/28/2011, 2/28/2012 (not the 29th), 8/28/2012
    ASSERT_EQ(bond.numFlows(), 5);
    const Date today = MakeDate(2010, 3, 15);
    const Date expected[] = {MakeDate(2010, 8, 31), MakeDate(2011, 2, 28), MakeDate(2011, 8, 28),
                             MakeDate(2012, 2, 28), MakeDate(2012, 8, 28)};
    for (int i = 1; i <= 5; ++i)
        EXPECT_FLOAT_EQ(bond.cashTime(i), static_cast<float>(DaysBetween(expected[i - 1], today) / 365.0))
            << "flow " << i;
    EXPECT_FLOAT_EQ(bond.cashFlow(5), 102.0f);
}

TEST(qalBondSchedule, InvalidFaceAndFrequencyAreReplaced) {
    for (float face : {0.0f, -5.0f, std::numeric_limits<float>::quiet_NaN()}) {
        qalBond bond;
        std::string last;
        std::string next;
        bond.SetTBond("05/15/2015", "05/15/2010", 100, 5, 0, last, next, face);
        EXPECT_FLOAT_EQ(bond.face(), 100.0f) << face;
        EXPECT_FLOAT_EQ(bond.couponFreq(), 2.0f);
        EXPECT_FLOAT_EQ(bond.cashFlow(1), 2.5f);
        EXPECT_EQ(bond.numFlows(), 10);
    }
    qalBond bond;
    std::string last;
    std::string next;
    bond.SetTBond("05/15/2015", "05/15/2010", 100, 4.5, -3, last, next, 50);
    EXPECT_FLOAT_EQ(bond.couponFreq(), 2.0f);
    EXPECT_FLOAT_EQ(bond.face(), 50.0f);
    EXPECT_FLOAT_EQ(bond.GetCoupon(), 0.045f);
    EXPECT_FLOAT_EQ(bond.cashFlow(10), 51.125f);
}

TEST(qalBondSchedule, BillKeepsFaceAsPassed) {
    qalBond bond;
    bond.SetTBill("06/30/2010", "03/31/2010", 5, 0);
    EXPECT_EQ(bond.bondType(), qalBond::TBILL);
    EXPECT_FLOAT_EQ(bond.face(), 0.0f);
    EXPECT_FLOAT_EQ(bond.GetPrice(), 0.0f);
    bond.SetTBill("06/30/2010", "03/31/2010", 5, -100);
    EXPECT_FLOAT_EQ(bond.cashFlow(1), -100.0f);
    EXPECT_FLOAT_EQ(bond.cashTime(1), bond.GetYearsToMaturity());
    EXPECT_FLOAT_EQ(bond.daysToMaturity(), 91.0f);
}

TEST(qalBondSchedule, CenturyCorrection) {
    qalBond bond;
    std::string last;
    std::string next;
    // "30" reads as 1930; earlier than the quote year, so it becomes 2030, once.
    bond.SetTBond("5/15/30", "1/10/2008", 100, 5, 2, last, next, 100);
    EXPECT_EQ(bond.GetMaturity(), "05/15/2030");
    bond.SetTBill("01/15/1900", "1/10/2008", 2, 100);
    EXPECT_EQ(bond.GetMaturity(), "01/15/2000");
    // Earlier in the same year: unchanged, a negative term.
    bond.SetTBill("1/5/2008", "1/10/2008", 2, 100);
    EXPECT_EQ(bond.GetMaturity(), "01/05/2008");
    EXPECT_FLOAT_EQ(bond.daysToMaturity(), -5.0f);
}

TEST(qalBondSchedule, DayFirstProgramOrder) {
    Session session;
    session.dateOrder = DateOrder::DayFirst;
    qalBond bond(&session);
    std::string last;
    std::string next;
    bond.SetTBond("15/11/2020", "01/06/2010", 100, 5, 2, last, next, 100);
    EXPECT_EQ(bond.GetMaturity(), "15/11/2020");
    EXPECT_EQ(next, "15/11/2010");
    EXPECT_EQ(last, "15/5/2010");
    EXPECT_FLOAT_EQ(bond.daysToCoupon(), 167.0f);
    EXPECT_EQ(bond.numFlows(), 21);
}

TEST(qalBondSchedule, GivenCouponDatesAreUsedAndFilledWhenMissing) {
    qalBond bond;
    std::string last = "02/15/2010"; // an odd first period the caller knows about
    std::string next;
    bond.SetTBond("11/15/2012", "05/01/2010", 100, 5, 2, last, next, 100);
    // The next coupon had to be computed, which rewrites the last one as well; the days since the
    // coupon keep the caller's date.
    EXPECT_EQ(next, "5/15/2010");
    EXPECT_EQ(last, "11/15/2009");
    EXPECT_DOUBLE_EQ(bond.daysSinceCoupon(), 75.0);
    EXPECT_FLOAT_EQ(bond.daysToCoupon(), 14.0f);
}

TEST(qalBondSchedule, ReversedCouponDateIsExchanged) {
    // A next coupon before the quote date: later dates that also fall before it are read as a day
    // and month the wrong way round, and the schedule continues from the exchanged date.
    qalBond bond;
    std::string last = "01/01/2010";
    std::string next = "01/03/2010";
    bond.SetTBond("12/31/2011", "10/01/2010", 100, 4, 2, last, next, 100);
    // 1/3/2010; 7/3/2010 is before 10/1/2010 and becomes 3/7/2010; six months on, 9/7/2010 is
    // still before it and becomes 7/9/2010; then 1/9/2011.
    const Date today = MakeDate(2010, 10, 1);
    ASSERT_EQ(bond.numFlows(), 4);
    EXPECT_FLOAT_EQ(bond.cashTime(1), static_cast<float>(-271 / 365.0));
    EXPECT_FLOAT_EQ(bond.cashTime(2), static_cast<float>(DaysBetween(MakeDate(2010, 3, 7), today) / 365.0));
    EXPECT_FLOAT_EQ(bond.cashTime(3), static_cast<float>(DaysBetween(MakeDate(2010, 7, 9), today) / 365.0));
    EXPECT_FLOAT_EQ(bond.cashTime(4), static_cast<float>(100 / 365.0));
}

TEST(qalBondSchedule, BadDatesRaiseTypeMismatch) {
    qalBond bond;
    std::string last;
    std::string next;
    EXPECT_THROW(
        {
            try {
                bond.SetTBond("not a date", "05/15/2010", 100, 5, 2, last, next, 100);
            } catch (const RuntimeError& e) {
                EXPECT_EQ(e.number(), 13);
                throw;
            }
        },
        RuntimeError);
    EXPECT_THROW(bond.SetTBill("06/30/2010", "", 5, 100), RuntimeError);
}

TEST(qalBondSchedule, CouponDatesOnANewInstanceDividesByZero) {
    qalBond bond;
    std::string next;
    std::string last;
    try {
        bond.CouponDates("05/15/2010", "11/15/2020", next, last);
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 11);
    }
}

TEST(qalBondSchedule, SettersReplaceTheScheduleWhole) {
    qalBond bond;
    std::string last;
    std::string next;
    bond.SetTBond("05/15/2040", "05/15/2010", 100, 5, 2, last, next, 100);
    EXPECT_EQ(bond.numFlows(), 60);
    Array1<float> t(2), c(2);
    t(1) = 0.5f;
    t(2) = 1.0f;
    c(1) = 10;
    c(2) = 20;
    bond.SetCashFlows(t, c, 2);
    EXPECT_EQ(bond.bondType(), qalBond::CFSTREAM);
    EXPECT_EQ(bond.numFlows(), 2);
    EXPECT_THROW(bond.cashFlow(3), RuntimeError);
    bond.SetTBill("06/30/2010", "03/31/2010", 5, 100);
    EXPECT_EQ(bond.numFlows(), 1);
    EXPECT_THROW(bond.cashFlow(2), RuntimeError);
    EXPECT_THROW(bond.SetCashFlows(t, c, 3), RuntimeError); // more flows than given
    EXPECT_THROW(bond.SetCashFlows(t, c, -1), RuntimeError);
}

TEST(qalBondSchedule, NewInstanceIsAnEmptyBill) {
    qalBond bond;
    EXPECT_EQ(bond.bondType(), qalBond::TBILL);
    EXPECT_FLOAT_EQ(bond.GetYearsToMaturity(), 0.0f);
    EXPECT_FLOAT_EQ(bond.GetPrice(), 0.0f);
    EXPECT_EQ(bond.numFlows(), 0);
}

TEST(qalBondSchedule, SetQuoteKeepsScheduleAndChecksRange) {
    qalBond bond;
    std::string last;
    std::string next;
    bond.SetTBond("05/15/2015", "05/15/2010", 100, 5, 2, last, next, 100);
    bond.setQuote(97.25);
    EXPECT_FLOAT_EQ(bond.GetQuote(), 97.25f);
    EXPECT_EQ(bond.numFlows(), 10);
    EXPECT_THROW(bond.setQuote(1e39), RuntimeError);
}

} // namespace
} // namespace yarrow
