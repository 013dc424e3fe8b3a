// SPDX-License-Identifier: GPL-3.0-or-later
// Drives a program under an X server from outside, as a player would, and
// reports what the X server sees: when the first window shows its first
// pixels, how long a click takes until the last pixel it causes is drawn and
// in how many damaged rectangles, and the program's memory and wake-ups at
// chosen moments. Prints one "key value" line per figure; bench/table.sh
// gathers them.
//
//   xprobe start  -- program [args]     first window, then memory at rest
//   xprobe button -- program [args]     also 11 clicks on the ball-sized button
//   xprobe game   CELLS -- program      the game: splash, main window, stage 24
//                                       played in the order CELLS ("c,r c,r ...")
//
// Needs the Damage and XTEST extensions (Xvfb has both).
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

Display* display = nullptr;
Window root = 0;
int damageEventBase = 0;
pid_t child = 0;

double Now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

void Report(const char* key, double value) { std::printf("%s %.3f\n", key, value); std::fflush(stdout); }

[[noreturn]] void Fail(const char* why)
{
    std::fprintf(stderr, "xprobe: %s\n", why);
    if (child > 0) kill(child, SIGKILL);
    std::exit(1);
}

struct Damage {
    double at;
    XRectangle area;
};

// Everything the server tells us, sorted into what we wait for.
struct Mapped {
    Window window;
    double at;
    std::size_t damageBefore;  // damage seen before the window was mapped
};

struct Seen {
    std::vector<Mapped> mapped;  // top-level windows, in the order they were mapped
    std::vector<Damage> damage;  // every damaged rectangle on the screen
};
Seen seen;

void Take(const XEvent& event)
{
    if (event.type == MapNotify && event.xmap.event == root) {
        seen.mapped.push_back({event.xmap.window, Now(), seen.damage.size()});
    } else if (event.type == damageEventBase + XDamageNotify) {
        const auto& d = reinterpret_cast<const XDamageNotifyEvent&>(event);
        seen.damage.push_back({Now(), d.area});
    }
}

// Handles events until `done` holds or `timeoutMs` passes; false on time-out.
template <typename Done>
bool WaitFor(Done done, double timeoutMs)
{
    const double end = Now() + timeoutMs;
    while (!done()) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            Take(event);
            if (done()) return true;
        }
        const double left = end - Now();
        if (left <= 0) return false;
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, std::max(1, int(left)));
    }
    return true;
}

// Handles events until no damage came for `quietMs` (or `timeoutMs` passed).
void WaitQuiet(double quietMs, double timeoutMs = 5000)
{
    const double end = Now() + timeoutMs;
    for (;;) {
        const std::size_t before = seen.damage.size();
        const double last = before ? seen.damage.back().at : 0;
        const double until = std::max(Now(), last) + quietMs;
        WaitFor([&] { return seen.damage.size() > before; }, std::min(until, end) - Now());
        if (seen.damage.size() == before || Now() >= end) return;
    }
}

void Pause(double ms) { WaitFor([] { return false; }, ms); }

pid_t Launch(char** argv)
{
    const pid_t pid = fork();
    if (pid < 0) Fail("fork failed");
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        execvp(argv[0], argv);
        _exit(127);
    }
    return pid;
}

XWindowAttributes Attributes(Window window)
{
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    return attributes;
}

bool Inside(const XRectangle& r, const XWindowAttributes& w)
{
    return r.x < w.x + w.width && r.x + r.width > w.x && r.y < w.y + w.height && r.y + r.height > w.y;
}

// Waits for the `n`-th top-level window and its first drawn pixels; returns
// the time of those pixels.
double WaitForWindow(std::size_t n, double timeoutMs)
{
    if (!WaitFor([&] { return seen.mapped.size() >= n; }, timeoutMs)) Fail("no window appeared");
    const XWindowAttributes window = Attributes(seen.mapped[n - 1].window);
    std::size_t from = seen.mapped[n - 1].damageBefore;
    double at = 0;
    auto painted = [&] {
        for (; from < seen.damage.size(); ++from) {
            if (Inside(seen.damage[from].area, window)) { at = seen.damage[from].at; return true; }
        }
        return false;
    };
    if (!WaitFor(painted, timeoutMs)) Fail("a window stayed blank");
    return at;
}

long StatusField(const std::string& path, const char* key)
{
    std::ifstream status(path);
    std::string line;
    const std::size_t length = std::strlen(key);
    while (std::getline(status, line)) {
        if (line.compare(0, length, key) == 0) return std::atol(line.c_str() + length);
    }
    return -1;
}

long ResidentKiB() { return StatusField("/proc/" + std::to_string(child) + "/status", "VmRSS:"); }
long Threads() { return StatusField("/proc/" + std::to_string(child) + "/status", "Threads:"); }

// Context switches of all the program's threads so far: each wake-up of a
// sleeping thread ends in one.
long Switches()
{
    const std::string tasks = "/proc/" + std::to_string(child) + "/task";
    long total = 0;
    if (DIR* dir = opendir(tasks.c_str())) {
        while (dirent* entry = readdir(dir)) {
            if (entry->d_name[0] == '.') continue;
            const std::string status = tasks + "/" + entry->d_name + "/status";
            total += StatusField(status, "voluntary_ctxt_switches:") + StatusField(status, "nonvoluntary_ctxt_switches:");
        }
        closedir(dir);
    }
    return total;
}

// Wake-ups per second over `seconds`; the X events that arrive meanwhile are kept.
double WakeUps(double seconds)
{
    const long before = Switches();
    Pause(seconds * 1000);
    return double(Switches() - before) / seconds;
}

void MovePointer(int x, int y)
{
    XTestFakeMotionEvent(display, -1, x, y, 0);
    XSync(display, False);
}

struct Click {
    double ms = -1;    // release to the last damaged pixel
    int rectangles = 0;
    XRectangle near{};  // bounding box of the damage around the click point
};

// Presses at (x, y), waits for the pressed look, releases, and follows the
// damage until it stays quiet for `quietMs`.
Click ClickAt(int x, int y, double quietMs = 150)
{
    MovePointer(x, y);
    XTestFakeButtonEvent(display, 1, True, 0);
    XSync(display, False);
    WaitQuiet(60, 1000);
    const std::size_t from = seen.damage.size();
    XTestFakeButtonEvent(display, 1, False, 0);
    XSync(display, False);
    const double released = Now();
    WaitQuiet(quietMs, 3000);
    Click click;
    int left = x, top = y, right = x, bottom = y;
    bool any = false;
    for (std::size_t i = from; i < seen.damage.size(); ++i) {
        const Damage& d = seen.damage[i];
        click.ms = d.at - released;
        ++click.rectangles;
        if (std::abs(d.area.x + d.area.width / 2 - x) < 30 && std::abs(d.area.y + d.area.height / 2 - y) < 30) {
            if (!any) { left = d.area.x; top = d.area.y; right = d.area.x + d.area.width; bottom = d.area.y + d.area.height; }
            left = std::min<int>(left, d.area.x);
            top = std::min<int>(top, d.area.y);
            right = std::max<int>(right, d.area.x + d.area.width);
            bottom = std::max<int>(bottom, d.area.y + d.area.height);
            any = true;
        }
    }
    click.near = {short(left), short(top), static_cast<unsigned short>(right - left), static_cast<unsigned short>(bottom - top)};
    return click;
}

void Key(KeySym sym, KeySym modifier = NoSymbol)
{
    const KeyCode code = XKeysymToKeycode(display, sym);
    const KeyCode mod = modifier == NoSymbol ? 0 : XKeysymToKeycode(display, modifier);
    if (mod) XTestFakeKeyEvent(display, mod, True, 0);
    XTestFakeKeyEvent(display, code, True, 0);
    XTestFakeKeyEvent(display, code, False, 0);
    if (mod) XTestFakeKeyEvent(display, mod, False, 0);
    XSync(display, False);
}

double Median(std::vector<double> values)
{
    if (values.empty()) return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A later click waits for the stage clock's tick to pass first, so that the
// repaint of the clock is not taken for part of the click.
void AfterTheTick(const XWindowAttributes& statusBar)
{
    const std::size_t from = seen.damage.size();
    WaitFor([&] {
        for (std::size_t i = from; i < seen.damage.size(); ++i)
            if (Inside(seen.damage[i].area, statusBar)) return true;
        return false;
    }, 1100);
    Pause(80);
}

int Start(char** program, bool button)
{
    const double launched = Now();
    child = Launch(program);
    Report("first_window_ms", WaitForWindow(1, 10000) - launched);
    Report("first_map_ms", seen.mapped[0].at - launched);
    WaitQuiet(300);
    Pause(500);
    Report("rss_kib", double(ResidentKiB()));
    Report("threads", double(Threads()));
    Report("wakeups_per_s", WakeUps(2));
    if (button) {
        // The button's middle: 40 + 19 pixels into the window's middle part,
        // which starts under the menu bar (found from the button's damage).
        const XWindowAttributes window = Attributes(seen.mapped[0].window);
        std::vector<double> times, rectangles;
        int x = window.x + 59, y = window.y + 80;
        for (int i = 0; i < 11; ++i) {
            const Click click = ClickAt(x, y);
            if (i == 0 && click.near.width > 0) { x = click.near.x + click.near.width / 2; y = click.near.y + click.near.height / 2; continue; }
            times.push_back(click.ms);
            rectangles.push_back(click.rectangles);
        }
        Report("take_ms", Median(times));
        Report("take_rectangles", Median(rectangles));
    }
    return 0;
}

std::vector<std::pair<int, int>> ParseCells(const char* text)
{
    std::vector<std::pair<int, int>> cells;
    std::istringstream in(text);
    std::string cell;
    while (in >> cell) {
        int column = 0, row = 0;
        if (std::sscanf(cell.c_str(), "%d,%d", &column, &row) == 2) cells.emplace_back(column, row);
    }
    return cells;
}

int Game(const char* order, char** program)
{
    const auto cells = ParseCells(order);
    if (cells.size() < 12) Fail("the order needs at least 12 cells");

    const double launched = Now();
    child = Launch(program);
    Report("first_window_ms", WaitForWindow(1, 10000) - launched);

    // The main window follows the splash.
    WaitForWindow(2, 10000);
    const Window mainWindow = seen.mapped[1].window;
    WaitQuiet(300);
    Pause(500);
    Report("rss_main_kib", double(ResidentKiB()));
    Report("threads_main", double(Threads()));
    const XWindowAttributes main = Attributes(mainWindow);
    XSetInputFocus(display, mainWindow, RevertToPointerRoot, CurrentTime);

    // Stage 24: eight pages of three stages on the selection bar, then Start.
    // A click on the stage picture gives the bar the keyboard.
    ClickAt(main.x + 108, main.y + 140);
    for (int i = 0; i < 8; ++i) { Key(XK_Next); WaitQuiet(40, 1000); }
    const Click open = ClickAt(main.x + 14, main.y + 9, 300);  // "ｽﾀｰﾄ", first on the menu bar
    Report("open_stage_x_ms", open.ms);
    Pause(500);
    Report("rss_stage_kib", double(ResidentKiB()));
    Report("threads_stage", double(Threads()));
    Report("wakeups_before_click_per_s", WakeUps(3));

    // The play window sits right of the selection window (216 pixels), under
    // the menu bar and its own title; the first click finds out exactly where.
    const XWindowAttributes grown = Attributes(mainWindow);
    const XWindowAttributes statusBar{.x = grown.x, .y = grown.y + grown.height - 24, .width = grown.width, .height = 24};
    int originX = grown.x + 216 + 4;
    int originY = grown.y + 24 + 23;
    auto centre = [&](std::size_t k) {
        return std::pair<int, int>{originX + cells[k].first * 40 + 19, originY + cells[k].second * 40 + 19};
    };
    auto [x0, y0] = centre(0);
    const Click first = ClickAt(x0, y0, 300);
    Report("first_take_x_ms", first.ms);
    if (first.near.width >= 30 && first.near.width <= 44) {
        originX = first.near.x + first.near.width / 2 - 19 - cells[0].first * 40;
        originY = first.near.y + first.near.height / 2 - 19 - cells[0].second * 40;
    } else {
        std::fprintf(stderr, "xprobe: the first take drew %dx%d around the click\n", first.near.width, first.near.height);
    }

    std::vector<double> times, rectangles;
    for (std::size_t k = 1; k < 11; ++k) {
        AfterTheTick(statusBar);
        auto [x, y] = centre(k);
        const Click click = ClickAt(x, y);
        times.push_back(click.ms);
        rectangles.push_back(click.rectangles);
        std::fprintf(stderr, "take %zu: %.2f ms, %d rectangles, around the click %dx%d\n", k + 1, click.ms,
                     click.rectangles, click.near.width, click.near.height);
    }
    Report("take_ms", Median(times));
    Report("take_rectangles", Median(rectangles));
    Pause(300);
    Report("rss_takes_kib", double(ResidentKiB()));
    Report("threads_takes", double(Threads()));

    // Sound off (Ctrl+S): the clock still ticks once a second.
    Key(XK_s, XK_Control_L);
    Pause(300);
    Report("wakeups_sound_off_per_s", WakeUps(3));

    // The rest of the stage, to the clear and its message.
    const std::size_t windows = seen.mapped.size();
    for (std::size_t k = 11; k < cells.size(); ++k) {
        auto [x, y] = centre(k);
        ClickAt(x, y, 20);
    }
    if (!WaitFor([&] { return seen.mapped.size() > windows; }, 3000)) Fail("no clear message");
    WaitQuiet(300);
    Pause(500);
    Report("wakeups_after_clear_per_s", WakeUps(3));

    // Close the message, then the play window (Ctrl+F4), then leaf through
    // the thirty stages and back.
    Key(XK_Return);
    WaitQuiet(200);
    Key(XK_F4, XK_Control_L);
    WaitQuiet(300);
    ClickAt(main.x + 108, main.y + 140);
    Key(XK_Home);
    WaitQuiet(200);
    Pause(500);
    const long before = ResidentKiB();
    for (int i = 0; i < 29; ++i) { Key(XK_Right); WaitQuiet(30, 1000); }
    Key(XK_Home);
    WaitQuiet(200);
    Pause(500);
    Report("leaf_kept_kib", double(ResidentKiB() - before));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    int dash = 1;
    while (dash < argc && std::strcmp(argv[dash], "--") != 0) ++dash;
    if (argc < 2 || dash + 1 >= argc) {
        std::fprintf(stderr, "usage: xprobe start|button|game [CELLS] -- program [args]\n");
        return 2;
    }
    display = XOpenDisplay(nullptr);
    if (!display) Fail("no X display");
    root = DefaultRootWindow(display);
    int error = 0, major = 0, minor = 0;
    if (!XDamageQueryExtension(display, &damageEventBase, &error)) Fail("no Damage extension");
    if (!XTestQueryExtension(display, &error, &error, &major, &minor)) Fail("no XTEST extension");
    XSelectInput(display, root, SubstructureNotifyMask);
    XDamageCreate(display, root, XDamageReportRawRectangles);
    XSync(display, False);

    const std::string scenario = argv[1];
    char** program = argv + dash + 1;
    int status = 2;
    if (scenario == "start") status = Start(program, false);
    else if (scenario == "button") status = Start(program, true);
    else if (scenario == "game" && dash > 2) status = Game(argv[2], program);
    else Fail("unknown scenario");
    // Ask first; a program that does not end within a second is killed, so
    // no copy outlives the probe and holds the next start's lock.
    kill(child, SIGTERM);
    for (int i = 0; i < 100 && waitpid(child, nullptr, WNOHANG) == 0; ++i) usleep(10000);
    if (waitpid(child, nullptr, WNOHANG) == 0) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    return status;
}
