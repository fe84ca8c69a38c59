#include "ui/CAboutDlg.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/CInstructionsDlg.h"
#include "ui/ShellResources.h"

namespace tarnex {

QString AboutTitle() {
    return QStringLiteral("Informazioni su TARNEX");
}

QStringList AboutLines() {
    return {
        QStringLiteral("TARNEX versione 1.0"),
        QStringLiteral("Gestione Contest delle Sezioni"),
        QStringLiteral("della Associazione Radioamatori Italiani"),
        QStringLiteral("Il programma \u00e8 gratuito: si pu\u00f2 usare, copiare e"),
        QStringLiteral("distribuire liberamente, senza scopo di lucro."),
        QStringLiteral("\u00c8 fornito cos\u00ec com'\u00e8, senza garanzie di alcun tipo."),
        QStringLiteral("Per segnalare un problema o proporre un miglioramento:"),
        QStringLiteral("descrivete che cosa avete fatto e che cosa \u00e8 successo,"),
        QStringLiteral("allegate se possibile il file del log (.trnx)"),
        QStringLiteral("e il file delle sezioni _sez.cod, e inviate"),
        QStringLiteral("la segnalazione a chi vi ha fornito il programma."),
    };
}

CAboutDlg::CAboutDlg(QWidget* parent, InstructionsOpener openInstructions)
    : QDialog(parent), openInstructions_(std::move(openInstructions)) {
    EnsureShellResources();
    setWindowTitle(AboutTitle());
    QFont arial(QStringLiteral("Arial"));
    arial.setStyleHint(QFont::SansSerif);
    setFont(arial);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("programIcon"));
    icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    auto* text = new QVBoxLayout;
    for (const QString& line : AboutLines()) {
        auto* label = new QLabel(line, this);
        lines_.append(label);
        text->addWidget(label);
    }
    text->addStretch(1);
    auto* picture = new QLabel(this);
    picture->setPixmap(QPixmap(kAboutPicture));

    close_ = new QPushButton(QStringLiteral("Chiudi"), this);
    instructions_ = new QPushButton(QStringLiteral("Istruzioni"), this);
    close_->setDefault(true);
    instructions_->setAutoDefault(false);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    connect(instructions_, &QPushButton::clicked, this, [this] {
        if (openInstructions_) {
            openInstructions_(this);
        } else {
            CInstructionsDlg dialog(InstructionsText(), this);
            dialog.exec();
        }
    });

    auto* grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, Qt::AlignTop);
    grid->addLayout(text, 0, 1);
    grid->addWidget(picture, 0, 2, 2, 1, Qt::AlignTop);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(close_);
    buttons->addWidget(instructions_);
    buttons->addStretch(1);
    grid->addLayout(buttons, 1, 1);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace tarnex
