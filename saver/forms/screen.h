#pragma once
// The screen as the forms runtime presents it: sizes of the primary screen in twips and pixels,
// twips per pixel, and the application-wide mouse pointer.
namespace forms {

enum class MousePointer { Default, Hourglass };

struct Screen {
    static int twipsPerPixelX();
    static int twipsPerPixelY();
    static int width();   // twips
    static int height();  // twips
    static int widthInPixels();
    static int heightInPixels();
    // Screen.MousePointer: the pointer over every form of the program.
    static void setMousePointer(MousePointer pointer);
    static MousePointer mousePointer();
};

}  // namespace forms
