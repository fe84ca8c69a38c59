// The chart of the operating: built from the hourly figures (its series and axes),
// the widget for the score window, and the command-line tool's chart command run as
// a real program on a real log, its PNG decoded and its SVG read as XML.

#include <gtest/gtest.h>

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QFile>
#include <QImage>
#include <QLineSeries>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <QXmlStreamReader>
#include <algorithm>
#include <set>

#include "CliTestSupport.h"
#include "charts/ChartFile.h"
#include "charts/OperatingChart.h"
#include "charts/OperatingChartView.h"
#include "log/ContestLog.h"
#include "log/LogFile.h"
#include "score/HourlyActivity.h"
#include "sections/SectionTable.h"

using namespace tarnex;
using namespace tarnex::clitest;

namespace {

// A log of the 2024 contest (Saturday 08.06.2024 12:00 to Sunday 09.06.2024 11:59 UTC):
// 40 m SSB in the first hour, 80 m CW at midnight, 10 m in the last hour, one entry a
// day late and one with a damaged time.
const char* const kLog =
    "trnx14;qso\r\nIZ2XYZ\r\n1201\r\nSINGLE-OP\r\n\r\nMario Rossi\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
    "08.06.2024^1200^7^SSB^IZ2AAA^59^1201^59^1201^\r\n"
    "08.06.2024^1210^7^SSB^IZ2AAB^59^1201^59^1202^\r\n"
    "08.06.2024^1259^7^CW^IZ2AAC^599^1201^599^1202^\r\n"
    "09.06.2024^0000^3,5^CW^IZ2AAD^599^1201^599^5011^\r\n"
    "09.06.2024^1130^28^SSB^IZ2AAE^59^1201^59^8011^\r\n"
    "10.06.2024^1130^28^SSB^IZ2AAF^59^1201^59^8012^\r\n"
    "08.06.2024^12:3^7^SSB^IZ2AAG^59^1201^59^1203^\r\n";

HourlyActivity ActivityOf(const char* bytes) {
    auto sections = std::make_unique<SectionTable>();
    ContestLog log;
    StationSummary station;
    ReadLogBytes(bytes, *sections, log, station);
    return BuildHourlyActivity(log);
}

template <typename T>
T* Only(const QList<QAbstractSeries*>& series) {
    T* found = nullptr;
    for (QAbstractSeries* s : series) {
        if (auto* t = qobject_cast<T*>(s)) {
            EXPECT_EQ(found, nullptr);
            found = t;
        }
    }
    return found;
}

}  // namespace

TEST(OperatingChart, DrawsEachBandsHoursAndTheMultiplierLine) {
    const HourlyActivity activity = ActivityOf(kLog);
    OperatingChart chart(activity);
    EXPECT_EQ(chart.series().size(), 2);

    auto* bars = Only<QStackedBarSeries>(chart.series());
    ASSERT_NE(bars, nullptr);
    ASSERT_EQ(bars->count(), kBandCount);
    QStringList names;
    for (QBarSet* set : bars->barSets()) {
        names << set->label();
        ASSERT_EQ(set->count(), HourlyActivity::kHours);
    }
    EXPECT_EQ(names, (QStringList{"160m", "80m", "40m", "20m", "15m", "10m"}));
    EXPECT_EQ(bars->barSets()[2]->at(0), 3);   // 40 m, 12:00-12:59
    EXPECT_EQ(bars->barSets()[1]->at(12), 1);  // 80 m, 00:00-00:59
    EXPECT_EQ(bars->barSets()[5]->at(23), 1);  // 10 m, 11:00-11:59
    qreal drawn = 0;
    for (QBarSet* set : bars->barSets()) {
        drawn += set->sum();
    }
    EXPECT_EQ(drawn, 5);  // the late entry and the damaged time are on no bar
    std::set<QRgb> colours;
    for (int band = 0; band < kBandCount; ++band) {
        colours.insert(OperatingChart::BandColour(band).rgb());
    }
    EXPECT_EQ(colours.size(), static_cast<size_t>(kBandCount));

    auto* line = Only<QLineSeries>(chart.series());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->name(), "Moltiplicatori (totale)");
    ASSERT_EQ(line->count(), HourlyActivity::kHours);
    EXPECT_EQ(line->at(0), QPointF(0, 3));  // 40 m SSB 1201, 1202; 40 m CW 1202
    EXPECT_EQ(line->at(11), QPointF(11, 3));
    EXPECT_EQ(line->at(12), QPointF(12, 4));  // 80 m CW 5011
    EXPECT_EQ(line->at(23), QPointF(23, 5));  // 10 m SSB 8011
    ASSERT_EQ(line->attachedAxes().size(), 2);

    auto* hours = qobject_cast<QBarCategoryAxis*>(chart.axes(Qt::Horizontal).value(0));
    ASSERT_NE(hours, nullptr);
    EXPECT_EQ(hours->count(), HourlyActivity::kHours);
    EXPECT_EQ(hours->at(0), "12");
    EXPECT_EQ(hours->at(12), "00");
    EXPECT_EQ(hours->at(23), "11");
    QStringList valueTitles;
    for (QAbstractAxis* axis : chart.axes(Qt::Vertical)) {
        auto* values = qobject_cast<QValueAxis*>(axis);
        ASSERT_NE(values, nullptr);
        valueTitles << values->titleText();
        EXPECT_GE(values->max(), axis->titleText() == "QSO per ora" ? 3 : 5);
    }
    valueTitles.sort();
    EXPECT_EQ(valueTitles, (QStringList{"Moltiplicatori (totale)", "QSO per ora"}));
    EXPECT_EQ(
        OperatingChart::TitleFor(activity),
        "QSO per ora e moltiplicatori<br><small>08.06.2024 12:00 - 09.06.2024 11:59 UTC; non nel grafico: "
        "1 fuori dal periodo del contest, 1 senza data od ora valida</small>");
    EXPECT_TRUE(chart.title().contains(OperatingChart::TitleFor(activity)));
}

TEST(OperatingChart, TitlesOfAListeningLogAndOfALogWithoutDates) {
    HourlyActivity listening;
    listening.mode = LogMode::Listening;
    listening.period = ContestPeriodOfYear(2024);
    EXPECT_EQ(OperatingChart::TitleFor(listening),
              "HRD per ora e moltiplicatori<br><small>08.06.2024 12:00 - 09.06.2024 11:59 UTC</small>");
    EXPECT_EQ(OperatingChart::TitleFor(HourlyActivity{}),
              "QSO per ora e moltiplicatori<br><small>Nessuna voce con data valida</small>");
}

TEST(OperatingChartView, NeverTakesTheFocusAndShowsTheActivityGiven) {
    OperatingChartView view;
    EXPECT_EQ(view.focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(view.Chart()->title().contains("Nessuna voce"));
    view.SetActivity(ActivityOf(kLog));
    EXPECT_TRUE(view.Chart()->title().contains("08.06.2024"));
    view.resize(800, 400);
    view.show();
    auto* hours = qobject_cast<QBarCategoryAxis*>(view.Chart()->axes(Qt::Horizontal).value(0));
    ASSERT_NE(hours, nullptr);
    EXPECT_EQ(hours->labelsAngle(), -90);  // compact: the hours stand upright
    const QImage shown = view.grab().toImage();
    EXPECT_EQ(shown.width(), 800);
}

TEST(ChartCommand, WritesAPngAndAnSvgOfTheLog) {
    TempFolder folder;
    const std::string log = folder.File("contest.trnx");
    WriteAll(log, kLog);

    const std::string png = folder.File("grafico.png");
    CliRun run = RunProgram(CliPath(), {"chart", log, "-o", png}, folder);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "not on the chart: 1 outside the contest period, 1 without a real date or time\n");
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(png), "PNG"));
    EXPECT_EQ(image.size(), QSize(kChartFileWidth, kChartFileHeight));
    // The 40 m bars are there in their colour.
    const QRgb forty = OperatingChart::BandColour(2).rgb();
    int fortyPixels = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            fortyPixels += image.pixel(x, y) == forty ? 1 : 0;
        }
    }
    EXPECT_GT(fortyPixels, 1000);

    const std::string svg = folder.File("grafico.SVG");
    run = RunProgram(CliPath(), {"chart", log, "--sections", DataFile("sez.cod"), "-o", svg}, folder);
    EXPECT_EQ(run.status, 0) << run.err;
    QFile file(QString::fromStdString(svg));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QStringList texts;
    bool isSvg = false;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement) {
            isSvg = isSvg || xml.name() == QStringLiteral("svg");
            if (xml.name() == QStringLiteral("text") || xml.name() == QStringLiteral("title")) {
                texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
            }
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_TRUE(isSvg);
    for (const char* name :
         {"160m", "80m", "40m", "20m", "15m", "10m", "Moltiplicatori (totale)", "QSO per ora"}) {
        EXPECT_TRUE(texts.contains(name)) << name;
    }
}

TEST(ChartCommand, RefusesBadInputWithOneLineAndLeavesNoFile) {
    TempFolder folder;
    const std::string log = folder.File("contest.trnx");
    WriteAll(log, kLog);
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"chart", folder.File("missing.trnx"), "-o", folder.File("out.png")}, "out.png"},
        {{"chart", log, "-o", folder.File("out.jpg")}, "out.jpg"},
        {{"chart", log, "-o", folder.File("png")}, "png"},
        {{"chart", log}, ""},
        {{"chart", log, "-o", folder.File("no/such/folder/out.png")}, "no"},
        {{"chart", log, "-o", folder.File("out.svg"), "--sections", folder.File("missing.cod")}, "out.svg"},
    };
    for (const auto& [args, output] : cases) {
        CliRun run = RunProgram(CliPath(), args, folder);
        EXPECT_EQ(run.status, 2) << args.back();
        EXPECT_EQ(run.err.rfind("tarnex-cli: ", 0), 0u) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        // Only the log is in the folder: no output, no temporary file.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1) << args.back();
    }
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
