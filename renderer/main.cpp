// Hoarveil's renderer: the full-screen snow scene the saver starts for every show.
#include "renderer/renderer_host.h"

int main() { return runRenderer(); }
