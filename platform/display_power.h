#pragma once
// SetThreadExecutionState with ES_DISPLAY_REQUIRED: while a full-screen show runs, the
// system's own screen saver and its display power-saving must not cut in.
namespace platform {

// True holds both off until the call with false, or until the process ends, however it ends.
void keepDisplayOn(bool on);

}  // namespace platform
