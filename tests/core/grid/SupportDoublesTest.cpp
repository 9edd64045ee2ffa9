// The shared test doubles are used by every test program; their failure checks must hold.
#include "support/CountingPendingEvents.h"
#include "support/RecordingDialogs.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace yarrow {
namespace {

TEST(RecordingDialogs, AnswersFromTheScriptInOrderAndRecordsEverything) {
    RecordingDialogs dialogs;
    dialogs.ScriptAnswers({true, false});
    dialogs.Message("Done", "Vantorix", MessageIcon::Exclamation);
    EXPECT_TRUE(dialogs.AskYesNo("Save?", "Vantorix"));
    EXPECT_FALSE(dialogs.AskYesNo("Quit?", "Calculator"));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(dialogs.MessageTexts(), std::vector<std::string>{"Done"});
    ASSERT_EQ(dialogs.questions.size(), 2u);
    EXPECT_EQ(dialogs.questions[1].text, "Quit?");
    EXPECT_EQ(dialogs.questions[1].title, "Calculator");
    EXPECT_FALSE(dialogs.questions[1].answer);
}

TEST(RecordingDialogs, UnscriptedQuestionsAndUnusedAnswersFailTheTest) {
    EXPECT_NONFATAL_FAILURE(
        {
            RecordingDialogs dialogs;
            EXPECT_FALSE(dialogs.AskYesNo("Overwrite?", "Vantorix"));
        },
        "unscripted question \"Overwrite?\"");
    EXPECT_NONFATAL_FAILURE(
        {
            RecordingDialogs dialogs;
            dialogs.ScriptAnswers({true});
        },
        "never asked for");
}

TEST(CountingPendingEvents, StopsRunawayLoops) {
    EXPECT_NONFATAL_FAILURE(
        {
            CountingPendingEvents runaway;
            runaway.maxCalls = 5;
            try {
                for (;;)
                    runaway.Process();
            } catch (const CountingPendingEvents::RunawayLoop&) {
            }
        },
        "more than 5 times");
}

} // namespace
} // namespace yarrow
