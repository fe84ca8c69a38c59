#pragma once
// Told of what happens on the entry form for others to follow (the partial-call
// lookup follows each keystroke in a callsign field). Observers are added with
// EntryForm::AddObserver and are told after the form has taken the change.

#include <string>

#include "entry/EntryFormState.h"

namespace tarnex {

class EntryFormObserver {
  public:
    virtual ~EntryFormObserver() = default;
    // A keystroke in a callsign field (Callsign, or Callsign2 in listening mode); the
    // text as it stands now, upper-cased as the window shows it.
    virtual void CallsignTyped(EntryField field, const std::string& text) {}
};

}  // namespace tarnex
