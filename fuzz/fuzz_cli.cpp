// The command-line tool's argument handling on any command line, with a file of any
// bytes beside real logs and sections files. The input is the arguments, separated by
// NUL bytes, then two NUL bytes and the bytes of the file "fuzz.trnx".
//
// The tool runs in a scratch folder of its own (the process's working folder is moved
// there: run the target with absolute corpus paths), and no argument may name a path
// outside it: every "/" becomes "_". The folder is filled afresh before every run.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "cli/CliMain.h"

using namespace tarnex;

namespace {

const char* const kQsoLog =
    "trnx14;qso\r\nIK2XYZ\r\n1234\r\nSINGLE-OP CW\r\nIK2XYZ\r\nMario Rossi\r\nVia Roma 1\r\n\r\n\r\n"
    "\r\n\r\n\r\n"
    "12.03.2005^1423^14^CW^IK1AAA^599^1234^579^5678^\r\n"
    "12.03.2005^1425^7^SSB^IK1AAA^59^1234^57^5678^\r\n"
    "12.03.2005^1430^9^XX^IZ3BBB^59^1234^57^0130^\r\n";
const char* const kListeningLog =
    "trnx141;hrd\r\nI2-123\r\n1234\r\nSWL\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
    "12.03.2005^1423^14^CW^IK1AAA^599^5678^IZ3BBB^\r\n"
    "12.03.2005^1424^14^CW^IZ3BBB^599^0130^IK1AAA^\r\n";
const char* const kSections = "0130 BARI\r\n1234 MILANO\r\n5678 ROMA\r\n";
const char* const kSectionsText = "Elenco sezioni\r\n\r\n0130 Bari\r\n1234 Milano\r\nfine\r\n";

fuzz::ScratchFolder& Folder() {
    static fuzz::ScratchFolder* folder = [] {
        auto* f = new fuzz::ScratchFolder;
        FUZZ_CHECK(::chdir(f->Path().c_str()) == 0);
        return f;
    }();
    return *folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find(std::string_view("\0\0", 2));
    const std::string_view argText = input.substr(0, split);
    const std::string_view file =
        split == std::string_view::npos ? std::string_view() : input.substr(split + 2);

    std::vector<std::string> args;
    size_t start = 0;
    while (start <= argText.size() && !argText.empty()) {
        size_t end = argText.find('\0', start);
        std::string arg(
            argText.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        for (char& c : arg) {
            if (c == '/') {
                c = '_';
            }
        }
        args.push_back(std::move(arg));
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    if (args.size() > 16) {
        return 0;
    }
    // The network commands reach only a closed port of the loopback address.
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--server") {
            args[i + 1] = "nats://127.0.0.1:1";
        }
    }

    fuzz::ScratchFolder& folder = Folder();
    folder.Empty();
    fuzz::PutFile(folder.Path() + "log.trnx", kQsoLog);
    fuzz::PutFile(folder.Path() + "swl.trnx", kListeningLog);
    fuzz::PutFile(folder.Path() + "_sez.cod", kSections);
    fuzz::PutFile(folder.Path() + "sezioni.txt", kSectionsText);
    fuzz::PutFile(folder.Path() + "fuzz.trnx", file);

    std::ostringstream out;
    std::ostringstream err;
    const int status = RunCli(args, out, err, folder.Path());
    FUZZ_CHECK(status == 0 || status == 1 || status == 2);
    // A refusal ends the error stream with one line that says why (an argument that
    // holds a line break, quoted in the message, may break that line).
    bool lineBreakInArgs = false;
    for (const std::string& arg : args) {
        lineBreakInArgs = lineBreakInArgs || arg.find_first_of("\r\n") != std::string::npos;
    }
    if (status == 2 && !lineBreakInArgs) {
        const std::string message = err.str();
        FUZZ_CHECK(!message.empty() && message.back() == '\n');
        const size_t lineStart = message.find_last_of('\n', message.size() - 2);
        const size_t last = lineStart == std::string::npos ? 0 : lineStart + 1;
        FUZZ_CHECK(message.compare(last, 12, "tarnex-cli: ") == 0);
    }
    return 0;
}
