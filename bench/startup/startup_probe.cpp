// Starts one program on the current X display and measures, from outside and the same way
// for any program:
//   mapped_ms   spawn -> its top-level window (_NET_WM_PID = child) is mapped
//   startup_ms  spawn -> the window's contents stop changing (last change of three pixel
//               rows, top, middle and bottom, sampled about every half millisecond; the
//               root must be black, so an unpainted window reads as black)
//   anon_kib, private_dirty_kib, rss_kib  from /proc/PID/smaps_rollup one second later
//   startup_cpu_ms  CPU time of all its threads up to then: the work of starting, steadier
//               than the wall-clock figures on a busy machine
//   idle_ticks  utime+stime (clock ticks) used over the next two seconds
//   idle_cpu_us the same from the threads' schedstat, in microseconds
//   idle_switches  context switches of all threads in those two seconds (wake-ups)
// Prints one line of key=value pairs and ends the program.
//
// usage: startup_probe PROGRAM [ARGS...]

#include <xcb/xcb.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kWindowTimeout = std::chrono::seconds(30);
constexpr auto kSettled = std::chrono::milliseconds(400);
constexpr auto kPollPause = std::chrono::microseconds(500);
constexpr auto kMemoryDelay = std::chrono::seconds(1);
constexpr auto kIdlePeriod = std::chrono::seconds(2);

[[noreturn]] void die(const std::string &message)
{
    std::fprintf(stderr, "startup_probe: %s\n", message.c_str());
    std::exit(2);
}

double millisecondsBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
    if (!reply)
        die(std::string("no atom ") + name);
    const xcb_atom_t result = reply->atom;
    std::free(reply);
    return result;
}

std::optional<pid_t> windowPid(xcb_connection_t *connection, xcb_window_t window,
                               xcb_atom_t pidAtom)
{
    xcb_get_property_reply_t *reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1),
        nullptr);
    std::optional<pid_t> pid;
    if (reply && xcb_get_property_value_length(reply) == 4)
        pid = static_cast<pid_t>(*static_cast<std::uint32_t *>(xcb_get_property_value(reply)));
    std::free(reply);
    return pid;
}

// Waits for the child's top-level window to be mapped; root must select SubstructureNotify
// before the child starts.
xcb_window_t waitForMappedWindow(xcb_connection_t *connection, pid_t child,
                                 Clock::time_point deadline)
{
    const xcb_atom_t pidAtom = atom(connection, "_NET_WM_PID");
    while (Clock::now() < deadline) {
        xcb_generic_event_t *event = xcb_poll_for_event(connection);
        if (!event) {
            if (xcb_connection_has_error(connection))
                die("lost the X connection");
            int status = 0;
            if (waitpid(child, &status, WNOHANG) == child)
                die("the program ended before showing a window");
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            continue;
        }
        const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
        const xcb_map_notify_event_t map = *reinterpret_cast<xcb_map_notify_event_t *>(event);
        std::free(event);
        if (mapped && !map.override_redirect && windowPid(connection, map.window, pidAtom) == child)
            return map.window;
    }
    die("no window was mapped in time");
}

struct Geometry {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
};

Geometry geometryOf(xcb_connection_t *connection, xcb_window_t window)
{
    xcb_get_geometry_reply_t *reply
        = xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
    if (!reply)
        die("no window geometry");
    const Geometry geometry {reply->width, reply->height};
    std::free(reply);
    return geometry;
}

// The bytes of three rows across the window, and whether any pixel is not black.
struct Sample {
    std::string rows;
    bool painted = false;
};

std::optional<Sample> sampleRows(xcb_connection_t *connection, xcb_window_t window,
                                 Geometry geometry)
{
    Sample sample;
    for (int y : {2, geometry.height / 2, geometry.height - 3}) {
        xcb_get_image_reply_t *reply = xcb_get_image_reply(
            connection,
            xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0,
                          static_cast<std::int16_t>(y), geometry.width, 1, ~0u),
            nullptr);
        if (!reply)
            return std::nullopt;
        const auto *data = xcb_get_image_data(reply);
        const int length = xcb_get_image_data_length(reply);
        for (int i = 0; i < length && !sample.painted; i += 4)
            sample.painted = data[i] || data[i + 1] || data[i + 2];
        sample.rows.append(reinterpret_cast<const char *>(data), static_cast<std::size_t>(length));
        std::free(reply);
    }
    return sample;
}

// The moment the window's contents last changed before holding still for kSettled.
Clock::time_point waitForSettledContents(xcb_connection_t *connection, xcb_window_t window,
                                         Clock::time_point deadline)
{
    const Geometry geometry = geometryOf(connection, window);
    std::string last;
    Clock::time_point lastChange = Clock::now();
    bool painted = false;
    while (Clock::now() < deadline) {
        const Clock::time_point now = Clock::now();
        if (const std::optional<Sample> sample = sampleRows(connection, window, geometry)) {
            if (sample->rows != last) {
                last = sample->rows;
                lastChange = now;
                painted = sample->painted;
            } else if (painted && now - lastChange >= kSettled) {
                return lastChange;
            }
        }
        std::this_thread::sleep_for(kPollPause);
    }
    die("the window was never painted");
}

std::string readFile(const std::string &path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

long smapsField(const std::string &smaps, const std::string &field)
{
    const std::size_t at = smaps.find("\n" + field + ":");
    if (at == std::string::npos)
        return -1;
    return std::strtol(smaps.c_str() + at + field.size() + 2, nullptr, 10);
}

// utime + stime in clock ticks, from /proc/PID/stat (fields 14 and 15).
long cpuTicks(pid_t pid)
{
    const std::string stat = readFile("/proc/" + std::to_string(pid) + "/stat");
    const std::size_t afterName = stat.rfind(')');
    if (afterName == std::string::npos)
        die("unreadable /proc/PID/stat");
    std::istringstream fields(stat.substr(afterName + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int number = 3; fields >> field; ++number) {
        if (number == 14)
            utime = std::stol(field);
        if (number == 15) {
            stime = std::stol(field);
            break;
        }
    }
    return utime + stime;
}

void forEachThread(pid_t pid, const std::function<void(const std::string &)> &visit)
{
    const std::string folder = "/proc/" + std::to_string(pid) + "/task";
    DIR *tasks = opendir(folder.c_str());
    if (!tasks)
        die("cannot list " + folder);
    while (dirent *entry = readdir(tasks)) {
        if (entry->d_name[0] != '.')
            visit(folder + "/" + entry->d_name);
    }
    closedir(tasks);
}

// CPU time of all threads in nanoseconds, and their context switches.
struct ThreadTotals {
    long long cpuNs = 0;
    long long switches = 0;
};

ThreadTotals threadTotals(pid_t pid)
{
    ThreadTotals totals;
    forEachThread(pid, [&](const std::string &task) {
        totals.cpuNs += std::atoll(readFile(task + "/schedstat").c_str());
        const std::string status = readFile(task + "/status");
        for (const char *field : {"voluntary_ctxt_switches:", "nonvoluntary_ctxt_switches:"}) {
            const std::size_t at = status.find(field);
            if (at != std::string::npos)
                totals.switches += std::atoll(status.c_str() + at + std::strlen(field));
        }
    });
    return totals;
}

void endChild(pid_t child)
{
    kill(child, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(child, nullptr, WNOHANG) == child)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

}  // namespace

int main(int argc, char *argv[])
{
    if (argc < 2)
        die("usage: startup_probe PROGRAM [ARGS...]");

    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        die("cannot connect to the X display");
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);
    // A round trip, so that the server selects the events before the child can map anything.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));

    const Clock::time_point spawned = Clock::now();
    const pid_t child = fork();
    if (child < 0)
        die(std::string("fork: ") + std::strerror(errno));
    if (child == 0) {
        execvp(argv[1], argv + 1);
        std::fprintf(stderr, "startup_probe: cannot run %s: %s\n", argv[1], std::strerror(errno));
        _exit(127);
    }

    const Clock::time_point deadline = spawned + kWindowTimeout;
    const xcb_window_t window = waitForMappedWindow(connection, child, deadline);
    const Clock::time_point mapped = Clock::now();
    const Clock::time_point painted = waitForSettledContents(connection, window, deadline);

    std::this_thread::sleep_until(painted + kMemoryDelay);
    const std::string smaps = readFile("/proc/" + std::to_string(child) + "/smaps_rollup");

    const long ticksBefore = cpuTicks(child);
    const ThreadTotals before = threadTotals(child);
    std::this_thread::sleep_for(kIdlePeriod);
    const long ticksAfter = cpuTicks(child);
    const ThreadTotals after = threadTotals(child);

    endChild(child);
    xcb_disconnect(connection);

    std::printf("mapped_ms=%.1f startup_ms=%.1f anon_kib=%ld private_dirty_kib=%ld rss_kib=%ld "
                "startup_cpu_ms=%.1f idle_ticks=%ld idle_cpu_us=%lld idle_switches=%lld\n",
                millisecondsBetween(spawned, mapped), millisecondsBetween(spawned, painted),
                smapsField(smaps, "Anonymous"), smapsField(smaps, "Private_Dirty"),
                smapsField(smaps, "Rss"), before.cpuNs / 1e6, ticksAfter - ticksBefore,
                (after.cpuNs - before.cpuNs) / 1000, after.switches - before.switches);
    return 0;
}
