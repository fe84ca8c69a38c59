#pragma once
// "Rete" in "Opzioni": several positions logging into one shared log. The servers
// (addresses separated by commas, the same list on every position of a cluster), the
// shared log's name and this position's name. No server: the network is off and the
// two names wait unchecked. Salva stores "Rete server", "Rete log" and "Rete
// postazione" when one of them changed; the window then joins, leaves or joins again
// at once.

#include <QObject>

#include "ui/OptionsSection.h"

class QLineEdit;

namespace tarnex {

class NetOptionsSection : public QObject, public OptionsSection {
    Q_OBJECT
  public:
    NetOptionsSection(const Settings& settings, UserPrompts& prompts, QWidget* dialog);

    QGroupBox* Box() override { return box_; }
    // With a server given: every address reads "host", "host:porta" or
    // "nats://host:porta"; the log's and the position's names are ones the server's
    // names can carry.
    bool Check() override;
    void Save(Settings& settings) override;

    QLineEdit* ServersField() const { return servers_; }
    QLineEdit* LogField() const { return log_; }
    QLineEdit* PositionField() const { return position_; }

    // Whether one address of the servers' list is one the client can use.
    static bool IsServerAddress(const QString& address);

  private:
    bool Refuse(const char* text, QLineEdit* field);

    UserPrompts& prompts_;
    QGroupBox* box_ = nullptr;
    QLineEdit* servers_ = nullptr;
    QLineEdit* log_ = nullptr;
    QLineEdit* position_ = nullptr;
};

}  // namespace tarnex
