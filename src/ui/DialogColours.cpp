#include "ui/DialogColours.h"

#include <QApplication>

#include "app/Settings.h"

namespace tarnex {

QColor ColourFromStored(int32_t colour) {
    Rgb rgb = ColourToRgb(colour);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

int32_t StoredFromColour(const QColor& colour) {
    return RgbToColour(colour.red(), colour.green(), colour.blue());
}

QString DialogColoursStyleSheet(int32_t background, int32_t text) {
    const QString back = ColourFromStored(background).name(QColor::HexRgb);
    const QString fore = ColourFromStored(text).name(QColor::HexRgb);
    return QStringLiteral(
               "QDialog { background-color: %1; color: %2; }\n"
               "QDialog QLabel, QDialog QCheckBox, QDialog QRadioButton, QDialog QGroupBox { color: %2; }\n")
        .arg(back, fore);
}

void ApplyDialogColours(QApplication& app, int32_t background, int32_t text) {
    QString sheet = app.styleSheet();
    if (!sheet.isEmpty() && !sheet.endsWith(QLatin1Char('\n'))) {
        sheet += QLatin1Char('\n');
    }
    app.setStyleSheet(sheet + DialogColoursStyleSheet(background, text));
}

}  // namespace tarnex
