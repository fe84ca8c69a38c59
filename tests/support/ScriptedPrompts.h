#pragma once
// A UserPrompts that records every message and question and answers from a script.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "base/UserPrompts.h"

namespace tarnex::testing {

struct PromptRecord {
    enum Kind { Message, Question, OpenFile, SaveFile } kind;
    std::string text;   // message or question text; empty for file choosers
    std::string title;  // box or dialog title
    MessageIcon icon = MessageIcon::Information;
    FileDialogOptions file;  // for file choosers
};

class ScriptedPrompts : public UserPrompts {
  public:
    // Answers given in order; a question with no scripted answer gets No, a file
    // chooser with no scripted answer gets Cancel.
    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<std::string>> fileAnswers;
    std::vector<PromptRecord> records;

    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override {
        records.push_back({PromptRecord::Message, text, title, icon, {}});
    }
    bool AskYesNo(const std::string& text, const std::string& title) override {
        return AskYesNoWithIcon(text, title, MessageIcon::Question);
    }
    bool AskYesNoWithIcon(const std::string& text, const std::string& title, MessageIcon icon) override {
        records.push_back({PromptRecord::Question, text, title, icon, {}});
        if (yesNoAnswers.empty()) {
            return false;
        }
        bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    std::optional<std::string> ChooseOpenFile(const FileDialogOptions& options) override {
        records.push_back({PromptRecord::OpenFile, "", options.title, MessageIcon::Information, options});
        return NextFile();
    }
    std::optional<std::string> ChooseSaveFile(const FileDialogOptions& options) override {
        records.push_back({PromptRecord::SaveFile, "", options.title, MessageIcon::Information, options});
        return NextFile();
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
    std::optional<std::string> NextFile() {
        if (fileAnswers.empty()) {
            return std::nullopt;
        }
        std::optional<std::string> answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }
};

}  // namespace tarnex::testing
