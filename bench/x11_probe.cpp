// The X11 side of bench/run: starts a program and times it until its window is mapped, paints a
// gradient on the root window, moves the pointer, and times hot keys as the user would press them.
//
//   x11_probe start TIMEOUT_MS PROGRAM [ARG...]   prints "PID MS WINDOW" once PROGRAM's window is
//                                                 mapped (PROGRAM keeps running)
//   x11_probe gradient                            root background: colour changes with x and y
//   x11_probe park X Y                            puts the pointer at X Y
//   x11_probe move SECONDS INTERVAL_MS X0 Y0 X1 Y1
//                                                 moves the pointer every INTERVAL_MS, zigzagging
//                                                 through the rectangle, for SECONDS
//   x11_probe latency WINDOW RUNS                 F3 to resume, then F4 down: ms until WINDOW shows
//                                                 the frozen state; prints one time per run
//   x11_probe taps COUNT INTERVAL_MS              quick F2 taps (down and up at once)
//   x11_probe floor SECONDS live|blocked          CPU % of the least a program doing Tinctora's
//                                                 work can cost: live, a bare Xlib loop with one
//                                                 40 ms timer and the pointer + 1x1 image round
//                                                 trips; blocked, a process asleep in poll() on
//                                                 its X connection
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void sleepMs(double ms) {
    std::this_thread::sleep_for(std::chrono::microseconds(static_cast<long>(ms * 1000)));
}

// Windows come and go while we look at them: a vanished window is not an error here.
int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

Display* openDisplay() {
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "x11_probe: cannot open the display\n");
        std::exit(2);
    }
    XSetErrorHandler(ignoreErrors);
    return d;
}

std::vector<Window> windowList(Display* d, const char* property) {
    Atom type;
    int format;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<Window> result;
    if (XGetWindowProperty(d, DefaultRootWindow(d), XInternAtom(d, property, False), 0, 4096, False,
                           XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
        data && format == 32) {
        const auto* ids = reinterpret_cast<const unsigned long*>(data);
        result.assign(ids, ids + count);
    }
    if (data)
        XFree(data);
    return result;
}

long windowPid(Display* d, Window w) {
    Atom type;
    int format;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(d, w, XInternAtom(d, "_NET_WM_PID", False), 0, 1, False, XA_CARDINAL,
                           &type, &format, &count, &after, &data) == Success &&
        data && count == 1)
        pid = static_cast<long>(*reinterpret_cast<const unsigned long*>(data));
    if (data)
        XFree(data);
    return pid;
}

int start(int argc, char** argv) {
    if (argc < 4)
        return 2;
    const double timeoutMs = std::atof(argv[2]);
    Display* d = openDisplay();
    const Clock::time_point t0 = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_RDWR);
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    // The window manager lists the windows it manages; ours is the first viewable one of that pid.
    while (msSince(t0) < timeoutMs) {
        for (Window w : windowList(d, "_NET_CLIENT_LIST")) {
            XWindowAttributes attributes;
            if (windowPid(d, w) == pid && XGetWindowAttributes(d, w, &attributes) &&
                attributes.map_state == IsViewable) {
                std::printf("%d %.1f %lu\n", pid, msSince(t0), w);
                return 0;
            }
        }
        sleepMs(0.5);
    }
    std::fprintf(stderr, "x11_probe: %s showed no window within %.0f ms\n", argv[3], timeoutMs);
    kill(pid, SIGKILL);
    return 1;
}

int gradient() {
    Display* d = openDisplay();
    const int screen = DefaultScreen(d);
    const int w = DisplayWidth(d, screen), h = DisplayHeight(d, screen);
    const Window root = RootWindow(d, screen);
    Pixmap pixmap = XCreatePixmap(d, root, w, h, DefaultDepth(d, screen));
    XImage* image = XCreateImage(d, DefaultVisual(d, screen), DefaultDepth(d, screen), ZPixmap, 0,
                                 nullptr, w, h, 32, 0);
    image->data = static_cast<char*>(
        std::malloc(static_cast<std::size_t>(image->bytes_per_line) * static_cast<std::size_t>(h)));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            XPutPixel(image, x, y,
                      (static_cast<unsigned long>(x * 255 / w) << 16) |
                          (static_cast<unsigned long>(y * 255 / h) << 8) |
                          static_cast<unsigned long>(((x + y) * 7) & 0xFF));
    XPutImage(d, pixmap, DefaultGC(d, screen), image, 0, 0, 0, 0, w, h);
    XSetWindowBackgroundPixmap(d, root, pixmap);
    XClearWindow(d, root);
    XFreePixmap(d, pixmap);
    XDestroyImage(image);
    XCloseDisplay(d);
    return 0;
}

void movePointer(Display* d, int x, int y) {
    XTestFakeMotionEvent(d, DefaultScreen(d), x, y, CurrentTime);
    XSync(d, False);
}

int move(int argc, char** argv) {
    if (argc < 8)
        return 2;
    const double seconds = std::atof(argv[2]), intervalMs = std::atof(argv[3]);
    const int x0 = std::atoi(argv[4]), y0 = std::atoi(argv[5]);
    const int x1 = std::atoi(argv[6]), y1 = std::atoi(argv[7]);
    Display* d = openDisplay();
    const Clock::time_point t0 = Clock::now();
    int x = x0, y = y0, dx = 7, dy = 5;
    for (long step = 0;; ++step) {
        const Clock::time_point due =
            t0 + std::chrono::microseconds(static_cast<long>(step * intervalMs * 1000));
        if (std::chrono::duration<double>(due - t0).count() >= seconds)
            break;
        std::this_thread::sleep_until(due);
        movePointer(d, x, y);
        x += dx;
        y += dy;
        if (x < x0 || x > x1)
            dx = -dx, x += 2 * dx;
        if (y < y0 || y > y1)
            dy = -dy, y += 2 * dy;
    }
    XCloseDisplay(d);
    return 0;
}

void key(Display* d, KeySym sym, bool down) {
    XTestFakeKeyEvent(d, XKeysymToKeycode(d, sym), down ? True : False, CurrentTime);
    XSync(d, False);
}

// The part of Tinctora's window where the status lines ("CAPTURED", "Press F3 ...") are drawn.
std::vector<unsigned long> statusArea(Display* d, Window w) {
    XWindowAttributes a;
    std::vector<unsigned long> pixels;
    if (!XGetWindowAttributes(d, w, &a))
        return pixels;
    const int x0 = 0, y0 = 130, x1 = std::min(a.width, 160), y1 = std::min(a.height, 330);
    XImage* image = XGetImage(d, w, x0, y0, x1 - x0, y1 - y0, AllPlanes, ZPixmap);
    if (!image)
        return pixels;
    for (int y = 0; y < y1 - y0; ++y)
        for (int x = 0; x < x1 - x0; ++x)
            pixels.push_back(XGetPixel(image, x, y));
    XDestroyImage(image);
    return pixels;
}

int latency(int argc, char** argv) {
    if (argc < 4)
        return 2;
    const Window w = std::strtoul(argv[2], nullptr, 0);
    const int runs = std::atoi(argv[3]);
    Display* d = openDisplay();
    for (int run = 0; run < runs; ++run) {
        key(d, XK_F3, true); // resume first, held as a user holds a key
        sleepMs(150);
        key(d, XK_F3, false);
        sleepMs(250 + (run * 37) % 50); // a different phase against the 40 ms tick each run
        const std::vector<unsigned long> live = statusArea(d, w);
        const Clock::time_point t0 = Clock::now();
        key(d, XK_F4, true);
        double ms = -1;
        while (msSince(t0) < 2000) {
            if (statusArea(d, w) != live) {
                ms = msSince(t0);
                break;
            }
            sleepMs(1);
        }
        key(d, XK_F4, false);
        std::printf("%.1f\n", ms);
        std::fflush(stdout);
        sleepMs(100);
    }
    return 0;
}

int taps(int argc, char** argv) {
    if (argc < 4)
        return 2;
    const int count = std::atoi(argv[2]);
    const double intervalMs = std::atof(argv[3]);
    Display* d = openDisplay();
    for (int i = 0; i < count; ++i) {
        key(d, XK_F2, true);
        key(d, XK_F2, false);
        sleepMs(intervalMs + (i * 13) % 20);
    }
    return 0;
}

double processCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

int floorCost(int argc, char** argv) {
    if (argc < 4)
        return 2;
    const double seconds = std::atof(argv[2]);
    const bool live = std::string(argv[3]) == "live";
    Display* d = openDisplay();
    const Window root = DefaultRootWindow(d);
    const Clock::time_point t0 = Clock::now();
    const double cpu0 = processCpuSeconds();
    if (live) {
        for (long ticks = 0;; ++ticks) {
            const auto due = t0 + std::chrono::milliseconds(40 * ticks);
            if (std::chrono::duration<double>(due - t0).count() >= seconds)
                break;
            std::this_thread::sleep_until(due);
            Window r, child;
            int rx, ry, wx, wy;
            unsigned mask;
            XQueryPointer(d, root, &r, &child, &rx, &ry, &wx, &wy, &mask);
            if (XImage* image = XGetImage(d, root, rx, ry, 1, 1, AllPlanes, ZPixmap))
                XDestroyImage(image);
        }
    } else {
        // Asleep until the X server sends something, as a frozen picker can be.
        pollfd connection{ConnectionNumber(d), POLLIN, 0};
        while (msSince(t0) < seconds * 1000) {
            const int waitMs = static_cast<int>(seconds * 1000 - msSince(t0)) + 1;
            if (poll(&connection, 1, waitMs) > 0)
                while (XPending(d) > 0) {
                    XEvent event;
                    XNextEvent(d, &event);
                }
        }
    }
    std::printf("%.2f\n", (processCpuSeconds() - cpu0) / seconds * 100);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "start")
        return start(argc, argv);
    if (command == "gradient")
        return gradient();
    if (command == "park" && argc == 4) {
        Display* d = openDisplay();
        movePointer(d, std::atoi(argv[2]), std::atoi(argv[3]));
        return 0;
    }
    if (command == "move")
        return move(argc, argv);
    if (command == "latency")
        return latency(argc, argv);
    if (command == "taps")
        return taps(argc, argv);
    if (command == "floor")
        return floorCost(argc, argv);
    std::fprintf(stderr, "usage: see the top of bench/x11_probe.cpp\n");
    return 2;
}
