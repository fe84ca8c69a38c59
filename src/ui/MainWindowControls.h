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

#include "base/ContestRules.h"
#include "log/LogTypes.h"
#include "ui/DialogUnits.h"
#include "ui/PictureButton.h"

namespace tarnex {

struct MainWindowControls {
    // Size of the window's client area, in dialog units: the contest's own window
    // (kFormWidth x kFormHeight), a column of aids on its right and a status line
    // under the entry form.
    static constexpr int kFormWidth = 461;
    static constexpr int kFormHeight = 264;
    static constexpr int kSideWidth = 122;
    static constexpr int kStatusHeight = 12;
    static constexpr int kWidth = kFormWidth + kSideWidth;
    static constexpr int kHeight = kFormHeight + kStatusHeight;

    QGroupBox* logGroup = nullptr;       // " LOG "
    QGroupBox* previousGroup = nullptr;  // " Collegamenti precedenti"
    QGroupBox* entryGroup = nullptr;     // " Inserimento nuovo QSO "
    QFrame* gridFrame = nullptr;

    // The aids beside the contest's window. Each group box is an empty place that the
    // aid it names fills with a layout of its own.
    QGroupBox* scoreGroup = nullptr;       // " Punteggio ": the live score and rates, beside the log
    QGroupBox* knownCallsGroup = nullptr;  // " Nominativi noti ": the partial-call lookup, beside the form
    // The status line under the entry form (empty and hidden while its part is off).
    QLabel* radioStatus = nullptr;    // "Radio: ..."
    QLabel* networkStatus = nullptr;  // "Rete: ..."

    QTableView* logList = nullptr;       // the log, one row per entry
    QTableView* previousList = nullptr;  // the earlier contacts of the callsign typed
    QLineEdit* previousCall = nullptr;   // the callsign above them
    QLineEdit* ownSection = nullptr;     // "Mio codice sezione"
    QLabel* ownSectionLabel = nullptr;

    std::array<PictureButton*, kGridCells> cells{};  // both worked grids, by GridCell(grid, mode, band)
    QLabel* gridTitle0 = nullptr;                    // above the upper grid
    QLabel* gridTitle1 = nullptr;                    // above the lower grid

    QLineEdit* date = nullptr;           // "Data"
    QLineEdit* time = nullptr;           // "Utc"
    QComboBox* band = nullptr;           // "MHz"
    QComboBox* mode = nullptr;           // "Modo"
    QLineEdit* callsign = nullptr;       // "Nominativo" (callsign 1 in listening mode)
    QLineEdit* rstSent = nullptr;        // "RST tx" (report 1)
    QLineEdit* rstReceived = nullptr;    // "RST rx" (report 2, on the second row)
    QLabel* rstReceivedLabel = nullptr;  // "RST rx", hidden in listening mode
    QLineEdit* section = nullptr;        // "Sezione" (section 1)
    QLineEdit* sectionName = nullptr;    // "Nome Sezione"
    QLineEdit* callsign2 = nullptr;      // listening mode, second row: the answering station
    QLineEdit* section2 = nullptr;       // its section code
    QLineEdit* sectionName2 = nullptr;   // and name
    QCheckBox* autoClock = nullptr;      // "Data/ora auto"
    QCheckBox* pcShowsUtc = nullptr;     // "pc mostra utc"
    QPushButton* clear = nullptr;        // "C"

    PictureButton* markerC = nullptr;                           // "CH": callsign 1 heard calling
    std::array<PictureButton*, kAnswersPerBandMode> markerR{};  // "RI": callsign 2's answers
    std::array<PictureButton*, 2> markerM{};                    // "MO": new multiplier, row 1 and 2
    QLabel* duplicate = nullptr;                                // DUP
    QLabel* newMultiplier = nullptr;                            // MOLT

    // Creates the controls as children of the window's client area.
    void Build(QWidget* client, const DialogUnits& units);
    // The entry form's layout for a log mode: the second row, where "RST rx" sits,
    // which markers may show and the grid titles.
    void Arrange(LogMode mode, const DialogUnits& units);
};

// Makes sure the compiled-in pictures of the main window are registered.
void EnsureMainResources();

}  // namespace tarnex
