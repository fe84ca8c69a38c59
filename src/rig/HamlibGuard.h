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

    // Called on the thread that starts the radio's threads, before each: puts
    // LC_NUMERIC to "C" for the process. Hamlib switches LC_NUMERIC to "C" and
    // back around its number conversions, restoring the name setlocale gave it, which
    // the switch has freed when the program runs in another locale (as a Qt program
    // does: the user's); and the switch changes the locale under the program's other
    // threads. With "C" in place both calls change nothing. The program turns numbers
    // into text and back in its own code, never through the C locale's numbers.
    static void SettleNumericLocale();

  private:
    std::lock_guard<std::mutex> lock_;
};

}  // namespace tarnex
