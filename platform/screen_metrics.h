#pragma once
// What the forms runtime needs to know about the screen from the windowing system.
namespace platform {

// Logical dots per inch of the screen (Windows' LOGPIXELSX): the desktop's font resolution
// setting where it has one (Xft.dpi), else 96.
double screenDotsPerInch();

}  // namespace platform
