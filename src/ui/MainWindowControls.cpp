#include "ui/MainWindowControls.h"

#include <QHeaderView>
#include <QRegularExpressionValidator>

#include "log/BandMode.h"

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitMainResourcesOnce() {
    Q_INIT_RESOURCE(main);
}

namespace tarnex {

void EnsureMainResources() {
    static const bool done = (InitMainResourcesOnce(), true);
    (void)done;
}

namespace {

QLabel* Label(QWidget* parent, const DialogUnits& du, const char* text, int x, int y, int width,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setGeometry(du.Rect(x, y, width, 9));
    label->setAlignment(align);
    return label;
}

QLineEdit* Edit(QWidget* parent, const DialogUnits& du, int x, int y, int width, int height,
                int maxLength = 0, bool digitsOnly = false) {
    auto* edit = new QLineEdit(parent);
    edit->setGeometry(du.Rect(x, y, width, height));
    if (maxLength > 0) {
        edit->setMaxLength(maxLength);
    }
    if (digitsOnly) {
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    }
    return edit;
}

QTableView* List(QWidget* parent, const DialogUnits& du, int x, int y, int width, int height) {
    auto* list = new QTableView(parent);
    list->setGeometry(du.Rect(x, y, width, height));
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setShowGrid(false);
    list->setWordWrap(false);
    list->setTabKeyNavigation(false);
    list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    list->verticalHeader()->hide();
    list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 3);
    list->horizontalHeader()->setStretchLastSection(false);
    list->horizontalHeader()->setHighlightSections(false);
    list->horizontalHeader()->setSectionsMovable(false);
    return list;
}

PictureButton* Marker(QWidget* parent, const DialogUnits& du, const char* on, const char* off, int x, int y) {
    auto* marker =
        new PictureButton(QPixmap(QString::fromLatin1(on)), QPixmap(QString::fromLatin1(off)), parent);
    marker->setGeometry(du.Rect(x, y, 8, 11));
    marker->hide();
    return marker;
}

QLabel* Picture(QWidget* parent, const DialogUnits& du, const char* resource, int x, int y) {
    auto* picture = new QLabel(parent);
    QPixmap pixmap(QString::fromLatin1(resource));
    picture->setPixmap(pixmap);
    picture->setGeometry(QRect(du.Point(x, y), pixmap.size()));
    picture->hide();
    return picture;
}

constexpr int kGridX[kBandCount] = {362, 374, 386, 398, 410, 422};
constexpr int kGridY[2][kModeCount] = {{121, 132, 143}, {164, 175, 186}};

}  // namespace

void MainWindowControls::Build(QWidget* client, const DialogUnits& du) {
    EnsureMainResources();

    logGroup = new QGroupBox(QStringLiteral(" LOG "), client);
    logGroup->setGeometry(du.Rect(7, 3, 447, 95));
    previousGroup = new QGroupBox(QStringLiteral(" Collegamenti precedenti"), client);
    previousGroup->setGeometry(du.Rect(7, 102, 284, 97));
    gridFrame = new QFrame(client);
    gridFrame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    gridFrame->setGeometry(du.Rect(298, 106, 156, 93));
    entryGroup = new QGroupBox(QStringLiteral(" Inserimento nuovo QSO "), client);
    entryGroup->setGeometry(du.Rect(4, 203, 453, 57));
    scoreGroup = new QGroupBox(QStringLiteral(" Punteggio "), client);
    scoreGroup->setGeometry(du.Rect(kFormWidth, 3, kSideWidth - 6, 95));
    knownCallsGroup = new QGroupBox(QStringLiteral(" Nominativi noti "), client);
    knownCallsGroup->setGeometry(du.Rect(kFormWidth, 102, kSideWidth - 6, 158));
    for (QWidget* frame : {static_cast<QWidget*>(logGroup), static_cast<QWidget*>(previousGroup),
                           static_cast<QWidget*>(gridFrame), static_cast<QWidget*>(entryGroup),
                           static_cast<QWidget*>(scoreGroup), static_cast<QWidget*>(knownCallsGroup)}) {
        frame->setFocusPolicy(Qt::NoFocus);
    }
    radioStatus = Label(client, du, "", 7, kFormHeight, 180);
    networkStatus = Label(client, du, "", 192, kFormHeight, 260);
    for (QLabel* status : {radioStatus, networkStatus}) {
        status->hide();
    }

    logList = List(client, du, 16, 14, 426, 79);
    logList->setSelectionMode(QAbstractItemView::ExtendedSelection);

    previousCall = Edit(client, du, 15, 120, 87, 12, kCallsignFieldLength);
    ownSectionLabel =
        Label(client, du, "Mio codice sezione", 170, 121, 80, Qt::AlignRight | Qt::AlignVCenter);
    ownSection = Edit(client, du, 253, 120, 30, 12, kSectionCodeLength, true);
    previousList = List(client, du, 15, 138, 268, 55);
    previousList->setSelectionMode(QAbstractItemView::SingleSelection);

    // The worked grids: titles, band and mode legends, 36 cells.
    gridTitle0 = Label(client, du, "Moltiplicatore", 304, 111, 56);
    gridTitle1 = Label(client, du, "Nominativo", 304, 154, 56);
    const QPixmap cellOn(QStringLiteral(":/main/cell_on.png"));
    const QPixmap cellOff(QStringLiteral(":/main/cell_off.png"));
    const char* modeNames[kModeCount] = {"ssb", "cw", "rtty"};
    for (int grid = 0; grid < 2; ++grid) {
        const int legendY = kGridY[grid][0] - 9;
        for (int band = 0; band < kBandCount; ++band) {
            QLabel* legend = Label(client, du, "", kGridX[band] - 2, legendY, 13, Qt::AlignCenter);
            legend->setText(
                QString::fromLatin1(kBandTexts[static_cast<size_t>(band)].data(),
                                    static_cast<qsizetype>(kBandTexts[static_cast<size_t>(band)].size())));
        }
        for (int mode = 0; mode < kModeCount; ++mode) {
            Label(client, du, modeNames[mode], 336, kGridY[grid][mode], 24,
                  Qt::AlignRight | Qt::AlignVCenter);
            for (int band = 0; band < kBandCount; ++band) {
                auto* cell = new PictureButton(cellOn, cellOff, client);
                cell->setGeometry(du.Rect(kGridX[band], kGridY[grid][mode], 9, 9));
                cells[static_cast<size_t>(GridCell(grid, mode, band))] = cell;
            }
        }
    }

    // The entry form: labels above the fields, fields in their tab order.
    Label(client, du, "Data", 15, 216, 40);
    Label(client, du, "Utc", 66, 216, 26);
    Label(client, du, "MHz", 94, 216, 34);
    Label(client, du, "Modo", 130, 216, 38);
    Label(client, du, "Nominativo", 170, 216, 60);
    Label(client, du, "RST tx", 260, 216, 32);
    rstReceivedLabel = Label(client, du, "RST rx", 293, 216, 32);
    Label(client, du, "Sezione", 328, 216, 28);
    Label(client, du, "Nome Sezione", 357, 216, 56);
    duplicate = Picture(client, du, ":/main/dup.png", 234, 213);
    newMultiplier = Picture(client, du, ":/main/molt.png", 414, 213);

    date = Edit(client, du, 15, 225, 48, 13);
    time = Edit(client, du, 66, 225, 27, 13, kTimeFieldLength);
    band = new QComboBox(client);
    band->setGeometry(du.Rect(94, 225, 35, 13));
    for (std::string_view text : kBandTexts) {
        band->addItem(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    }
    mode = new QComboBox(client);
    mode->setGeometry(du.Rect(130, 225, 39, 13));
    for (std::string_view text : kModeTexts) {
        mode->addItem(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    }
    callsign = Edit(client, du, 170, 225, 88, 13, kCallsignFieldLength);
    rstSent = Edit(client, du, 260, 225, 32, 13, 0, true);
    rstReceived = Edit(client, du, 293, 225, 32, 13, 0, true);
    section = Edit(client, du, 328, 225, 27, 13, kSectionCodeLength, true);
    sectionName = Edit(client, du, 357, 225, 89, 13);
    callsign2 = Edit(client, du, 170, 241, 88, 13);
    section2 = Edit(client, du, 328, 241, 27, 13, 0, true);
    sectionName2 = Edit(client, du, 357, 241, 89, 13);

    autoClock = new QCheckBox(QStringLiteral("Data/ora auto"), client);
    autoClock->setGeometry(du.Rect(15, 242, 62, 10));
    pcShowsUtc = new QCheckBox(QStringLiteral("pc mostra utc"), client);
    pcShowsUtc->setGeometry(du.Rect(81, 241, 64, 10));
    clear = new QPushButton(QStringLiteral("C"), client);
    clear->setGeometry(du.Rect(150, 241, 13, 12));
    clear->setAutoDefault(false);

    markerC = Marker(client, du, ":/main/marker_c_on.png", ":/main/marker_c_off.png", 293, 226);
    for (int i = 0; i < kAnswersPerBandMode; ++i) {
        markerR[static_cast<size_t>(i)] =
            Marker(client, du, ":/main/marker_r_on.png", ":/main/marker_r_off.png", 294 + 10 * i, 242);
    }
    markerM[0] = Marker(client, du, ":/main/marker_m.png", ":/main/marker_m.png", 447, 226);
    markerM[1] = Marker(client, du, ":/main/marker_m.png", ":/main/marker_m.png", 447, 242);

    Arrange(LogMode::Qso, du);
}

void MainWindowControls::Arrange(LogMode logMode, const DialogUnits& du) {
    const bool listening = logMode == LogMode::Listening;
    callsign2->setVisible(listening);
    section2->setVisible(listening);
    sectionName2->setVisible(listening);
    rstReceived->setGeometry(listening ? du.Rect(260, 241, 32, 13) : du.Rect(293, 225, 32, 13));
    rstReceivedLabel->setVisible(!listening);
    markerC->hide();
    for (PictureButton* marker : markerR) {
        marker->hide();
    }
    for (PictureButton* marker : markerM) {
        marker->hide();
    }
    gridTitle0->setText(listening ? QStringLiteral("Sezione 1") : QStringLiteral("Moltiplicatore"));
    gridTitle1->setText(listening ? QStringLiteral("Sezione 2") : QStringLiteral("Nominativo"));
}

}  // namespace tarnex
