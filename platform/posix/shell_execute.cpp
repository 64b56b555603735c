#include "platform/shell_execute.h"

#include "platform/posix/start_command.h"

namespace platform {

std::intptr_t shellExecute(NativeWindow, const std::string& verb, const std::string& file, const std::string&,
                           const std::string&, int)
{
    if (!verb.empty() && verb != "open")
        return SE_ERR_NOASSOC;
    if (file.empty())
        return ERROR_FILE_NOT_FOUND;
    // "--" would be taken as a name by xdg-open; a leading "-" would be an option to it.
    if (file.front() == '-')
        return ERROR_FILE_NOT_FOUND;
    return startCommand({"xdg-open", file}) > 0 ? shellExecuteStarted : ERROR_FILE_NOT_FOUND;
}

}  // namespace platform
