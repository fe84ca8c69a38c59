#include "ui/CHrdEditDlg.h"

namespace tarnex {

namespace {

// Beside date, time, band and mode: the calling station with its report and section,
// and on the line below, under the first callsign, the station that answered.
constexpr EditFieldLook kLooks[] = {
    {FormField::Callsign, "Nominativo 1", "callingCall", 0, 4, true, false},
    {FormField::RstSent, "RST 1", "rst", 0, 5, false, true},
    {FormField::Section, "Sez. 1", "callingSection", 0, 6, false, true},
    {FormField::Callsign2, "Nominativo 2", "answeringCall", 2, 4, true, false},
};

}  // namespace

CHrdEditDlg::CHrdEditDlg(const SectionTable& sections, UserPrompts& prompts, QWidget* parent)
    : EntryEditDlg(QStringLiteral("Modifica di un HRD"), SaveListeningEdit, kListeningEditFields, kLooks,
                   sections, prompts, parent) {}

CHrdEditDlg::~CHrdEditDlg() = default;

}  // namespace tarnex
