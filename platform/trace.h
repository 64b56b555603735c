#pragma once
// An opt-in timing trace: with HOARVEIL_TRACE set, each call writes one line to stderr,
// "hoarveil-trace <program> <milliseconds on the monotonic clock> <stage>", so the stages of a
// show can be lined up across the saver and the renderer.
namespace platform {

void trace(const char* stage);

}  // namespace platform
