#include "ui/RadioOptionsSection.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <algorithm>
#include <string>

#include "app/Settings.h"
#include "base/UserPrompts.h"
#include "rig/RigConfig.h"
#include "ui/FieldInputValidator.h"
#include "ui/TextCodec.h"

namespace tarnex {

namespace {

// The serial speeds offered; 0 leaves the model's own.
constexpr int kSpeeds[] = {0, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

constexpr const char* kIntervalText = "L'intervallo di lettura della radio va da 50 a 60000 millisecondi.";
constexpr const char* kNetworkPortText =
    "Per la radio condivisa da rigctld la porta si scrive host:porta, per esempio 127.0.0.1:4532.";
constexpr const char* kPortText =
    "La porta della radio si scrive senza spazi: il dispositivo seriale (per esempio /dev/ttyUSB0) "
    "o host:porta.";

QString ModelLabel(const RigModel& model) {
    QString label = QString::fromStdString(model.Label());
    if (model.number != kNoRadioModel) {
        label += QStringLiteral(" (%1)").arg(model.number);
    }
    return label;
}

bool AllDigits(const QString& text) {
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

// "host", "host:porta" or "[IPv6]:porta", as the network model takes them; empty for
// its default (localhost).
bool IsNetworkAddress(const QString& text) {
    if (text.isEmpty()) {
        return true;
    }
    QString port;
    if (text.startsWith(QLatin1Char('['))) {
        const qsizetype close = text.indexOf(QLatin1Char(']'));
        if (close < 2) {
            return false;
        }
        const QString rest = text.mid(close + 1);
        if (rest.isEmpty()) {
            return true;
        }
        if (!rest.startsWith(QLatin1Char(':'))) {
            return false;
        }
        port = rest.mid(1);
    } else if (text.count(QLatin1Char(':')) == 1) {
        const qsizetype colon = text.indexOf(QLatin1Char(':'));
        if (colon == 0) {
            return false;
        }
        port = text.mid(colon + 1);
    } else {
        return true;  // a host name, or an IPv6 address without a port
    }
    bool ok = false;
    const int number = port.toInt(&ok);
    return AllDigits(port) && ok && number >= 1 && number <= 65535;
}

}  // namespace

RadioOptionsSection::RadioOptionsSection(const Settings& settings, UserPrompts& prompts, QWidget* dialog)
    : QObject(dialog), prompts_(prompts), models_(RigModels()) {
    box_ = new QGroupBox(QStringLiteral("Radio"), dialog);
    search_ = new QLineEdit(box_);
    search_->setPlaceholderText(QStringLiteral("marca, nome o numero"));
    search_->setClearButtonEnabled(true);
    model_ = new QComboBox(box_);
    model_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    model_->setMinimumContentsLength(24);
    port_ = new QLineEdit(box_);
    port_->setPlaceholderText(QStringLiteral("/dev/ttyUSB0 o host:porta"));
    speed_ = new QComboBox(box_);
    interval_ = new QLineEdit(box_);
    new FieldInputValidator(interval_, FieldRules{5, true, false});

    auto* form = new QFormLayout(box_);
    form->addRow(QStringLiteral("Cerca"), search_);
    form->addRow(QStringLiteral("Modello"), model_);
    form->addRow(QStringLiteral("Porta"), port_);
    form->addRow(QStringLiteral("Velocit\u00e0"), speed_);
    form->addRow(QStringLiteral("Intervallo (ms)"), interval_);

    // A model Hamlib does not know (settings from another installation) stays
    // choosable, so that saving other options keeps it.
    const int stored = settings.radioModel;
    if (std::none_of(models_.begin(), models_.end(), [&](const RigModel& m) { return m.number == stored; })) {
        models_.push_back({stored, "", "Modello sconosciuto"});
    }
    ShowModels(stored);

    port_->setText(TextCodec::ToQString(settings.radioPort));
    for (int speed : kSpeeds) {
        speed_->addItem(speed == 0 ? QStringLiteral("Quella del modello") : QString::number(speed), speed);
    }
    if (speed_->findData(settings.radioSpeed) < 0) {
        speed_->addItem(QString::number(settings.radioSpeed), settings.radioSpeed);
    }
    speed_->setCurrentIndex(speed_->findData(settings.radioSpeed));
    interval_->setText(QString::number(settings.radioIntervalMs));

    connect(search_, &QLineEdit::textChanged, this, [this] { ShowModels(ChosenModel()); });
}

int RadioOptionsSection::ChosenModel() const {
    return model_->currentIndex() < 0 ? kNoRadioModel : model_->currentData().toInt();
}

void RadioOptionsSection::ShowModels(int chosen) {
    const bool searching = !search_->text().trimmed().isEmpty();
    std::vector<RigModel> shown = FilterRigModels(models_, search_->text().toStdString());
    // A search that finds nothing leaves the chosen radio chosen.
    const auto chosenModel =
        std::find_if(models_.begin(), models_.end(), [&](const RigModel& m) { return m.number == chosen; });
    if (shown.size() == 1 && chosen != kNoRadioModel && chosenModel != models_.end()) {
        shown.push_back(*chosenModel);
    }
    int select = -1;
    model_->clear();
    for (const RigModel& model : shown) {
        if (model.number == chosen && (chosen != kNoRadioModel || !searching)) {
            select = model_->count();
        }
        model_->addItem(ModelLabel(model), model.number);
    }
    if (select < 0) {
        select = shown.size() > 1 ? 1 : 0;  // the first radio found
    }
    model_->setCurrentIndex(select);
}

bool RadioOptionsSection::Refuse(const char* text, QWidget* field) {
    prompts_.ShowMessage(text, kErrorTitle, MessageIcon::Stop);
    field->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        edit->selectAll();
    }
    return false;
}

bool RadioOptionsSection::Check() {
    if (ChosenModel() == kNoRadioModel) {
        return true;  // nothing is read: the other values wait for a radio
    }
    bool ok = false;
    const int interval = interval_->text().toInt(&ok);
    if (!ok || interval < kShortestPollIntervalMs || interval > kLongestPollIntervalMs) {
        return Refuse(kIntervalText, interval_);
    }
    const QString port = port_->text().trimmed();
    const bool spaces = std::any_of(port.begin(), port.end(), [](QChar c) { return c.isSpace(); });
    if (spaces || !TextCodec::CanEncode(port)) {
        return Refuse(kPortText, port_);
    }
    if (ChosenModel() == kNetworkRadioModel && !IsNetworkAddress(port)) {
        return Refuse(kNetworkPortText, port_);
    }
    return true;
}

void RadioOptionsSection::Save(Settings& settings) {
    const int model = ChosenModel();
    const std::string port = TextCodec::ToBytes(port_->text().trimmed());
    const int speed = speed_->currentData().toInt();
    const int interval = interval_->text().toInt();
    if (model != settings.radioModel || port != settings.radioPort || speed != settings.radioSpeed ||
        interval != settings.radioIntervalMs) {
        settings.SetRadio(model, port, speed, interval);
    }
}

}  // namespace tarnex
