// Runs media-control commands in a process of its own, so that a test can give it an
// environment of its own (no audio driver, no drive). Each argument is a command, or
// "=devices" for waveOutGetNumDevs, or "=sound <path>" for a looping PlaySound. One line per
// argument goes to the file named first: the result, a tab, the reply.
#include <fstream>
#include <string>

#include "platform/mci/mci.h"

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    std::ofstream out(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const std::string command = argv[i];
        if (command == "=devices") {
            out << platform::waveOutGetNumDevs() << "\t\n";
        } else if (command.rfind("=sound ", 0) == 0) {
            out << platform::playSound(command.substr(7).c_str(), platform::SND_ASYNC | platform::SND_LOOP) << "\t\n";
        } else {
            char reply[256];
            const platform::MCIERROR result = platform::mciSendString(command.c_str(), reply, sizeof reply);
            out << result << '\t' << reply << '\n';
        }
    }
    return 0;
}
