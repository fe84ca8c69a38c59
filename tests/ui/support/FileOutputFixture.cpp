#include "FileOutputFixture.h"

#include <QDir>

#include "log/LogFile.h"
#include "sections/SectionsFile.h"
#include "util/FileIo.h"

namespace tarnex::testing {

FileOutputFixture::FileOutputFixture(const std::vector<Preset>& presets, const std::string& journal,
                                     const std::string& sectionsFile) {
    for (const Preset& preset : presets) {
        if (preset.isNumber) {
            store.WriteInt(preset.section, preset.key, preset.number);
        } else {
            store.WriteString(preset.section, preset.key, preset.text);
        }
    }
    settings.Load();
    if (!sectionsFile.empty()) {
        LoadSectionsFile(sectionsFile, sections);
    }
    if (!journal.empty()) {
        WriteFileAtomically(File("_ult.trnx"), journal);
    }
    session = std::make_unique<LogSession>(settings, sections, prompts, Folder());
    session->LoadJournal();
    for (MenuCommand command :
         {MenuCommand::NewLog, MenuCommand::Open, MenuCommand::Save, MenuCommand::SaveAs, MenuCommand::Print,
          MenuCommand::ShowScore, MenuCommand::ExportCabrillo, MenuCommand::ExportFastlog,
          MenuCommand::ExportAdif}) {
        auto* action = new QAction(&window);
        window.addAction(action);
        actions_[command] = action;
    }
    controllers = WireFileScoreExportPrint(
        window, *session,
        [this](MenuCommand command) {
            auto it = actions_.find(command);
            return it == actions_.end() ? nullptr : it->second;
        },
        [this] { return selection; });
}

std::string FileOutputFixture::Folder() const {
    return QDir(dir.path()).absolutePath().toStdString() + "/";
}

std::string FileOutputFixture::File(const std::string& name) const {
    return Folder() + name;
}

std::vector<std::string> FileOutputFixture::FileNames() const {
    std::vector<std::string> names;
    const QStringList entries = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& entry : entries) {
        names.push_back(entry.toStdString());
    }
    return names;
}

std::string FileOutputFixture::JournalBytes() const {
    return ReadBytes(File("_ult.trnx"));
}

void FileOutputFixture::AddQso(const QsoRecord& record) {
    session->Log().Append(record);
    session->JournalAppend(QsoLine(record, settings.station.ownSection));
}

void FileOutputFixture::AddListening(const HrdRecord& record) {
    session->Log().Append(record);
    session->JournalAppend(ListeningLine(record));
}

void FileOutputFixture::Trigger(MenuCommand command) {
    Action(command)->trigger();
}

std::string ReadBytes(const std::string& path) {
    return ReadFileBytes(path).value_or("");
}

}  // namespace tarnex::testing
