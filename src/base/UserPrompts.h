#pragma once
// The only way the program's operations talk to the person: messages, yes/no
// questions and file choosers. The window program shows real dialogs; tests script
// the answers and record every text.

#include <optional>
#include <string>

namespace tarnex {

enum class MessageIcon { Stop, Question, Exclamation, Information };

// The titles of the program's boxes: "Errore" comes with the stop icon, "Avviso" with
// the exclamation mark, "Informazione" with the information icon; "Domanda" asks.
inline constexpr const char* kErrorTitle = "Errore";
inline constexpr const char* kWarningTitle = "Avviso";
inline constexpr const char* kInformationTitle = "Informazione";
inline constexpr const char* kQuestionTitle = "Domanda";

struct FileDialogOptions {
    std::string title;
    std::string filterText;         // "File log Tarnex (*.trnx)"
    std::string filterPattern;      // "*.trnx"
    std::string defaultExtension;   // "trnx": added when the name typed has none
    std::string initialName;        // file name proposed in a save dialog
    bool mustExist = false;         // open: the file must exist
    bool confirmOverwrite = false;  // save: ask before replacing a file
    bool folderMustExist = true;
};

class UserPrompts {
  public:
    virtual ~UserPrompts() = default;
    // A message box with one OK button.
    virtual void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) = 0;
    // A question box with Yes and No and the question icon; true for Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& title) = 0;
    // The same with another icon (a few questions come with the information icon).
    virtual bool AskYesNoWithIcon(const std::string& text, const std::string& title, MessageIcon icon) {
        return AskYesNo(text, title);
    }
    // The chosen full path, or nullopt for Cancel.
    virtual std::optional<std::string> ChooseOpenFile(const FileDialogOptions& options) = 0;
    virtual std::optional<std::string> ChooseSaveFile(const FileDialogOptions& options) = 0;
};

}  // namespace tarnex
