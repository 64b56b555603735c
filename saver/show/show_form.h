#pragma once
// The show: the hidden form that photographs the desktop, writes the two bitmaps the renderer
// reads, starts the renderer and then watches for its window to go.
#include <string>

#include "saver/forms/form.h"
#include "saver/forms/picture_box.h"
#include "saver/forms/timer.h"

class Hoarveil_S : public forms::Form {
public:
    Hoarveil_S();

    // Display(0) receives the desktop photograph, Display(1) holds the flake picture.
    forms::PictureBox& Display(int index) { return index == 0 ? Display0 : Display1; }

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, forms::UnloadMode mode) override;

private:
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void photographDesktop();

    forms::PictureBox Display0;
    forms::PictureBox Display1;
    forms::Timer Timer3;  // renderer watch
    forms::Timer Timer1;  // music-file watch
    forms::Timer Timer2;  // audio-CD watch
    std::string RendererPath;
    bool RendererShown = false;  // its window has been seen
    int RendererStartTicks = 0;  // watch ticks spent waiting for it to show its window
};
