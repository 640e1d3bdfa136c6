// Starts a program, waits for the X server to map its top-level window of the
// given title, and prints the milliseconds from the start to that moment and
// the program's resident memory (VmRSS, KiB) one second later; then ends it.
// Run it on a display without a window manager, so that the program's windows
// are children of the root window.
//
//   startup_probe TITLE PROGRAM [ARGS...]
#include <X11/Xlib.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

namespace
{

using Clock = std::chrono::steady_clock;

// A window can vanish between its map and our look at its name.
int IgnoreXError(Display *, XErrorEvent *)
{
    return 0;
}

bool IsTitled(Display *display, Window window, const std::string &title)
{
    char *name = nullptr;
    if (XFetchName(display, window, &name) == 0 || name == nullptr) {
        return false;
    }
    const bool match = title == name;
    XFree(name);
    return match;
}

long ResidentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TITLE PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    const std::string title = argv[1];
    Display *display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "startup_probe: no X display\n");
        return 2;
    }
    XSetErrorHandler(IgnoreXError);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }

    const Clock::time_point deadline = start + std::chrono::seconds(20);
    bool mapped = false;
    while (!mapped && Clock::now() < deadline) {
        while (!mapped && XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            mapped = event.type == MapNotify && IsTitled(display, event.xmap.window, title);
        }
        if (!mapped) {
            pollfd connection{ConnectionNumber(display), POLLIN, 0};
            poll(&connection, 1, 50);
            if (waitpid(pid, nullptr, WNOHANG) == pid) {
                std::fprintf(stderr, "startup_probe: %s ended before mapping\n", argv[2]);
                return 1;
            }
        }
    }
    const double milliseconds =
        std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (!mapped) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        std::fprintf(stderr, "startup_probe: no window \"%s\" within 20 s\n", title.c_str());
        return 1;
    }

    std::this_thread::sleep_for(std::chrono::seconds(1));
    const long resident = ResidentKiB(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(display);
    std::printf("%.1f %ld\n", milliseconds, resident);
    return 0;
}
