#include "ui/COptionsDlg.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Settings.h"
#include "ui/DialogColours.h"

namespace tarnex {

COptionsDlg::COptionsDlg(Settings& settings, QWidget* parent, ColourChooser chooser)
    : QDialog(parent), settings_(settings), chooser_(chooser ? std::move(chooser) : ChooseWithDialog) {
    setWindowTitle(QStringLiteral("Opzioni"));

    cabrilloByBand_ = new QCheckBox(QStringLiteral("File SWL Cabrillo ordinato per banda"), this);
    tips_ = new QCheckBox(QStringLiteral("Consigli per il cambio banda"), this);
    cabrilloByBand_->setChecked(settings_.listeningCabrilloByBand);
    tips_->setChecked(settings_.tips);

    auto* group = new QGroupBox(QStringLiteral("Colore"), this);
    background_ = new QPushButton(QStringLiteral("Sfondo"), group);
    text_ = new QPushButton(QStringLiteral("Testo"), group);
    background_->setAutoDefault(false);
    text_->setAutoDefault(false);
    sample_ = new QLineEdit(QStringLiteral("     Esempio     "), group);
    sample_->setReadOnly(true);
    sample_->setAlignment(Qt::AlignCenter);
    sample_->setFocusPolicy(Qt::NoFocus);
    auto* note = new QLabel(QStringLiteral("Il nuovo colore sar\u00e0 attivo solo dopo aver chiuso e\n"
                                           "fatto ripartire il programma."),
                            group);

    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(background_);
    colourRow->addWidget(text_);
    colourRow->addWidget(sample_, 1);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addLayout(colourRow);
    groupLayout->addWidget(note);

    auto* save = new QPushButton(QStringLiteral("Salva"), this);
    auto* cancel = new QPushButton(QStringLiteral("Annulla"), this);
    save->setDefault(true);
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(cancel);

    auto* contest = new QVBoxLayout;
    contest->addWidget(cabrilloByBand_);
    contest->addWidget(tips_);
    contest->addWidget(group);
    contest->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(contest);
    sections_ = MakeOptionsSections(settings_, this);
    if (!sections_.empty()) {
        auto* more = new QVBoxLayout;
        for (const auto& section : sections_) {
            more->addWidget(section->Box());
        }
        more->addStretch(1);
        columns->addLayout(more);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(background_, &QPushButton::clicked, this, &COptionsDlg::ChooseBackground);
    connect(text_, &QPushButton::clicked, this, &COptionsDlg::ChooseText);
    connect(save, &QPushButton::clicked, this, &COptionsDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &COptionsDlg::reject);

    PaintSample();
}

std::optional<QColor> COptionsDlg::ChooseWithDialog(const QColor& initial, QWidget* parent) {
    QColorDialog dialog(initial, parent);
    dialog.setOption(QColorDialog::ShowAlphaChannel, false);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    QColor chosen = dialog.selectedColor();
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return chosen;
}

void COptionsDlg::accept() {
    for (const auto& section : sections_) {
        if (!section->Check()) {
            return;
        }
    }
    for (const auto& section : sections_) {
        section->Save(settings_);
    }
    settings_.SetListeningCabrilloByBand(cabrilloByBand_->isChecked());
    settings_.SetTips(tips_->isChecked());
    QDialog::accept();
}

void COptionsDlg::ChooseBackground() {
    if (std::optional<QColor> chosen = chooser_(ColourFromStored(settings_.backgroundColour), this)) {
        settings_.SetBackgroundColour(StoredFromColour(*chosen));
        PaintSample();
    }
}

void COptionsDlg::ChooseText() {
    if (std::optional<QColor> chosen = chooser_(ColourFromStored(settings_.textColour), this)) {
        settings_.SetTextColour(StoredFromColour(*chosen));
        PaintSample();
    }
}

// The sample always shows the colours the program holds now, a colour chosen a
// moment ago included; the rest of the dialog keeps the colours of this run.
void COptionsDlg::PaintSample() {
    const QString back = ColourFromStored(settings_.backgroundColour).name(QColor::HexRgb);
    const QString fore = ColourFromStored(settings_.textColour).name(QColor::HexRgb);
    sample_->setStyleSheet(QStringLiteral("QLineEdit { background-color: %1; color: %2; }").arg(back, fore));
}

}  // namespace tarnex
