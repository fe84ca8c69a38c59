#include "ui/CQsoEditDlg.h"

namespace tarnex {

namespace {

// Beside date, time, band and mode: callsign, the two reports and the section.
constexpr EditFieldLook kLooks[] = {
    {FormField::Callsign, "Nominativo", "callsign", 0, 4, true, false},
    {FormField::RstSent, "RST tx", "rstSent", 0, 5, false, true},
    {FormField::RstReceived, "RST rx", "rstReceived", 0, 6, false, true},
    {FormField::Section, "Sezione", "section", 0, 7, false, true},
};

}  // namespace

CQsoEditDlg::CQsoEditDlg(const SectionTable& sections, UserPrompts& prompts, QWidget* parent)
    : EntryEditDlg(QStringLiteral("Modifica di un QSO"), SaveQsoEdit, kQsoEditFields, kLooks, sections,
                   prompts, parent) {}

CQsoEditDlg::~CQsoEditDlg() = default;

}  // namespace tarnex
