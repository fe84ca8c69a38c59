#pragma once
// Places given in dialog units, turned into pixels from a font's metrics as the
// platform's dialog templates do: a horizontal unit is a quarter of the font's
// average character width, a vertical unit an eighth of its height.

#include <QFont>
#include <QFontMetrics>
#include <QRect>

namespace tarnex {

class DialogUnits {
  public:
    explicit DialogUnits(const QFont& font) {
        QFontMetrics metrics(font);
        const int letters =
            metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
        charWidth_ = (letters / 26 + 1) / 2;
        charHeight_ = metrics.height();
    }
    DialogUnits(int charWidth, int charHeight) : charWidth_(charWidth), charHeight_(charHeight) {}

    int X(int units) const { return (units * charWidth_ + 2) / 4; }
    int Y(int units) const { return (units * charHeight_ + 4) / 8; }
    QRect Rect(int x, int y, int width, int height) const {
        return QRect(X(x), Y(y), X(x + width) - X(x), Y(y + height) - Y(y));
    }
    QPoint Point(int x, int y) const { return QPoint(X(x), Y(y)); }
    int CharWidth() const { return charWidth_; }
    int CharHeight() const { return charHeight_; }

  private:
    int charWidth_ = 6;
    int charHeight_ = 13;
};

}  // namespace tarnex
