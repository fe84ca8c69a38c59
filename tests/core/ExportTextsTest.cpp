#include <gtest/gtest.h>

#include <string>

#include "export/ExportTexts.h"

using namespace tarnex;

TEST(ExportTexts, CabrilloQuestionShowsTheStationData) {
    StationSummary station;
    station.callsign = "MYCALL";
    station.name = "Mario Rossi";
    station.ownSection = "0501";
    station.category = "SINGLE-OP CW";
    EXPECT_EQ(
        CabrilloConfirmText(station, "ALFA"),
        "Attenzione!\nPrima di esportare in formato Cabrillo\naccertarsi di aver impostato nei dati "
        "riassuntivi almeno\nil nominativo, il nome, la categoria e la propria sezione.\n\nIn questo "
        "momento sono impostati i seguenti dati\n\nNominativo: MYCALL\nNome: Mario Rossi\nSezione: 0501 "
        "(ALFA)\nCategoria: SINGLE-OP CW\nVuoi continuare?");
    EXPECT_TRUE(CabrilloConfirmText(StationSummary{}, "")
                    .ends_with("\n\nNominativo: \nNome: \nSezione:  ()\nCategoria: \nVuoi continuare?"));
}

TEST(ExportTexts, CabrilloFileNameIsTheCallsignInLowerCase) {
    struct Case {
        const char* callsign;
        const char* name;
    } cases[] = {
        {"IZ2AAA", "iz2aaa"},     {"I1A", "i1a"},       {"", ""},
        {"iz2aaa", "iz2aaa"},     {"\xC8Z9", "\xC8z9"},  // bytes above 127 stay
        {"IZ2AAA/P", "iz2aaa_p"}, {"I\\1:A", "i_1_a"},   // never a folder
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CabrilloInitialFileName(c.callsign), c.name) << c.callsign;
    }
}

TEST(ExportTexts, DialogsAndMessages) {
    EXPECT_STREQ(kCabrilloDialog.title, "Esporta log in formato Cabrillo");
    EXPECT_STREQ(kCabrilloDialog.filterText, "File Cabrillo (*.log, *.cbr)");
    EXPECT_STREQ(kCabrilloDialog.filterPattern, "*.log;*.cbr");
    EXPECT_STREQ(kCabrilloDialog.defaultExtension, "log");
    EXPECT_STREQ(kAdifDialog.defaultExtension, ".adi");
    EXPECT_STREQ(kFastlogDialog.filterText, "File di testo (*.txt)");
    EXPECT_EQ(ExportOpenErrorText("/home/op/log.adi"), "Errore apertura file:\n/home/op/log.adi\n\n");
    EXPECT_EQ(std::string(kFastlogListeningText),
              "Il programma Fastlog non supporta il modo SWL\nper cui non \xE8 possibile esportare il log "
              "attuale in\nquesto formato.\n");
    EXPECT_TRUE(std::string(kAdifListeningText)
                    .ends_with("numeri progressivi.\n\nVuoi continuare ed esportare il log "
                               "in formato ADIF?"));
}
