#include "ui/UnheardSectionColours.h"

#include <QLineEdit>
#include <QVariant>
#include <algorithm>
#include <cmath>

namespace tarnex {

namespace {

const char* const kUnheardProperty = "sectionUnheard";

double Luminance(const QColor& colour) {
    auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.red()) + 0.7152 * channel(colour.green()) +
           0.0722 * channel(colour.blue());
}

int Distance(const QColor& a, const QColor& b) {
    const int red = a.red() - b.red();
    const int green = a.green() - b.green();
    const int blue = a.blue() - b.blue();
    return red * red + green * green + blue * blue;
}

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

FieldColours UnheardSectionColours(const QColor& windowBackground) {
    const QColor text(0x00, 0x00, 0x8b);
    const QColor yellow(0xff, 0xe8, 0x80);
    const QColor blue(0xb8, 0xe0, 0xff);
    return {text, Distance(windowBackground, yellow) >= Distance(windowBackground, blue) ? yellow : blue};
}

void ShowSectionUnheard(QLineEdit* field, bool unheard, const QColor& windowBackground) {
    const QVariant shown = field->property(kUnheardProperty);
    if (shown.isValid() && shown.toBool() == unheard) {
        return;
    }
    field->setProperty(kUnheardProperty, unheard);
    if (!unheard) {
        field->setStyleSheet(QString());
        return;
    }
    // A widget's own sheet wins over the window's rule for every field.
    const FieldColours colours = UnheardSectionColours(windowBackground);
    field->setStyleSheet(QStringLiteral("QLineEdit { color: %1; background-color: %2; font-style: italic; }")
                             .arg(colours.text.name(), colours.background.name()));
}

}  // namespace tarnex
