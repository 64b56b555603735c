#pragma once
// The names by which the saver and the renderer find each other: the renderer's file beside
// the saver, the two bitmaps the saver writes for it, and the window title that tells the
// saver the renderer still runs. Both programs read them from here, so they can't drift apart.

namespace ProgramNames {
// The renderer program, found beside the saver (the build names its output from this line).
inline constexpr const char* rendererFile = "Hoarveil.dll";
// The renderer window's class name and title.
inline constexpr const char* rendererWindowTitle = "Hoarveil_VC";
// In the bitmap folder: the photograph of the desktop, and the flake picture.
inline constexpr const char* desktopBitmapFile = "Hoarveil1.bmp";
inline constexpr const char* flakeBitmapFile = "Hoarveil2.bmp";
}  // namespace ProgramNames
