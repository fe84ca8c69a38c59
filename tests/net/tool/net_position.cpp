// A position of a shared log in a process of its own, for the tests that kill one:
//   net_position FOLDER SERVERS LOG POSITION add CALL...       adds the contacts, waits
//                                                             until they are back, exits
//   net_position FOLDER SERVERS LOG POSITION add-and-die CALL  adds one contact and is
//                                                             killed between its journal
//                                                             write and its send

#include <signal.h>

#include <iostream>

#include "NetPosition.h"

using namespace tarnex;
using namespace tarnex::testing;

int main(int argc, char** argv) {
    if (argc < 7) {
        std::cerr << "usage: net_position FOLDER SERVERS LOG POSITION add|add-and-die CALL...\n";
        return 2;
    }
    const std::string command = argv[5];
    NetPosition position(argv[1]);
    if (!position.Start(argv[2], argv[3], argv[4])) {
        std::cerr << position.net->Status().reason << "\n";
        return 1;
    }
    if (command == "add-and-die") {
        position.net->SetBeforeSend([] { ::raise(SIGKILL); });
        position.AddQso(argv[6]);
        return 3;  // not reached
    }
    for (int i = 6; i < argc; ++i) {
        position.AddQso(argv[i]);
    }
    const bool sent = position.PollUntil([&] { return position.net->Status().unsent == 0; });
    std::cout << (sent ? "sent" : "not sent: " + position.net->Status().reason) << "\n";
    return sent ? 0 : 1;
}
