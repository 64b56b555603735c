#pragma once
// Requests from outside that the program end, the way a Windows program is asked to close. Here
// they are SIGTERM, SIGINT and SIGHUP: every idle watcher stops the saver it started with
// SIGTERM, Ctrl+C sends SIGINT, a closed terminal SIGHUP. Once caught, they no longer kill the
// process on the spot: each is noted, and the program ends itself in order.
namespace platform {

// From now on the three signals are noted instead of ending the process.
void catchEndRequests();

// True once a request has come.
bool endRequested();

// A descriptor that becomes readable when a request comes, for an event loop to wait on; -1
// before catchEndRequests.
int endRequestDescriptor();

}  // namespace platform
