#pragma once
// The two colours in which the program paints its dialogs: the background and the
// text colour the person chose in the options dialog, stored as 0x00BBGGRR.

#include <QColor>
#include <QString>
#include <cstdint>

class QApplication;

namespace tarnex {

QColor ColourFromStored(int32_t colour);
int32_t StoredFromColour(const QColor& colour);

// The style sheet that gives every dialog of the program these colours: backgrounds
// in the background colour, labels, check boxes and group titles in the text colour.
// Fields, lists and buttons keep their own look.
QString DialogColoursStyleSheet(int32_t background, int32_t text);

// Applies the colours to every dialog from now on. Called once at start-up, after the
// splash: a colour chosen later is seen only at the next start.
void ApplyDialogColours(QApplication& app, int32_t background, int32_t text);

}  // namespace tarnex
