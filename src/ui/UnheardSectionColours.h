#pragma once
// How the main window shows a section that the call history filled in and the person
// has not yet heard: the field in colours of its own, unlike a typed section (red on
// white) and unlike the window's background, which the person chooses in the options.

#include <QColor>

class QLineEdit;

namespace tarnex {

struct FieldColours {
    QColor text;
    QColor background;
};

// The colours of a section not heard: dark blue on pale yellow, or on pale blue when
// the window's background is nearer that yellow. Either pair reads with a contrast of
// more than 7 to 1.
FieldColours UnheardSectionColours(const QColor& windowBackground);

// The contrast of two colours as the web's accessibility rules measure it: 1 (none)
// to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b);

// Shows the field in the colours of a section not heard, or as every field.
void ShowSectionUnheard(QLineEdit* field, bool unheard, const QColor& windowBackground);

}  // namespace tarnex
