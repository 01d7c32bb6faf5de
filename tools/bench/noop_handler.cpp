// The .rdp handler registered in the benchmark prefix: it accepts the file and does nothing,
// so that a launch costs only the shell's hand-over.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return 0; }
