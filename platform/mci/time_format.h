#pragma once
// Time formats and the texts of positions and lengths, as the interface writes and reads them:
// tmsf "tt:mm:ss:ff" (track, then minutes, seconds and frames into it), msf "mm:ss:ff" (from
// the disc's address 0, which lies 2 seconds before its first track), milliseconds as a decimal
// number (the same address scale on a disc, from the start in a file).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "platform/mci/error_codes.h"
#include "platform/mci/media_backend.h"

namespace platform::mci {

enum class TimeFormat { Milliseconds, Msf, Tmsf };

// "milliseconds" or "ms", "msf", "tmsf", in any case; nothing for other words.
std::optional<TimeFormat> timeFormatNamed(std::string_view word);
std::string_view timeFormatName(TimeFormat format);

// A decimal number of at most 32 bits, digits only.
std::optional<std::uint32_t> decimalNumber(std::string_view text);

// A position on the disc: the sector, MCIERR_BAD_INTEGER for text that is no position in the
// format, MCIERR_OUTOFRANGE for a position the disc does not have.
std::variant<Sector, MciError> parseDiscPosition(std::string_view text, TimeFormat format, const DiscLayout& disc);
std::string formatDiscPosition(Sector sector, TimeFormat format, const DiscLayout& disc);
// A stretch of sectors; in tmsf it is given in msf, as a length has no track.
std::string formatDiscLength(Sector sectors, TimeFormat format);

}  // namespace platform::mci
