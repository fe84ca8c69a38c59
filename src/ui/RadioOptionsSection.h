#pragma once
// "Radio" in "Opzioni": which radio the program reads and how. The model comes from
// Hamlib's list ("Nessuna radio" first), narrowed by a search box as the person types
// a maker, a name or a number; the port is a serial device or "host:porta" of a
// rigctld; the speed may be left to the model; the poll interval is in milliseconds.
// Salva stores "Radio modello", "Radio porta", "Radio velocit\xE0" and "Radio intervallo"
// when one of them changed.

#include <QObject>
#include <vector>

#include "rig/RigModels.h"
#include "ui/OptionsSection.h"

class QComboBox;
class QLineEdit;

namespace tarnex {

class UserPrompts;

class RadioOptionsSection : public QObject, public OptionsSection {
    Q_OBJECT
  public:
    RadioOptionsSection(const Settings& settings, UserPrompts& prompts, QWidget* dialog);

    QGroupBox* Box() override { return box_; }
    // With a radio chosen: the interval must be a number of milliseconds the program
    // works with; the port of a radio shared by rigctld must read "host" or
    // "host:porta"; a port holds no spaces.
    bool Check() override;
    void Save(Settings& settings) override;

    QLineEdit* SearchField() const { return search_; }
    QComboBox* ModelList() const { return model_; }
    QLineEdit* PortField() const { return port_; }
    QComboBox* SpeedList() const { return speed_; }
    QLineEdit* IntervalField() const { return interval_; }
    // The model chosen in the list (0 for "Nessuna radio").
    int ChosenModel() const;

  private:
    // Fills the list with the models the search text leaves; `chosen` stays chosen
    // when it is among them or when no radio is found, else the first radio found is
    // chosen.
    void ShowModels(int chosen);
    bool Refuse(const char* text, QWidget* field);

    UserPrompts& prompts_;
    QGroupBox* box_ = nullptr;
    QLineEdit* search_ = nullptr;
    QComboBox* model_ = nullptr;
    QLineEdit* port_ = nullptr;
    QComboBox* speed_ = nullptr;
    QLineEdit* interval_ = nullptr;
    // Hamlib's models, and the stored one when Hamlib does not know it.
    std::vector<RigModel> models_;
};

}  // namespace tarnex
