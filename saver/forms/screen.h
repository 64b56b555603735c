#pragma once
// The screen as the forms runtime presents it: sizes of the primary screen in twips and pixels,
// twips per pixel, and the application-wide mouse pointer.
namespace forms {

enum class MousePointer { Default, Hourglass };

struct Screen {
    // The resolution the forms are laid out for: the system's setting when first asked, and
    // the new one when the windowing system moves the forms to a screen of another scaling.
    static double dotsPerInch();
    static void setDotsPerInch(double dpi);
    // 1440 / dotsPerInch(), not rounded.
    static double twipsPerPixelX();
    static double twipsPerPixelY();
    static double width();   // twips
    static double height();  // twips
    static int widthInPixels();
    static int heightInPixels();
    // Screen.MousePointer: the pointer over every form of the program.
    static void setMousePointer(MousePointer pointer);
    static MousePointer mousePointer();
};

}  // namespace forms
