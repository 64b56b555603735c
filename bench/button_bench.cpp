// The push button's hover watch and its repaint, on a shown form in a private Xvfb: a plain
// hover tick (the pointer read and the window under it looked up, nothing painted) against a
// tick that ends the pointer-over look (one repaint of a 1215 x 375 face, shown on screen).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>

#include "saver/controls/command.h"
#include "saver/forms/form.h"
#include "saver/forms/runtime.h"
#include "tests/support/toolkit_events.h"
#include "tests/support/x_user.h"
#include "tests/support/xserver.h"

namespace {

class BenchedCommand : public Command {
public:
    using Command::Command;
    using Command::TmrMouse_Timer;
    using Command::UserControl_MouseMove;
    int repaints() const { return faceRepaints; }
};

struct Bench {
    forms::Form form{"Button bench"};
    BenchedCommand button{form, "Cmd_Set"};
};

Bench* bench = nullptr;

void PlainHoverTick(benchmark::State& state)
{
    const int before = bench->button.repaints();
    for (auto _ : state)
        bench->button.TmrMouse_Timer();
    state.counters["repaints"] = bench->button.repaints() - before;
}

void TickEndingThePointerOverLook(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        bench->button.UserControl_MouseMove(0, 0, 0, 0);  // state 2, HighLight
        state.ResumeTiming();
        bench->button.TmrMouse_Timer();  // the pointer is elsewhere: Normal
    }
}

BENCHMARK(PlainHoverTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(TickEndingThePointerOverLook)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    static testing_support::PrivateXServer server(1024, 768);
    setenv("DISPLAY", server.name().c_str(), 1);
    if (!forms::startForms())
        return 1;
    static Bench shown;
    bench = &shown;
    shown.form.move(0, 0, 3000, 1500);
    shown.button.move(300, 300, 1215, 375);
    shown.button.readProperties({});
    shown.form.show();
    shown.button.Initialize();
    testing_support::movePointer(server.display(), 600, 400);  // on the desktop
    testing_support::pumpFor(std::chrono::milliseconds(200));

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
