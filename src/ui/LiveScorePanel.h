#pragma once
// The compact live score of the main window, in its " Punteggio " box: one row per
// figure, its label on the left and its value on the right ("QSO", "Punti", "Molt.",
// "Punteggio", the entries of the last 60 minutes and the rate of the last ten), in
// the window's dialog colours. It only shows: it never takes the keyboard focus.

#include <QWidget>
#include <array>

#include "score/LiveFigures.h"

class QLabel;

namespace tarnex {

class LiveScorePanel : public QWidget {
    Q_OBJECT
  public:
    explicit LiveScorePanel(QWidget* parent = nullptr);

    // Shows these figures; a text that did not change is left as it is.
    void Show(const LiveFigures& figures);

    QLabel* LabelOf(LiveFigureIndex figure) const { return labels_[figure]; }
    QLabel* ValueOf(LiveFigureIndex figure) const { return values_[figure]; }

  private:
    std::array<QLabel*, kLiveFigureCount> labels_{};
    std::array<QLabel*, kLiveFigureCount> values_{};
};

}  // namespace tarnex
