#pragma once
// The calls of platform/mci/mci.h over any media backend: the command interpreter behind the
// reply-buffer rules of mciSendString, the error texts, PlaySound's flags. The process-wide
// instance runs on the system backend; tests and the fuzzer make their own.
#include <mutex>

#include "platform/mci/command_interpreter.h"
#include "platform/mci/media_backend.h"
#include "platform/mci/mci.h"

namespace platform::mci {

class MediaControlService {
public:
    explicit MediaControlService(MediaBackend& backend);

    MCIERROR sendString(const char* command, char* reply, unsigned capacity);
    static bool getErrorString(MCIERROR code, char* text, unsigned capacity);
    unsigned waveOutDeviceCount();
    bool playSound(const char* sound, unsigned flags);

private:
    std::mutex serialised;  // the saver calls from one thread; anyone else is made to queue
    MediaBackend& backend;
    CommandInterpreter interpreter;
};

}  // namespace platform::mci
