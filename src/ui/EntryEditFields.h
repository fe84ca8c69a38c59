#pragma once
// The fields the two edit dialogs share: "Data", "Utc", "MHz" and "Modo", each with its
// label above it, and a line edit with its input rules for the others.

#include <QString>
#include <initializer_list>
#include <string>

#include "rules/CheckOrder.h"

class QComboBox;
class QDialog;
class QHBoxLayout;
class QGridLayout;
class QLineEdit;
class QWidget;

namespace tarnex {

class FieldInputValidator;

class EntryEditFields {
  public:
    // Creates the four controls in columns 0 to 3 of the grid (labels in row `row`,
    // fields in row + 1).
    EntryEditFields(QWidget* owner, QGridLayout* grid, int row);

    // "Salva" (the default button, accepts) and "Annulla" (cancels) at the bottom right.
    static QHBoxLayout* SaveCancelButtons(QDialog* dialog);
    // The dialog's layout: the grid of fields above the buttons, at a fixed size.
    static void LayOut(QDialog* dialog, QGridLayout* grid);
    // Report and section fields: as wide as five digits.
    static void Narrow(std::initializer_list<QLineEdit*> fields);

    // A line edit with its label at (row, column) of the grid; upper case or digits only.
    static QLineEdit* AddEdit(QWidget* owner, QGridLayout* grid, int row, int column, const QString& label,
                              const char* name, bool upperCase, bool digitsOnly);
    // Puts the program's own text into a field (a longer or odd text stays whole).
    static void Put(QLineEdit* field, const std::string& bytes);
    static std::string Read(const QLineEdit* field);

    // Band and mode are selected by their texts; a text not in the list selects
    // nothing, and reading an empty selection gives an empty text.
    void Put(const std::string& date, const std::string& time, const std::string& band,
             const std::string& mode);
    std::string Date() const;
    std::string Time() const;
    std::string Band() const;
    std::string Mode() const;

    // The same for a record's date, time, band and mode.
    template <typename Record>
    void Put(const Record& record) {
        Put(record.date, record.time, record.band, record.mode);
    }
    template <typename Record>
    void Take(Record& record) const {
        record.date = Date();
        record.time = Time();
        record.band = Band();
        record.mode = Mode();
    }
    // The date or time field for a check that failed there, else nullptr.
    QWidget* FieldOf(FormField field) const;

    QLineEdit* date = nullptr;
    QLineEdit* time = nullptr;
    QComboBox* band = nullptr;
    QComboBox* mode = nullptr;
};

}  // namespace tarnex
