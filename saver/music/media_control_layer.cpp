#include <cstring>

#include "saver/music/hoarveil_bgm.h"

HoarveilBgmState BgmState;

namespace {

template <std::size_t size>
std::string textUpToNul(const std::array<char, size>& buffer)
{
    return std::string(buffer.data(), strnlen(buffer.data(), size));
}

}  // namespace

std::int32_t MciSend(const std::string& command, std::string& reply)
{
    if (command.empty()) {
        reply = "コマンド文字列が指定されていません";
        return -1;
    }
    auto& state = BgmState;
    const auto result = static_cast<std::int32_t>(
        state.mci->sendString(command.c_str(), state.replyBuffer.data(), state.replyBuffer.size()));
    if (result == 0) {
        reply = textUpToNul(state.replyBuffer);
        return 0;
    }
    if (state.mci->getErrorString(static_cast<platform::MCIERROR>(result), state.errorBuffer.data(),
                                  state.errorBuffer.size()))
        reply = textUpToNul(state.errorBuffer);
    else
        reply = "Error (文字列が取れません)";
    return result;
}

std::string MciStatus(const std::string& command)
{
    const std::int32_t result = MciSend(command, BgmState.MciReply);
    return result == 0 ? BgmState.MciReply : "Error:" + std::to_string(result);
}

std::int32_t MciPlay(const std::string& device, const std::string& from, const std::string& to)
{
    std::string command = "play " + device;
    if (!from.empty())
        command += " from " + from;
    if (!to.empty())
        command += " to " + to;
    return MciSend(command, BgmState.MciReply);
}
