#pragma once
// Windows' chooser filters for a toolkit whose patterns are case-sensitive, as Linux file names are.
#include <string>

namespace platform {

// "Music\0*.MP3;*.WAV\0" becomes "Music\t{*.[mM][pP]3,*.[wW][aA][vV]}": one line per entry,
// description and pattern separated by a tab, each letter matching either case, so that
// "song.mp3" is offered as "SONG.MP3" would be on Windows.
std::string caselessToolkitFilter(const std::string& windowsFilter);

}  // namespace platform
