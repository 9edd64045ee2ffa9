#include "core/data/Session.h"
#include "core/data/qalBondData.h"
#include "core/grid/GridModel.h"
#include "core/text/RuntimeError.h"
#include "support/RecordingDialogs.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace yarrow {
namespace {

struct Row {
    std::string name, coupon, maturity, quote;
};

// The data grid: heading row 0, row 1 for headings, bonds from row 2.
GridModel DataGrid(const std::vector<Row>& rows, int extraRows = 0) {
    GridModel grid(static_cast<int>(rows.size()) + 2 + extraRows, 6);
    int r = 2;
    for (const Row& row : rows) {
        grid.SetTextMatrix(r, 1, row.name);
        grid.SetTextMatrix(r, 2, row.coupon);
        grid.SetTextMatrix(r, 3, row.maturity);
        grid.SetTextMatrix(r, 4, row.quote);
        ++r;
    }
    return grid;
}

constexpr const char* kToday = "06/30/2010";

std::vector<Row> TenBonds() {
    std::vector<Row> rows;
    for (int i = 1; i <= 10; ++i)
        rows.push_back({std::to_string(i), "3", "6/30/" + std::to_string(2010 + i), "100"});
    return rows;
}

TEST(BuildBondTable, EveryNamedRowBecomesABond) {
    Session session;
    BuildBondTable(session, DataGrid(TenBonds()), kToday);
    ASSERT_EQ(session.nBonds, 10);
    ASSERT_EQ(session.Bonds.size(), 11u);
    EXPECT_EQ(session.Bonds[0], nullptr);
    for (int i = 1; i <= 10; ++i) {
        EXPECT_EQ(session.Bond(i).GetName(), std::to_string(i));
        EXPECT_EQ(session.Bond(i).numFlows(), 2 * i);
    }
    EXPECT_THROW(session.Bond(0), RuntimeError);
    EXPECT_THROW(session.Bond(11), RuntimeError);
}

TEST(BuildBondTable, FirstEmptyNameEndsTheTable) {
    auto rows = TenBonds();
    rows[4].name = ""; // grid row 6
    Session session;
    BuildBondTable(session, DataGrid(rows), kToday);
    EXPECT_EQ(session.nBonds, 4);
    EXPECT_EQ(session.Bonds.size(), 5u);
    // A rebuild replaces the table whole.
    BuildBondTable(session, DataGrid({{"only", "2", "6/30/2012", "99"}}), kToday);
    EXPECT_EQ(session.nBonds, 1);
    EXPECT_EQ(session.Bonds.size(), 2u);
    EXPECT_EQ(session.Bond(1).GetName(), "only");
}

TEST(BuildBondTable, BillsByNameAndByAnswer) {
    struct Case {
        Row row;
        std::vector<bool> answers; // scripted; one entry means a question is expected
        int16_t type;
    };
    const std::vector<Case> cases = {
        {{"US T-Bill Dec", "", "12/30/2010", "0.2"}, {}, qalBond::TBILL},
        {{"6TD", "0", "12/30/2010", "0.19"}, {}, qalBond::TBILL},
        {{"3td", "0", "9/30/2010", "4.5"}, {true}, qalBond::TBILL},
        {{"3td", "0", "9/30/2010", "4.5"}, {false}, qalBond::TBOND},
        {{"zero", "0", "6/30/2015", "12"}, {}, qalBond::TBOND},
        {{"zero", "0", "6/30/2015", "9.99"}, {false}, qalBond::TBOND},
        {{"blank", "", "6/30/2015", ""}, {true}, qalBond::TBILL},
        {{"note", "4.25", "6/30/2015", "99.5"}, {}, qalBond::TBOND},
    };
    for (const Case& c : cases) {
        RecordingDialogs dialogs;
        for (bool answer : c.answers)
            dialogs.ScriptAnswers({answer});
        Session session;
        session.dialogs = &dialogs;
        BuildBondTable(session, DataGrid({c.row}), kToday);
        ASSERT_EQ(session.nBonds, 1);
        const qalBond& bond = session.Bond(1);
        EXPECT_EQ(bond.bondType(), c.type) << c.row.name << " " << c.row.quote;
        ASSERT_EQ(dialogs.questions.size(), c.answers.size()) << c.row.name;
        if (!c.answers.empty()) {
            EXPECT_EQ(dialogs.questions[0].text, "Is " + c.row.name + " a Treasury bill (or time deposit)?");
            EXPECT_EQ(dialogs.questions[0].title, "Vantorix");
        }
        EXPECT_FLOAT_EQ(bond.face(), 100.0f);
    }
}

TEST(BuildBondTable, RowsAreReadLeniently) {
    Session session;
    BuildBondTable(session,
                   DataGrid({{"note", "4.25", "6/30/2015", "99.5"},
                             {"odd", "4 1/4", "6/30/2015", " 101 . 5 "},
                             {"bill", "9", "12/30/2010", "0.21%"}}),
                   kToday);
    ASSERT_EQ(session.nBonds, 3);
    const qalBond& note = session.Bond(1);
    EXPECT_FLOAT_EQ(note.GetQuote(), 99.5f);
    EXPECT_FLOAT_EQ(note.GetCoupon(), 0.0425f);
    EXPECT_FLOAT_EQ(note.couponFreq(), 2.0f);
    EXPECT_EQ(note.GetMaturity(), "06/30/2015");
    EXPECT_FLOAT_EQ(session.Bond(2).GetCoupon(), 0.41f); // the blank is ignored, "/" ends the number
    EXPECT_FLOAT_EQ(session.Bond(2).GetQuote(), 101.5f);
    EXPECT_FLOAT_EQ(session.Bond(3).GetQuote(), 0.21f); // a bill keeps no coupon
    EXPECT_FLOAT_EQ(session.Bond(3).GetCoupon(), 0.0f);
}

TEST(BuildBondTable, WithoutDialogsTheQuestionIsAnsweredNo) {
    Session session;
    BuildBondTable(session, DataGrid({{"3td", "0", "9/30/2010", "4.5"}}), kToday);
    EXPECT_EQ(session.Bond(1).bondType(), qalBond::TBOND);
}

TEST(BuildBondTable, BondsReadDatesInTheSessionOrder) {
    Session session;
    session.dateOrder = DateOrder::DayFirst;
    BuildBondTable(session, DataGrid({{"5", "2", "30/06/2015", "100"}}), "30/06/2010");
    EXPECT_EQ(session.Bond(1).GetMaturity(), "30/06/2015");
    EXPECT_EQ(session.Bond(1).numFlows(), 10);
}

TEST(BuildBondTable, FailingRowKeepsTheGoodRowsAndRaises) {
    auto rows = TenBonds();
    rows[3].maturity = "someday"; // grid row 5, bond 4
    Session session;
    BuildBondTable(session, DataGrid(TenBonds()), kToday);
    try {
        BuildBondTable(session, DataGrid(rows), kToday);
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 13);
    }
    ASSERT_EQ(session.nBonds, 3);
    ASSERT_EQ(session.Bonds.size(), 4u);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(session.Bond(i).GetName(), std::to_string(i));
    // A quote beyond the single range fails the same way.
    rows = TenBonds();
    rows[0].quote = "1e40";
    EXPECT_THROW(BuildBondTable(session, DataGrid(rows), kToday), RuntimeError);
    EXPECT_EQ(session.nBonds, 0);
    EXPECT_EQ(session.Bonds.size(), 1u);
}

TEST(BuildBondTable, GridWithoutBondRowsRaisesAndEmptiesTheTable) {
    Session session;
    BuildBondTable(session, DataGrid(TenBonds()), kToday);
    GridModel tiny(1, 1, 0, 0);
    EXPECT_THROW(BuildBondTable(session, tiny, kToday), RuntimeError);
    EXPECT_EQ(session.nBonds, 0);
    EXPECT_EQ(session.Bonds.size(), 1u);
    // Two rows: no bonds, no error.
    BuildBondTable(session, GridModel(2, 5), kToday);
    EXPECT_EQ(session.nBonds, 0);
}

TEST(BuildBondTable, BadQuoteDateFailsTheFirstRow) {
    Session session;
    EXPECT_THROW(BuildBondTable(session, DataGrid(TenBonds()), ""), RuntimeError);
    EXPECT_EQ(session.nBonds, 0);
}

} // namespace
} // namespace yarrow
