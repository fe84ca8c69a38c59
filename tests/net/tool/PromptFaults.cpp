// In a program of its own (the separate position program, the network benchmarks) a
// scripted prompt's fault ends the program with the fault on the error stream: the test
// or the person that started it sees the exit status.

#include <cstdlib>
#include <iostream>

#include "ScriptedPrompts.h"

namespace tarnex::testing {

void ReportPromptFault(const std::string& what) {
    std::cerr << "scripted prompts: " << what << std::endl;
    std::_Exit(3);
}

}  // namespace tarnex::testing
