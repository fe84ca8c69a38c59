#include "ui/CLogFindingsDlg.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/TextCodec.h"

namespace tarnex {

namespace {

constexpr int kRowColumn = 0;
constexpr int kReasonColumn = 1;

QTableWidgetItem* Cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

}  // namespace

CLogFindingsDlg::CLogFindingsDlg(const std::vector<LogFinding>& findings, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("TARNEX - Controllo del log"));
    setModal(true);

    auto* note =
        new QLabel(QStringLiteral("Il controllo del log ha trovato questi problemi: il file potrebbe "
                                  "essere rifiutato.\nUn doppio clic su un problema apre la riga del log "
                                  "o i dati riassuntivi per correggerli."),
                   this);

    list_ = new QTableWidget(0, 2, this);
    list_->setObjectName(QStringLiteral("findings"));
    list_->setHorizontalHeaderLabels({QStringLiteral("Riga"), QStringLiteral("Motivo")});
    list_->verticalHeader()->hide();
    list_->horizontalHeader()->setSectionResizeMode(kRowColumn, QHeaderView::ResizeToContents);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setWordWrap(false);
    list_->setMinimumSize(list_->fontMetrics().horizontalAdvance(QString(90, QLatin1Char('x'))),
                          list_->fontMetrics().lineSpacing() * 14);
    // A double click, or Enter on the current line.
    connect(list_, &QTableWidget::activated, this, [this](const QModelIndex& index) { Chosen(index.row()); });

    goOn_ = new QPushButton(QStringLiteral("Esporta comunque"), this);
    goOn_->setObjectName(QStringLiteral("goOn"));
    cancel_ = new QPushButton(QStringLiteral("Annulla"), this);
    cancel_->setObjectName(QStringLiteral("cancel"));
    // No default button: Enter in the list opens a row and must not also end the dialog.
    for (QPushButton* button : {goOn_, cancel_}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(goOn_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(goOn_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(list_);
    layout->addLayout(buttons);

    SetFindings(findings);
    list_->setFocus();
}

void CLogFindingsDlg::SetFindings(const std::vector<LogFinding>& findings) {
    findings_ = findings;
    list_->clearContents();
    list_->setRowCount(static_cast<int>(findings_.size()));
    for (size_t i = 0; i < findings_.size(); ++i) {
        const LogFinding& finding = findings_[i];
        const QString row =
            finding.row ? QString::number(*finding.row + 1) : QStringLiteral("Dati riassuntivi");
        QTableWidgetItem* rowCell = Cell(row);
        rowCell->setTextAlignment(finding.row ? Qt::AlignRight | Qt::AlignVCenter
                                              : Qt::AlignLeft | Qt::AlignVCenter);
        list_->setItem(static_cast<int>(i), kRowColumn, rowCell);
        list_->setItem(static_cast<int>(i), kReasonColumn, Cell(TextCodec::ToQString(finding.reason)));
    }
    if (!findings_.empty()) {
        list_->setCurrentCell(0, kReasonColumn);
    }
}

void CLogFindingsDlg::Chosen(int line) {
    if (line < 0 || static_cast<size_t>(line) >= findings_.size()) {
        return;
    }
    if (!findings_[static_cast<size_t>(line)].row) {
        emit stationChosen();
        return;
    }
    chosenRow_ = *findings_[static_cast<size_t>(line)].row;
    emit rowChosen(static_cast<int>(*chosenRow_));
}

}  // namespace tarnex
