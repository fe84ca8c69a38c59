#pragma once
// A radio through Hamlib: any model Hamlib knows, on a serial device or, for the
// network model, on "host:port" of a rigctld.

#include <string>
#include <string_view>

#include "rig/Radio.h"
#include "rig/RigConfig.h"

struct s_rig;

namespace tarnex {

class HamlibRadio : public Radio {
  public:
    explicit HamlibRadio(RigConfig config);
    ~HamlibRadio() override;
    HamlibRadio(const HamlibRadio&) = delete;
    HamlibRadio& operator=(const HamlibRadio&) = delete;

    RadioResult Open() override;
    RadioResult Read(RadioSample& sample) override;
    void Close() override;
    std::string Describe() const override;

    // Puts the radio on a frequency and a mode (Hamlib's name of it).
    RadioResult Tune(double frequencyHz, std::string_view mode);

  private:
    RadioResult Failed(const char* what, int code) const;

    RigConfig config_;
    s_rig* rig_ = nullptr;
    bool open_ = false;
};

}  // namespace tarnex
