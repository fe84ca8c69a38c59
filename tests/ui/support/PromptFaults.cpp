// The scripted prompts' faults fail the running Qt Test function.

#include <QTest>

#include "ScriptedPrompts.h"

namespace tarnex::testing {

void ReportPromptFault(const std::string& what) {
    const std::string message = "scripted prompts: " + what;
    QTest::qFail(message.c_str(), __FILE__, __LINE__);
}

}  // namespace tarnex::testing
