#include "platform/end_request.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <initializer_list>

namespace platform {
namespace {

volatile std::sig_atomic_t requested = 0;
// The self-pipe: the handler writes a byte, so a loop asleep in poll or select wakes up.
int pipeEnds[2] = {-1, -1};

void noteRequest(int)
{
    const int savedErrno = errno;
    requested = 1;
    const char byte = 1;
    if (pipeEnds[1] >= 0)
        [[maybe_unused]] const auto written = write(pipeEnds[1], &byte, 1);
    errno = savedErrno;
}

}  // namespace

void catchEndRequests()
{
    // Close-on-exec: the renderer the saver starts has its own requests.
    if (pipeEnds[0] < 0 && pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        pipeEnds[0] = pipeEnds[1] = -1;
    struct sigaction action = {};
    action.sa_handler = noteRequest;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

bool endRequested() { return requested != 0; }

int endRequestDescriptor() { return pipeEnds[0]; }

}  // namespace platform
