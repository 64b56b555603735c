// Fuzzes the media-control command interpreter: its parsing, positions and replies. The input
// is a reply capacity (first byte) and command lines; the backend is the tests' silent one, with
// a disc in the drive and two music files, and its clock moves on between commands so that
// playbacks also end.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/mci/media_control_service.h"
#include "tests/support/fake_media_backend.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    testing_support::FakeMediaBackend backend;
    backend.media.disc = testing_support::FakeMediaBackend::disc({150, 4500, 75, 300}, {3});
    backend.media.files["/music/a.mp3"] = 4000;
    backend.media.files["/music/b c.wav"] = 700;
    platform::mci::MediaControlService service(backend);

    const unsigned capacity = data[0];
    std::string reply(capacity, '\x7f');
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    std::size_t start = 0;
    while (start <= input.size()) {
        const std::size_t end = std::min(input.find('\n', start), input.size());
        const std::string command(input.substr(start, end - start));
        const platform::MCIERROR result = service.sendString(command.c_str(), reply.data(), capacity);
        char text[64];
        service.getErrorString(result, text, sizeof text);
        backend.advance(700);
        start = end + 1;
    }
    return 0;
}
