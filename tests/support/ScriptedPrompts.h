#pragma once
// A UserPrompts that records every message and question and answers from a script,
// as strictly as a real person: a question or a file dialog that nobody scripted
// fails the test, and so does an answer scripted but never asked for (checked when
// the fake goes, or earlier with VerifyAllAsked). Messages need no script: they are
// recorded for the test to check.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/UserPrompts.h"

namespace tarnex::testing {

// Fails the running test with this text; each test framework's support defines it
// (GoogleTest in tests/core, Qt Test in tests/ui/support).
void ReportPromptFault(const std::string& what);

struct PromptRecord {
    enum Kind { Message, Question, OpenFile, SaveFile, OpenFiles } kind;
    std::string text;   // message or question text; empty for file choosers
    std::string title;  // box or dialog title
    MessageIcon icon = MessageIcon::Information;
    FileDialogOptions file;  // for file choosers
};

class ScriptedPrompts : public UserPrompts {
  public:
    // Answers given in order: Yes/No to questions, a path or Cancel (nullopt) to file
    // dialogs.
    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<std::string>> fileAnswers;
    // For the choosers of several files; none scripted: Cancel.
    std::deque<std::vector<std::string>> fileListAnswers;
    std::vector<PromptRecord> records;
    // Runs while a message is shown, as long as the person keeps it open.
    std::function<void(const PromptRecord&)> whileShown;

    ScriptedPrompts() = default;
    ScriptedPrompts(const ScriptedPrompts&) = delete;
    ScriptedPrompts& operator=(const ScriptedPrompts&) = delete;
    ~ScriptedPrompts() override { VerifyAllAsked(); }

    // Fails the test when answers are left that nobody asked for (and forgets them).
    void VerifyAllAsked() {
        if (!yesNoAnswers.empty() || !fileAnswers.empty()) {
            ReportPromptFault("scripted but never asked: " + std::to_string(yesNoAnswers.size()) +
                              " yes/no answer(s), " + std::to_string(fileAnswers.size()) + " file answer(s)");
        }
        yesNoAnswers.clear();
        fileAnswers.clear();
    }

    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override {
        records.push_back({PromptRecord::Message, text, title, icon, {}});
        if (whileShown) {
            const PromptRecord shown = records.back();  // the hook may record more
            whileShown(shown);
        }
    }
    bool AskYesNo(const std::string& text, const std::string& title) override {
        return AskYesNoWithIcon(text, title, MessageIcon::Question);
    }
    bool AskYesNoWithIcon(const std::string& text, const std::string& title, MessageIcon icon) override {
        records.push_back({PromptRecord::Question, text, title, icon, {}});
        return Next(yesNoAnswers, "a question nobody scripted: \"" + title + "\" " + text);
    }
    std::optional<std::string> ChooseOpenFile(const FileDialogOptions& options) override {
        records.push_back({PromptRecord::OpenFile, "", options.title, MessageIcon::Information, options});
        return Next(fileAnswers, "an open dialog nobody scripted: " + options.title);
    }
    std::optional<std::string> ChooseSaveFile(const FileDialogOptions& options) override {
        records.push_back({PromptRecord::SaveFile, "", options.title, MessageIcon::Information, options});
        return Next(fileAnswers, "a save dialog nobody scripted: " + options.title);
    }

    std::vector<std::string> ChooseOpenFiles(const FileDialogOptions& options) override {
        records.push_back({PromptRecord::OpenFiles, "", options.title, MessageIcon::Information, options});
        if (fileListAnswers.empty()) {
            return {};
        }
        std::vector<std::string> answer = fileListAnswers.front();
        fileListAnswers.pop_front();
        return answer;
    }

    // Only the messages and questions, in order.
    std::vector<PromptRecord> Boxes() const {
        std::vector<PromptRecord> boxes;
        for (const PromptRecord& r : records) {
            if (r.kind == PromptRecord::Message || r.kind == PromptRecord::Question) {
                boxes.push_back(r);
            }
        }
        return boxes;
    }

  private:
    // The next scripted answer; the test fails when there is none (No, Cancel).
    template <typename Answer>
    static Answer Next(std::deque<Answer>& script, const std::string& fault) {
        if (script.empty()) {
            ReportPromptFault(fault);
            return Answer{};
        }
        Answer answer = script.front();
        script.pop_front();
        return answer;
    }
};

}  // namespace tarnex::testing
