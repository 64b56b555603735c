#include "platform/mci/command_interpreter.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>
#include <variant>

#include "platform/mci/cd_audio_device.h"
#include "platform/mci/music_file_device.h"

namespace platform::mci {

namespace {

// The words after the device name, taken from the front.
class WordCursor {
public:
    explicit WordCursor(std::span<const CommandWord> words) : words(words) {}

    bool done() const { return at == words.size(); }

    // Takes the keywords when the next words are exactly these, unquoted, in any case.
    bool take(std::initializer_list<std::string_view> keywords)
    {
        if (words.size() - at < keywords.size())
            return false;
        std::size_t next = at;
        for (std::string_view keyword : keywords) {
            if (words[next].quoted || !sameName(words[next].text, keyword))
                return false;
            ++next;
        }
        at = next;
        return true;
    }

    // The next word as a value, or null at the end.
    const CommandWord* value() { return done() ? nullptr : &words[at++]; }

    // One of the named keywords and the value after it, into that keyword's slot. A word that
    // is none of them, a keyword given twice, or one without its value is an error.
    MciError takeKeywordValue(std::initializer_list<std::pair<std::string_view, std::optional<std::string>*>> slots,
                              MciError missingValue)
    {
        std::optional<std::string>* target = nullptr;
        for (const auto& [keyword, slot] : slots)
            if (!target && take({keyword}))
                target = slot;
        if (!target)
            return MCIERR_UNRECOGNIZED_KEYWORD;
        if (*target)
            return MCIERR_DUPLICATE_FLAGS;
        const CommandWord* given = value();
        if (!given)
            return missingValue;
        *target = given->text;
        return MCIERR_NO_ERROR;
    }

private:
    std::span<const CommandWord> words;
    std::size_t at = 0;
};

enum class Verb { Open, Close, Play, Stop, Pause, Resume, Set, Status };

std::optional<Verb> verbNamed(const CommandWord& word)
{
    static constexpr std::array<std::pair<std::string_view, Verb>, 8> verbs{{
        {"open", Verb::Open},
        {"close", Verb::Close},
        {"play", Verb::Play},
        {"stop", Verb::Stop},
        {"pause", Verb::Pause},
        {"resume", Verb::Resume},
        {"set", Verb::Set},
        {"status", Verb::Status},
    }};
    if (word.quoted)
        return std::nullopt;
    for (const auto& [name, verb] : verbs)
        if (sameName(word.text, name))
            return verb;
    return std::nullopt;
}

// "wait" and "notify" may end any command. Both are accepted: every command finishes before
// it returns, and with no window to post to there is nothing to notify.
std::variant<std::vector<CommandWord>, MciError> withoutWaitAndNotify(std::span<const CommandWord> words)
{
    std::vector<CommandWord> rest;
    bool wait = false;
    bool notify = false;
    for (const CommandWord& word : words) {
        bool* flag = word.quoted                        ? nullptr
                     : sameName(word.text, "wait")   ? &wait
                     : sameName(word.text, "notify") ? &notify
                                                     : nullptr;
        if (!flag) {
            rest.push_back(word);
            continue;
        }
        if (*flag)
            return MCIERR_DUPLICATE_FLAGS;
        *flag = true;
    }
    return rest;
}

MciError parsePlay(WordCursor args, std::optional<std::string>& from, std::optional<std::string>& to)
{
    while (!args.done())
        if (const MciError error = args.takeKeywordValue({{"from", &from}, {"to", &to}}, MCIERR_BAD_INTEGER))
            return error;
    return MCIERR_NO_ERROR;
}

MciError parseSet(WordCursor args, TimeFormat& format)
{
    if (args.done())
        return MCIERR_MISSING_PARAMETER;
    if (!args.take({"time", "format"}))
        return MCIERR_UNRECOGNIZED_KEYWORD;
    const CommandWord* name = args.value();
    if (!name)
        return MCIERR_MISSING_PARAMETER;
    const auto named = timeFormatNamed(name->text);
    if (!named || name->quoted)
        return MCIERR_BAD_TIME_FORMAT;
    format = *named;
    return args.done() ? MCIERR_NO_ERROR : MCIERR_UNRECOGNIZED_KEYWORD;
}

MciError parseStatus(WordCursor args, StatusQuery& query)
{
    if (args.done())
        return MCIERR_MISSING_PARAMETER;
    if (args.take({"mode"}))
        query.item = StatusItem::Mode;
    else if (args.take({"current", "track"}))
        query.item = StatusItem::CurrentTrack;
    else if (args.take({"number", "of", "tracks"}))
        query.item = StatusItem::NumberOfTracks;
    else if (args.take({"position"}))
        query.item = StatusItem::Position;
    else if (args.take({"length"}))
        query.item = StatusItem::Length;
    else if (args.take({"media", "present"}))
        query.item = StatusItem::MediaPresent;
    else if (args.take({"ready"}))
        query.item = StatusItem::Ready;
    else if (args.take({"time", "format"}))
        query.item = StatusItem::TimeFormat;
    else
        return MCIERR_UNRECOGNIZED_KEYWORD;
    if (args.take({"track"})) {
        if (query.item != StatusItem::Position && query.item != StatusItem::Length)
            return MCIERR_FLAGS_NOT_COMPATIBLE;
        const CommandWord* number = args.value();
        query.track = number ? decimalNumber(number->text) : std::nullopt;
        if (!query.track)
            return MCIERR_BAD_INTEGER;
    }
    return args.done() ? MCIERR_NO_ERROR : MCIERR_UNRECOGNIZED_KEYWORD;
}

enum class DeviceKind { Cd, File };

// The kind of device a file name asks for when "open" names no type.
std::variant<DeviceKind, MciError> kindByExtension(std::string_view element)
{
    const std::size_t dot = element.rfind('.');
    const std::size_t slash = element.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return MCIERR_INVALID_DEVICE_NAME;
    const std::string_view extension = element.substr(dot + 1);
    for (std::string_view known : {"mp3", "mpg", "mpeg", "mpa", "wav"})
        if (sameName(extension, known))
            return DeviceKind::File;
    return MCIERR_EXTENSION_NOT_FOUND;
}

std::variant<DeviceKind, MciError> deviceKind(const CommandWord& element, const std::optional<std::string>& type)
{
    const bool namesCdAudio = !element.quoted && sameName(element.text, "cdaudio");
    if (!type)
        return namesCdAudio ? DeviceKind::Cd : kindByExtension(element.text);
    if (sameName(*type, "cdaudio"))
        return namesCdAudio ? std::variant<DeviceKind, MciError>(DeviceKind::Cd) : MCIERR_NO_ELEMENT_ALLOWED;
    if (sameName(*type, "mpegvideo") || sameName(*type, "waveaudio"))
        return DeviceKind::File;
    return MCIERR_INVALID_DEVICE_NAME;
}

}  // namespace

CommandInterpreter::CommandInterpreter(MediaBackend& backend) : backend(backend) {}

CommandInterpreter::~CommandInterpreter() = default;

MediaDevice* CommandInterpreter::find(std::string_view name)
{
    const auto found = std::find_if(devices.begin(), devices.end(),
                                    [&](const OpenDevice& open) { return sameName(open.name, name); });
    return found == devices.end() ? nullptr : found->device.get();
}

MciError CommandInterpreter::open(std::span<const CommandWord> words)
{
    const CommandWord& element = words.front();
    const auto rest = withoutWaitAndNotify(words.subspan(1));
    if (const MciError* error = std::get_if<MciError>(&rest))
        return *error;
    WordCursor args(std::get<std::vector<CommandWord>>(rest));

    std::optional<std::string> type, alias;
    bool shareable = false;
    while (!args.done()) {
        if (args.take({"shareable"})) {
            if (shareable)
                return MCIERR_DUPLICATE_FLAGS;
            shareable = true;
            continue;
        }
        if (const MciError error =
                args.takeKeywordValue({{"type", &type}, {"alias", &alias}}, MCIERR_MISSING_STRING_ARGUMENT))
            return error;
    }

    const auto kind = deviceKind(element, type);
    if (const MciError* error = std::get_if<MciError>(&kind))
        return *error;
    const std::string& name = alias ? *alias : element.text;
    if (name.empty())
        return MCIERR_MISSING_DEVICE_NAME;
    if (sameName(name, "all"))
        return MCIERR_CANNOT_USE_ALL;
    if (find(name))
        return alias ? MCIERR_DUPLICATE_ALIAS : MCIERR_DEVICE_OPEN;

    std::unique_ptr<MediaDevice> device;
    if (std::get<DeviceKind>(kind) == DeviceKind::Cd) {
        auto drive = backend.openCdDrive();
        if (!drive)
            return MCIERR_CANNOT_LOAD_DRIVER;
        device = std::make_unique<CdAudioDevice>(std::move(drive));
    } else {
        MciError error = MCIERR_FILE_NOT_FOUND;
        auto file = backend.openMusicFile(element.text, error);
        if (!file)
            return error;
        device = std::make_unique<MusicFileDevice>(std::move(file));
    }
    devices.push_back({name, std::move(device)});
    return MCIERR_NO_ERROR;
}

MciError CommandInterpreter::execute(std::string_view command, std::string& reply)
{
    reply.clear();
    const auto split = splitCommand(command);
    if (const MciError* error = std::get_if<MciError>(&split))
        return *error;
    const std::vector<CommandWord>& words = std::get<std::vector<CommandWord>>(split);
    if (words.empty())
        return MCIERR_MISSING_COMMAND_STRING;
    const auto verb = verbNamed(words[0]);
    if (!verb)
        return MCIERR_UNRECOGNIZED_COMMAND;
    if (words.size() < 2)
        return MCIERR_MISSING_DEVICE_NAME;
    if (*verb == Verb::Open)
        return open(std::span(words).subspan(1));

    const auto rest = withoutWaitAndNotify(std::span(words).subspan(2));
    if (const MciError* error = std::get_if<MciError>(&rest))
        return *error;
    const std::vector<CommandWord>& args = std::get<std::vector<CommandWord>>(rest);
    const CommandWord& name = words[1];

    if (!name.quoted && sameName(name.text, "all")) {
        if (*verb != Verb::Close)
            return MCIERR_CANNOT_USE_ALL;
        if (!args.empty())
            return MCIERR_UNRECOGNIZED_KEYWORD;
        devices.clear();
        return MCIERR_NO_ERROR;
    }
    MediaDevice* device = find(name.text);
    if (!device)
        return MCIERR_INVALID_DEVICE_NAME;

    switch (*verb) {
    case Verb::Play: {
        std::optional<std::string> from, to;
        const MciError error = parsePlay(WordCursor(args), from, to);
        return error ? error : device->play(from, to);
    }
    case Verb::Set: {
        TimeFormat format{};
        const MciError error = parseSet(WordCursor(args), format);
        return error ? error : device->setTimeFormat(format);
    }
    case Verb::Status: {
        StatusQuery query;
        const MciError error = parseStatus(WordCursor(args), query);
        return error ? error : device->status(query, reply);
    }
    default:
        break;
    }
    if (!args.empty())
        return MCIERR_UNRECOGNIZED_KEYWORD;
    switch (*verb) {
    case Verb::Close:
        std::erase_if(devices, [&](const OpenDevice& open) { return open.device.get() == device; });
        return MCIERR_NO_ERROR;
    case Verb::Stop: return device->stop();
    case Verb::Pause: return device->pause();
    case Verb::Resume: return device->resume();
    default: return MCIERR_UNRECOGNIZED_COMMAND;
    }
}

}  // namespace platform::mci
