#include "ui/CSectionsDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "app/SectionsCommands.h"
#include "base/UserPrompts.h"
#include "log/WorkedSections.h"
#include "sections/SectionTable.h"
#include "ui/CSectionEditDlg.h"
#include "ui/SectionsListModel.h"
#include "util/TextNumber.h"

namespace tarnex {

namespace {

bool RunEditDialog(UserPrompts& prompts, std::string& code, std::string& name, bool addMode,
                   QWidget* parent) {
    CSectionEditDlg dialog(prompts, parent);
    dialog.SetValues(code, name, addMode);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    code = dialog.Code();
    name = dialog.Name();
    return true;
}

}  // namespace

CSectionsDlg::CSectionsDlg(SectionTable& table, const WorkedSections& worked, UserPrompts& prompts,
                           QWidget* parent, EditRunner edit)
    : QDialog(parent), table_(table), worked_(worked), prompts_(prompts), edit_(std::move(edit)) {
    if (!edit_) {
        edit_ = [this](std::string& code, std::string& name, bool addMode, QWidget* over) {
            return RunEditDialog(prompts_, code, name, addMode, over);
        };
    }
    setWindowTitle(QStringLiteral("Elenco Sezioni ARI"));
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    model_ = new SectionsListModel(SectionRowsOf(table_), this);
    list_ = new QTableView(this);
    list_->setObjectName(QStringLiteral("sections"));
    list_->setModel(model_);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setShowGrid(false);
    list_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    list_->setWordWrap(false);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 4);
    list_->horizontalHeader()->setSectionsClickable(true);
    list_->horizontalHeader()->setHighlightSections(false);
    list_->horizontalHeader()->setStretchLastSection(false);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    list_->setMinimumSize(520, 360);
    connect(list_, &QTableView::doubleClicked, this, [this] { EditSelected(); });
    connect(list_, &QTableView::customContextMenuRequested, this,
            [this](const QPoint& pos) { ShowContextMenu(list_->viewport()->mapToGlobal(pos)); });
    connect(list_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        if (column == 0) {
            SortByCode();
        } else {
            SortByName();
        }
    });

    workedBands_ = new QCheckBox(QStringLiteral("Mostra bande/modi lavorati"), this);
    connect(workedBands_, &QCheckBox::toggled, this, &CSectionsDlg::WorkedBandsToggled);
    save_ = new QPushButton(QStringLiteral("Salva"), this);
    cancel_ = new QPushButton(QStringLiteral("Annulla"), this);
    save_->setDefault(true);
    cancel_->setAutoDefault(false);
    connect(save_, &QPushButton::clicked, this, &CSectionsDlg::Save);
    connect(cancel_, &QPushButton::clicked, this, &CSectionsDlg::reject);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(workedBands_);
    bottom->addStretch(1);
    bottom->addWidget(save_);
    bottom->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(bottom);
    BuildMenus();
    list_->setFocus();
}

CSectionsDlg::~CSectionsDlg() = default;

void CSectionsDlg::BuildMenus() {
    const struct {
        Command command;
        const char* text;
    } items[] = {
        {Command::Edit, "Modifica una o pi\u00f9 sezioni"},
        {Command::Add, "Aggiungi una sezione"},
        {Command::Delete, "Elimina una o pi\u00f9 sezioni"},
        {Command::SortByCode, "Ordina per codice"},
        {Command::SortByName, "Ordina per nome"},
        {Command::Save, "Salva"},
        {Command::Cancel, "Annulla"},
    };
    auto* bar = new QMenuBar(this);
    QMenu* menu = bar->addMenu(QStringLiteral("Sezione"));
    contextMenu_ = new QMenu(this);
    for (const auto& item : items) {
        QAction* action = menu->addAction(QString::fromUtf8(item.text));
        actions_.push_back(action);
        if (item.command != Command::Save && item.command != Command::Cancel) {
            contextMenu_->addAction(action);
        }
    }
    connect(action(Command::Edit), &QAction::triggered, this, &CSectionsDlg::EditSelected);
    connect(action(Command::Add), &QAction::triggered, this, &CSectionsDlg::AddSection);
    connect(action(Command::Delete), &QAction::triggered, this, &CSectionsDlg::DeleteSelected);
    connect(action(Command::SortByCode), &QAction::triggered, this, &CSectionsDlg::SortByCode);
    connect(action(Command::SortByName), &QAction::triggered, this, &CSectionsDlg::SortByName);
    connect(action(Command::Save), &QAction::triggered, this, &CSectionsDlg::Save);
    connect(action(Command::Cancel), &QAction::triggered, this, &CSectionsDlg::reject);
    layout()->setMenuBar(bar);
}

QAction* CSectionsDlg::action(Command command) const {
    return actions_.at(static_cast<size_t>(command));
}

const std::vector<SectionRow>& CSectionsDlg::Rows() const {
    return model_->Rows();
}

std::string CSectionsDlg::BandsOf(size_t row) const {
    return model_->BandsOf(row);
}

void CSectionsDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    SetColumnWidths();
}

// Percentages of the list's width less 20 pixels: code 16, name 84, or, with the
// worked bands, code 16, name 42, bands 42.
void CSectionsDlg::SetColumnWidths() {
    const int width = list_->viewport()->width() - 20;
    QHeaderView* header = list_->horizontalHeader();
    header->resizeSection(0, width * 16 / 100);
    if (model_->ShowsBands()) {
        header->resizeSection(1, width * 42 / 100);
        header->resizeSection(2, width * 42 / 100);
    } else {
        header->resizeSection(1, width * 84 / 100);
    }
}

void CSectionsDlg::WorkedBandsToggled(bool shown) {
    if (shown) {
        std::vector<std::string> bands;
        bands.reserve(Rows().size());
        for (const SectionRow& row : Rows()) {
            const int32_t code = NumericValue(row.code);
            bands.push_back(BandsText({worked_.Bits(code, 0), worked_.Bits(code, 1), worked_.Bits(code, 2)}));
        }
        model_->ShowBands(std::move(bands));
    } else {
        model_->HideBands();
    }
    SetColumnWidths();
}

std::vector<size_t> CSectionsDlg::SelectedRows() const {
    std::vector<size_t> rows;
    for (const QModelIndex& index : list_->selectionModel()->selectedRows()) {
        rows.push_back(static_cast<size_t>(index.row()));
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CSectionsDlg::EditSelected() {
    // From the first selected row to the last; Annulla skips only that row.
    for (size_t row : SelectedRows()) {
        if (row >= Rows().size()) {
            continue;
        }
        SectionRow value = Rows()[row];
        if (edit_(value.code, value.name, false, this)) {
            model_->SetRow(row, std::move(value));
        }
    }
}

void CSectionsDlg::AddSection() {
    SectionRow value;
    if (!edit_(value.code, value.name, true, this)) {
        return;
    }
    // No order is kept and no code is compared here: duplicates are found by Salva.
    model_->AppendRow(std::move(value));
    list_->scrollTo(model_->index(model_->rowCount() - 1, 0));
}

void CSectionsDlg::DeleteSelected() {
    model_->RemoveRows(SelectedRows());
}

void CSectionsDlg::Sort(void (*sorter)(std::vector<SectionRow>&)) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    {
        const QSignalBlocker quiet(workedBands_);
        workedBands_->setChecked(false);
    }
    model_->HideBands();
    std::vector<SectionRow> rows = Rows();
    sorter(rows);
    model_->SetRows(std::move(rows));
    SetColumnWidths();
    QApplication::restoreOverrideCursor();
}

void CSectionsDlg::SortByCode() {
    Sort(&SortSectionsByCode);
}

void CSectionsDlg::SortByName() {
    Sort(&SortSectionsByName);
}

void CSectionsDlg::Save() {
    if (!StoreSectionRows(Rows(), table_, prompts_)) {
        // The table now holds only the rows above the duplicate: the dialog can be
        // left only by a Salva that succeeds, which rebuilds it whole.
        cancelAvailable_ = false;
        cancel_->setEnabled(false);
        action(Command::Cancel)->setEnabled(false);
        return;
    }
    accept();
}

void CSectionsDlg::reject() {
    if (cancelAvailable_) {
        QDialog::reject();
    }
}

bool CSectionsDlg::ShowContextMenu(const QPoint& globalPos) {
    if (!list_->selectionModel()->hasSelection()) {
        return false;
    }
    contextMenu_->popup(globalPos);
    return true;
}

void CSectionsDlg::contextMenuEvent(QContextMenuEvent* event) {
    if (ShowContextMenu(event->globalPos())) {
        event->accept();
    } else {
        QDialog::contextMenuEvent(event);
    }
}

}  // namespace tarnex
