#pragma once
// The renderer's own start-up and frame code, driven in the benchmark's process with the full
// scene: a textured desktop floor and 500 flakes. The same source on Linux and on Windows, so
// both systems' figures come from the same scene.
#include <functional>

// The two pictures a show hands the renderer, in the renderer's bitmap folder: a desktop of the
// given size and a flake.
void writeShowBitmaps(int width, int height);

struct FrameFigures {
    int frames = 0;
    double seconds = 0;
    double cpuSeconds = 0;  // the process's, every thread (the GL driver's too)
    double averageFlakes = 0;
};

// Opens the renderer's window, starts it up, warms it up and then draws frames for the time
// given; `measuring` is told when the measured frames begin (true) and end (false), for
// figures of other processes. False when the window can't be opened.
bool measureFrames(double seconds, FrameFigures& figures, const std::function<void(bool)>& measuring = {});

// CPU time of this process so far, every thread counted.
double processCpuSeconds();
