#pragma once
// "Opzioni": the band-change tips, the order of a listening log's Cabrillo file and
// the two dialog colours; beside them, the sections the program's other parts add
// (OptionsSection.h).

#include <QColor>
#include <QDialog>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "ui/OptionsSection.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tarnex {

class Settings;

class COptionsDlg : public QDialog {
    Q_OBJECT
  public:
    // Asks the person for a colour, the current one preselected; nullopt when the
    // chooser is cancelled.
    using ColourChooser = std::function<std::optional<QColor>(const QColor& initial, QWidget* parent)>;

    explicit COptionsDlg(Settings& settings, QWidget* parent = nullptr, ColourChooser chooser = {});

    // The platform's colour chooser, with its custom colours open, solid colours only.
    static std::optional<QColor> ChooseWithDialog(const QColor& initial, QWidget* parent);

    QCheckBox* TipsBox() const { return tips_; }
    QCheckBox* CabrilloByBandBox() const { return cabrilloByBand_; }
    QPushButton* BackgroundButton() const { return background_; }
    QPushButton* TextButton() const { return text_; }
    QLineEdit* Sample() const { return sample_; }
    const std::vector<std::unique_ptr<OptionsSection>>& Sections() const { return sections_; }

    void accept() override;

  private:
    void ChooseBackground();
    void ChooseText();
    void PaintSample();

    Settings& settings_;
    ColourChooser chooser_;
    QCheckBox* cabrilloByBand_ = nullptr;
    QCheckBox* tips_ = nullptr;
    QPushButton* background_ = nullptr;
    QPushButton* text_ = nullptr;
    QLineEdit* sample_ = nullptr;
    std::vector<std::unique_ptr<OptionsSection>> sections_;
};

}  // namespace tarnex
