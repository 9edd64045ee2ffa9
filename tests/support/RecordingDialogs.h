#pragma once

#include "core/seams/Dialogs.h"

#include <deque>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace yarrow {

// Dialogs for tests: records every message box and question, and answers questions from a
// script. A question without a scripted answer, or answers left unused when the double goes
// away, fail the running test.
class RecordingDialogs : public Dialogs {
public:
    struct Shown {
        std::string text;
        std::string title;
        MessageIcon icon = MessageIcon::None;
    };
    struct Asked {
        std::string text;
        std::string title;
        bool answer = false;
    };

    ~RecordingDialogs() override {
        if (!answers_.empty())
            ADD_FAILURE() << answers_.size() << " scripted Yes/No answer(s) never asked for";
    }

    // Queue answers for the next questions, in order (true = Yes).
    void ScriptAnswers(std::initializer_list<bool> answers) { answers_.insert(answers_.end(), answers); }

    void Message(const std::string& text, const std::string& title, MessageIcon icon) override {
        messages.push_back({text, title, icon});
    }

    bool AskYesNo(const std::string& text, const std::string& title) override {
        if (answers_.empty()) {
            ADD_FAILURE() << "unscripted question \"" << text << "\" (title \"" << title << "\")";
            questions.push_back({text, title, false});
            return false;
        }
        const bool answer = answers_.front();
        answers_.pop_front();
        questions.push_back({text, title, answer});
        return answer;
    }

    // The texts of the messages shown, in order.
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& m : messages)
            texts.push_back(m.text);
        return texts;
    }

    std::vector<Shown> messages;
    std::vector<Asked> questions;

private:
    std::deque<bool> answers_;
};

} // namespace yarrow
