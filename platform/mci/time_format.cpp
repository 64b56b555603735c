#include "platform/mci/time_format.h"

#include <array>
#include <cstdio>

#include "platform/mci/command_words.h"

namespace platform::mci {

namespace {

// MSF addresses count the 2-second lead-in before the first track.
constexpr Sector leadInSectors = 2 * sectorsPerSecond;

// Up to `maxFields` colon-separated numbers of 0 to 255 each.
// Fields left out are 0.
std::optional<std::array<unsigned, 4>> colonFields(std::string_view text, std::size_t maxFields)
{
    std::array<unsigned, 4> fields{};
    std::size_t count = 0;
    std::size_t at = 0;
    while (true) {
        const std::size_t colon = text.find(':', at);
        const std::string_view field = text.substr(at, colon == std::string_view::npos ? text.npos : colon - at);
        const auto value = decimalNumber(field);
        if (!value || *value > 255 || count == maxFields)
            return std::nullopt;
        fields[count++] = *value;
        if (colon == std::string_view::npos)
            return fields;
        at = colon + 1;
    }
}

std::string twoDigitFields(std::initializer_list<long> values)
{
    std::string text;
    for (long value : values) {
        char field[24];
        std::snprintf(field, sizeof field, "%02ld", value);
        if (!text.empty())
            text += ':';
        text += field;
    }
    return text;
}

std::string milliseconds(Sector sectors) { return std::to_string(static_cast<std::int64_t>(sectors) * 1000 / sectorsPerSecond); }

}  // namespace

const DiscTrack* DiscLayout::track(int number) const
{
    for (const DiscTrack& t : tracks)
        if (t.number == number)
            return &t;
    return nullptr;
}

const DiscTrack& DiscLayout::trackAt(Sector sector) const
{
    for (const DiscTrack& t : tracks)
        if (sector < t.end)
            return t;
    return tracks.back();
}

std::optional<TimeFormat> timeFormatNamed(std::string_view word)
{
    if (sameName(word, "milliseconds") || sameName(word, "ms"))
        return TimeFormat::Milliseconds;
    if (sameName(word, "msf"))
        return TimeFormat::Msf;
    if (sameName(word, "tmsf"))
        return TimeFormat::Tmsf;
    return std::nullopt;
}

std::string_view timeFormatName(TimeFormat format)
{
    switch (format) {
    case TimeFormat::Milliseconds: return "milliseconds";
    case TimeFormat::Msf: return "msf";
    case TimeFormat::Tmsf: return "tmsf";
    }
    return "";
}

std::optional<std::uint32_t> decimalNumber(std::string_view text)
{
    if (text.empty() || text.size() > 10)
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value > UINT32_MAX)
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

std::variant<Sector, MciError> parseDiscPosition(std::string_view text, TimeFormat format, const DiscLayout& disc)
{
    std::int64_t sector = 0;
    if (format == TimeFormat::Milliseconds) {
        const auto ms = decimalNumber(text);
        if (!ms)
            return MCIERR_BAD_INTEGER;
        sector = static_cast<std::int64_t>(*ms) * sectorsPerSecond / 1000 - leadInSectors;
    } else {
        const bool withTrack = format == TimeFormat::Tmsf;
        const auto fields = colonFields(text, withTrack ? 4 : 3);
        if (!fields)
            return MCIERR_BAD_INTEGER;
        const unsigned* msf = fields->data() + (withTrack ? 1 : 0);
        if (msf[1] >= 60 || msf[2] >= static_cast<unsigned>(sectorsPerSecond))
            return MCIERR_OUTOFRANGE;
        const std::int64_t offset = (static_cast<std::int64_t>(msf[0]) * 60 + msf[1]) * sectorsPerSecond + msf[2];
        if (withTrack) {
            const DiscTrack* track = disc.track(static_cast<int>((*fields)[0]));
            if (!track)
                return MCIERR_OUTOFRANGE;
            sector = track->start + offset;
        } else {
            sector = offset - leadInSectors;
        }
    }
    if (sector < disc.start() || sector > disc.end())
        return MCIERR_OUTOFRANGE;
    return static_cast<Sector>(sector);
}

std::string formatDiscPosition(Sector sector, TimeFormat format, const DiscLayout& disc)
{
    switch (format) {
    case TimeFormat::Milliseconds: return milliseconds(sector + leadInSectors);
    case TimeFormat::Msf: return formatDiscLength(sector + leadInSectors, TimeFormat::Msf);
    case TimeFormat::Tmsf: {
        const DiscTrack& track = disc.trackAt(sector);
        const Sector into = sector - track.start;
        const Sector seconds = into / sectorsPerSecond;
        return twoDigitFields({track.number, seconds / 60, seconds % 60, into % sectorsPerSecond});
    }
    }
    return {};
}

std::string formatDiscLength(Sector sectors, TimeFormat format)
{
    if (format == TimeFormat::Milliseconds)
        return milliseconds(sectors);
    const Sector seconds = sectors / sectorsPerSecond;
    return twoDigitFields({seconds / 60, seconds % 60, sectors % sectorsPerSecond});
}

}  // namespace platform::mci
