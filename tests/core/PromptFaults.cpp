// The scripted prompts' faults fail the running GoogleTest test.

#include <gtest/gtest.h>

#include "ScriptedPrompts.h"

namespace tarnex::testing {

void ReportPromptFault(const std::string& what) {
    ADD_FAILURE() << "scripted prompts: " << what;
}

}  // namespace tarnex::testing
