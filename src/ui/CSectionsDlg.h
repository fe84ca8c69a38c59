#pragma once
// "Elenco Sezioni ARI": the list of ARI sections to review and correct. Every command
// works on the dialog's own rows; Salva puts them into the section table (the opener
// then writes the sections file). Two rows with the same code make Salva fail, and
// from then on the dialog can only be left by a Salva that succeeds.

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "sections/SectionRows.h"

class QAction;
class QCheckBox;
class QMenu;
class QPushButton;
class QTableView;

namespace tarnex {

class SectionTable;
class SectionsListModel;
class UserPrompts;
class WorkedSections;

class CSectionsDlg : public QDialog {
    Q_OBJECT
  public:
    enum class Command { Edit, Add, Delete, SortByCode, SortByName, Save, Cancel };

    // Runs the edit dialog for one section; code and name are read back when it ends
    // with Salva (true).
    using EditRunner =
        std::function<bool(std::string& code, std::string& name, bool addMode, QWidget* parent)>;

    CSectionsDlg(SectionTable& table, const WorkedSections& worked, UserPrompts& prompts,
                 QWidget* parent = nullptr, EditRunner edit = {});
    ~CSectionsDlg() override;

    // The commands of the menu "Sezione", in menu order; the first five are also the
    // context menu.
    QAction* action(Command command) const;
    QMenu* ContextMenu() const { return contextMenu_; }
    QTableView* List() const { return list_; }
    QCheckBox* WorkedBandsBox() const { return workedBands_; }
    QPushButton* SaveButton() const { return save_; }
    QPushButton* CancelButton() const { return cancel_; }
    const std::vector<SectionRow>& Rows() const;
    std::string BandsOf(size_t row) const;
    bool CancelAvailable() const { return cancelAvailable_; }

    void EditSelected();
    void AddSection();
    void DeleteSelected();
    void SortByCode();
    void SortByName();
    void Save();
    // Shows the context menu at a screen position when at least one row is
    // selected; false when nothing was shown.
    bool ShowContextMenu(const QPoint& globalPos);

    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void BuildMenus();
    void WorkedBandsToggled(bool shown);
    void SetColumnWidths();
    std::vector<size_t> SelectedRows() const;
    void Sort(void (*sorter)(std::vector<SectionRow>&));

    SectionTable& table_;
    const WorkedSections& worked_;
    UserPrompts& prompts_;
    EditRunner edit_;
    SectionsListModel* model_ = nullptr;
    QTableView* list_ = nullptr;
    QCheckBox* workedBands_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QMenu* contextMenu_ = nullptr;
    std::vector<QAction*> actions_;
    bool cancelAvailable_ = true;
};

}  // namespace tarnex
