#pragma once
// Hamlib keeps process-wide tables (the radio backends and their models) that it
// fills on first use without locking. Every call that may touch them (creating and
// freeing a radio handle, listing the models) holds this guard; the guard also
// silences Hamlib's debug output once, before the first such call.

#include <mutex>

namespace tarnex {

class HamlibGuard {
  public:
    HamlibGuard();

  private:
    std::lock_guard<std::mutex> lock_;
};

}  // namespace tarnex
