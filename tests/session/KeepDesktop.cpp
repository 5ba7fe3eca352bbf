// Holds Wine's desktop open for a whole test or benchmark session, so that it is started once, by this program
// alone. When several processes start at once with no desktop running, Wine starts a desktop process for each; the
// ones that lose leave the desktop pointing at their cursor-clipping window, which dies with them, and the next
// program that releases a cursor clip (every window move loop does) is killed by an X error. Started before anything
// else, this program wins that race alone; a first line "ready" on its output says the desktop is up. It runs until
// the session's wineserver ends it.
#include <windows.h>

#include <cstdio>

int main()
{
    // A window of our own makes this process a user of the desktop: Wine closes the desktop a moment after its last
    // user ends, and the next program would start it again.
    HWND window = CreateWindowExA(0, "STATIC", "Tessaly test session", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (!window) {
        std::fprintf(stderr, "could not create a window: error %lu\n", GetLastError());
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
    return 0;
}
