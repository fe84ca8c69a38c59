#pragma once
// Every control of the main window, built at its place: the log list, the previous
// contacts with the own-section field, the two worked grids, the entry form with its
// pictures and markers, and the group boxes and labels around them. Places are given
// in dialog units and turned into pixels from the window's font.

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <array>

#include "log/LogTypes.h"
#include "ui/DialogUnits.h"
#include "ui/PictureButton.h"

namespace tarnex {

struct MainWindowControls {
    // Size of the window's client area, in dialog units.
    static constexpr int kWidth = 461;
    static constexpr int kHeight = 264;

    QGroupBox* logGroup = nullptr;       // " LOG "
    QGroupBox* previousGroup = nullptr;  // " Collegamenti precedenti"
    QGroupBox* entryGroup = nullptr;     // " Inserimento nuovo QSO "
    QFrame* gridFrame = nullptr;

    QTableView* logList = nullptr;       // 1012
    QTableView* previousList = nullptr;  // 1013
    QLineEdit* previousCall = nullptr;   // 1016
    QLineEdit* ownSection = nullptr;     // 1034
    QLabel* ownSectionLabel = nullptr;

    std::array<PictureButton*, 36> cells{};  // 10000 + 18 x grid + 6 x mode + band
    QLabel* gridTitle0 = nullptr;            // 1092
    QLabel* gridTitle1 = nullptr;            // 1093

    QLineEdit* date = nullptr;           // 1000
    QLineEdit* time = nullptr;           // 1001
    QComboBox* band = nullptr;           // 1015
    QComboBox* mode = nullptr;           // 1014
    QLineEdit* callsign = nullptr;       // 1004
    QLineEdit* rstSent = nullptr;        // 1005
    QLineEdit* rstReceived = nullptr;    // 1006
    QLabel* rstReceivedLabel = nullptr;  // 1091
    QLineEdit* section = nullptr;        // 1007
    QLineEdit* sectionName = nullptr;    // 1008
    QLineEdit* callsign2 = nullptr;      // 1009
    QLineEdit* section2 = nullptr;       // 1011
    QLineEdit* sectionName2 = nullptr;   // 1017
    QCheckBox* autoClock = nullptr;      // 1035 "Data/ora auto"
    QCheckBox* pcShowsUtc = nullptr;     // 1082 "pc mostra utc"
    QPushButton* clear = nullptr;        // 1103 "C"

    PictureButton* markerC = nullptr;         // 1083 "CH"
    std::array<PictureButton*, 3> markerR{};  // 1084, 1086, 1088 "RI"
    std::array<PictureButton*, 2> markerM{};  // 1089, 1090 "MO"
    QLabel* duplicate = nullptr;              // 1053, DUP
    QLabel* newMultiplier = nullptr;          // 1081, MOLT

    // Creates the controls as children of the window's client area.
    void Build(QWidget* client, const DialogUnits& units);
    // The entry form's layout for a log mode: the second row, where "RST rx" sits,
    // which markers may show and the grid titles.
    void Arrange(LogMode mode, const DialogUnits& units);
};

// Makes sure the compiled-in pictures of the main window are registered.
void EnsureMainResources();

}  // namespace tarnex
