#pragma once
// Names and titles of the program itself.

namespace tarnex {

// Title of the messages the program raises as a whole (start-up, field limits).
inline constexpr const char* kProgramName = "Tarnex";
// The main window's title before the open log's name.
inline constexpr const char* kBaseTitle = "TARNEX - Contest delle Sezioni ARI";
inline constexpr const char* kJournalFileName = "_ult.trnx";
inline constexpr const char* kSectionsFileName = "_sez.cod";
// Every file the program replaces in its program folder under a name of its own.
inline constexpr const char* kProgramFolderFiles[] = {kJournalFileName, kSectionsFileName};
// The program's identity for the desktop, and its installed desktop entry.
inline constexpr const char* kDesktopId = "it.korval.Tarnex";
inline constexpr const char* kDesktopEntryName = "it.korval.Tarnex.desktop";
// Company and program name under which the settings and the data folder are kept.
inline constexpr const char* kOrganisationName = "KORVAL";
inline constexpr const char* kApplicationName = "Tarnex";

}  // namespace tarnex
