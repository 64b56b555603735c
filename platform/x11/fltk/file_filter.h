#pragma once
// Windows' chooser filters for a toolkit whose patterns are case-sensitive, as Linux file names are.
#include <string>

namespace platform {

// "Music (MP3)\0*.MP3;*.WAV\0" becomes "Music （MP3）\t{*.[mM][pP]3,*.[wW][aA][vV]}": one line
// per entry, description and pattern separated by a tab, each letter matching either case, so
// that "song.mp3" is offered as "SONG.MP3" would be on Windows. Parentheses in a description
// become full-width ones, which the toolkit doesn't take for the start of a pattern.
std::string caselessToolkitFilter(const std::string& windowsFilter);

}  // namespace platform
