#include "ui/MainMenu.h"

namespace tarnex {

namespace {

struct Item {
    MenuCommand command;
    const char* text;
};

constexpr Item kFile[] = {
    {MenuCommand::NewLog, "Nuovo log"}, {MenuCommand::Open, "Apri"},
    {MenuCommand::Save, "Salva\tF5"},   {MenuCommand::SaveAs, "Salva come..."},
    {MenuCommand::Print, "Stampa\tF2"}, {MenuCommand::Exit, "Esci"},
};
constexpr Item kLogBeforeSeparator[] = {
    {MenuCommand::StationSummary, "Dati riassuntivi\tF4"},
    {MenuCommand::ShowScore, "Mostra punteggio\tF8"},
    {MenuCommand::SortByDateTime, "Riordina per data ed ora"},
    {MenuCommand::ClearInput, "Cancella campi input\tF9"},
};
constexpr Item kLogAfterSeparator[] = {
    {MenuCommand::ExportCabrillo, "Esporta -> Cabrillo"},
    {MenuCommand::ExportCabrillo3, "Esporta -> Cabrillo 3.0"},
    {MenuCommand::ExportFastlog, "Esporta -> Testo per Fastlog"},
    {MenuCommand::ExportAdif, "Esporta -> ADIF"},
};
constexpr Item kQso[] = {
    {MenuCommand::EditEntries, "Modifica"},
    {MenuCommand::DeleteEntries, "Elimina"},
};
constexpr Item kTools[] = {
    {MenuCommand::Options, "Opzioni"},
    {MenuCommand::SectionsList, "Elenco Sezioni Ari"},
    {MenuCommand::ImportSections, "Importa elenco Sezioni da file di testo"},
    {MenuCommand::UpdateHistory, "Aggiorna storico nominativi..."},
};
constexpr Item kHelp[] = {
    {MenuCommand::About, "Info"},
    {MenuCommand::Instructions, "Istruzioni\tF1"},
};

}  // namespace

void MainMenu::Build(QMenuBar* bar) {
    auto add = [&](QMenu* menu, const auto& items) {
        for (const Item& item : items) {
            QAction* action = menu->addAction(QString::fromLatin1(item.text));
            actions[item.command] = action;
        }
    };
    QMenu* file = bar->addMenu(QStringLiteral("File"));
    add(file, kFile);
    QMenu* log = bar->addMenu(QStringLiteral("Log"));
    add(log, kLogBeforeSeparator);
    log->addSeparator();
    add(log, kLogAfterSeparator);
    qsoMenu = bar->addMenu(QStringLiteral("Qso"));
    add(qsoMenu, kQso);
    QMenu* tools = bar->addMenu(QStringLiteral("Strumenti"));
    add(tools, kTools);
    QMenu* help = bar->addMenu(QStringLiteral("Aiuto"));
    add(help, kHelp);
}

}  // namespace tarnex
