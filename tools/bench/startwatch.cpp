// Starts a program and reports, on one monotonic clock, how long after its
// exec its first top-level window was mapped; then, after a settling time,
// optionally the CPU it used while idle, and its peak resident memory just
// before it is terminated.
//
//   startwatch [--settle MS] [--quiet MS] [--idle SECONDS] [--timeout SECONDS]
//              [--grace SECONDS] PROGRAM [ARG...]
//
// --quiet MS also waits, after the settling time, until the program has used
// no CPU for MS milliseconds (a program run under valgrind paints long after
// its map). --grace is how long it may take to exit after SIGTERM before it
// is killed (valgrind writes its counts then).
//
// Prints one line: map_ms=... cpu_ms=... [idle_cpu_pct=...] hwm_kb=...
#include <xcb/xcb.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

void sleepMs(double ms)
{
    timespec ts{static_cast<time_t>(ms / 1000), static_cast<long>(std::fmod(ms, 1000.0) * 1e6)};
    while (nanosleep(&ts, &ts) == -1 && errno == EINTR) {
    }
}

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "startwatch: %s\n", what);
    std::exit(2);
}

long procStatusKb(pid_t pid, const char *field)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(status, line)) {
        if (line.compare(0, key.size(), key) == 0)
            return std::strtol(line.c_str() + key.size(), nullptr, 10);
    }
    return -1;
}

// utime + stime in clock ticks (fields 14 and 15; the command name in
// parentheses may hold blanks, so count from the closing one).
long long cpuTicks(pid_t pid)
{
    std::ifstream statFile("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(statFile)), std::istreambuf_iterator<char>());
    const auto close = stat.rfind(')');
    if (close == std::string::npos)
        return -1;
    const char *p = stat.c_str() + close + 2;
    for (int field = 3; field < 14; ++field)
        p = std::strchr(p, ' ') + 1;
    char *end = nullptr;
    const long long utime = std::strtoll(p, &end, 10);
    const long long stime = std::strtoll(end, nullptr, 10);
    return utime + stime;
}

// Time on a CPU in nanoseconds, summed over the process's threads; finer
// than the clock ticks of /proc/<pid>/stat.
double cpuMs(pid_t pid)
{
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    double ns = 0;
    DIR *dir = opendir(tasks.c_str());
    if (!dir)
        return -1;
    while (const dirent *entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        std::ifstream schedstat(tasks + "/" + entry->d_name + "/schedstat");
        double runNs = 0;
        if (schedstat >> runNs)
            ns += runNs;
    }
    closedir(dir);
    return ns / 1e6;
}

class Display
{
public:
    Display()
    {
        m_conn = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_conn))
            fail("cannot open the X display");
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_conn)).data->root;
        const char name[] = "_NET_WM_PID";
        auto *atom = xcb_intern_atom_reply(m_conn, xcb_intern_atom(m_conn, 0, sizeof name - 1, name), nullptr);
        m_pidAtom = atom ? atom->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(atom);
        // New top-level windows show up as CreateNotify on the root.
        select(m_root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY);
        xcb_aux_sync();
    }
    ~Display() { xcb_disconnect(m_conn); }

    // Waits for the first window of `pid` to be mapped; returns the time it
    // was seen, or a negative value when `deadline` passed first.
    double waitForMap(pid_t pid, double deadline)
    {
        std::set<xcb_window_t> watched;
        pollfd pfd{xcb_get_file_descriptor(m_conn), POLLIN, 0};
        while (true) {
            xcb_generic_event_t *event = xcb_poll_for_event(m_conn);
            if (!event) {
                if (xcb_connection_has_error(m_conn))
                    fail("lost the X display");
                const double left = deadline - nowMs();
                if (left <= 0)
                    return -1;
                poll(&pfd, 1, static_cast<int>(left) + 1);
                continue;
            }
            const double seen = nowMs();
            const auto type = event->response_type & ~0x80;
            if (type == XCB_CREATE_NOTIFY) {
                auto *created = reinterpret_cast<xcb_create_notify_event_t *>(event);
                if (created->parent == m_root && !created->override_redirect) {
                    // A window manager reparents the window before mapping
                    // it, so its MapNotify only reaches those who select
                    // StructureNotify on the window itself.
                    watched.insert(created->window);
                    select(created->window, XCB_EVENT_MASK_STRUCTURE_NOTIFY);
                    if (isViewable(created->window) && ownedBy(created->window, pid)) {
                        std::free(event);
                        return nowMs();
                    }
                }
            } else if (type == XCB_MAP_NOTIFY) {
                auto *mapped = reinterpret_cast<xcb_map_notify_event_t *>(event);
                if (watched.count(mapped->window) && ownedBy(mapped->window, pid)) {
                    std::free(event);
                    return seen;
                }
            }
            std::free(event);
        }
    }

private:
    void select(xcb_window_t window, uint32_t mask)
    {
        xcb_change_window_attributes(m_conn, window, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_conn);
    }

    void xcb_aux_sync() { std::free(xcb_get_input_focus_reply(m_conn, xcb_get_input_focus(m_conn), nullptr)); }

    bool isViewable(xcb_window_t window)
    {
        auto *attributes = xcb_get_window_attributes_reply(m_conn, xcb_get_window_attributes(m_conn, window), nullptr);
        const bool viewable = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
        std::free(attributes);
        return viewable;
    }

    bool ownedBy(xcb_window_t window, pid_t pid)
    {
        auto *reply = xcb_get_property_reply(
            m_conn, xcb_get_property(m_conn, 0, window, m_pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr);
        bool owned = false;
        if (reply && xcb_get_property_value_length(reply) == 4)
            owned = *static_cast<uint32_t *>(xcb_get_property_value(reply)) == static_cast<uint32_t>(pid);
        std::free(reply);
        return owned;
    }

    xcb_connection_t *m_conn = nullptr;
    xcb_window_t m_root = 0;
    xcb_atom_t m_pidAtom = XCB_ATOM_NONE;
};

} // namespace

int main(int argc, char *argv[])
{
    double settleMs = 1000;
    double quietMs = 0;
    double idleSeconds = 0;
    double timeoutSeconds = 30;
    double graceSeconds = 2;
    int first = 1;
    for (; first + 1 < argc && argv[first][0] == '-'; first += 2) {
        const std::string option = argv[first];
        const double value = std::atof(argv[first + 1]);
        if (option == "--settle")
            settleMs = value;
        else if (option == "--quiet")
            quietMs = value;
        else if (option == "--grace")
            graceSeconds = value;
        else if (option == "--idle")
            idleSeconds = value;
        else if (option == "--timeout")
            timeoutSeconds = value;
        else
            fail(("unknown option " + option).c_str());
    }
    if (first >= argc)
        fail("usage: startwatch [--settle MS] [--quiet MS] [--idle SECONDS] [--timeout SECONDS] [--grace SECONDS] "
             "PROGRAM [ARG...]");

    Display display;

    // The child reports the moment just before its exec through a pipe that
    // the exec closes.
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        fail("pipe failed");
    const pid_t pid = fork();
    if (pid < 0)
        fail("fork failed");
    if (pid == 0) {
        close(pipeFds[0]);
        const double execAt = nowMs();
        if (write(pipeFds[1], &execAt, sizeof execAt) != sizeof execAt)
            _exit(126);
        execvp(argv[first], argv + first);
        const int error = errno;
        if (write(pipeFds[1], &error, sizeof error) != sizeof error)
            _exit(126);
        _exit(127);
    }
    close(pipeFds[1]);
    double execAt = 0;
    int execError = 0;
    if (read(pipeFds[0], &execAt, sizeof execAt) != sizeof execAt)
        fail("the child did not report its start");
    if (read(pipeFds[0], &execError, sizeof execError) > 0) {
        std::fprintf(stderr, "startwatch: cannot run %s: %s\n", argv[first], std::strerror(execError));
        return 2;
    }
    close(pipeFds[0]);

    const double mappedAt = display.waitForMap(pid, execAt + timeoutSeconds * 1000);
    int status = 0;
    if (mappedAt < 0) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        fail("no window was mapped in time");
    }
    // CPU time spent up to the map: unlike the wall time, it does not grow
    // when other processes compete for the processor.
    const double cpuAtMap = cpuMs(pid);
    sleepMs(settleMs);
    if (quietMs > 0) {
        const double deadline = execAt + timeoutSeconds * 1000;
        double before = cpuMs(pid);
        double quietSince = nowMs();
        while (nowMs() - quietSince < quietMs) {
            if (nowMs() > deadline) {
                std::fprintf(stderr, "startwatch: the program was still busy at the timeout\n");
                break;
            }
            sleepMs(50);
            const double now = cpuMs(pid);
            if (now - before >= 1) {
                before = now;
                quietSince = nowMs();
            }
        }
    }

    std::printf("map_ms=%.2f cpu_ms=%.2f", mappedAt - execAt, cpuAtMap);
    if (idleSeconds > 0) {
        const long long before = cpuTicks(pid);
        const double from = nowMs();
        sleepMs(idleSeconds * 1000);
        const long long after = cpuTicks(pid);
        const double seconds = (nowMs() - from) / 1000;
        std::printf(" idle_cpu_pct=%.3f", 100.0 * (after - before) / sysconf(_SC_CLK_TCK) / seconds);
    }
    std::printf(" hwm_kb=%ld\n", procStatusKb(pid, "VmHWM"));
    std::fflush(stdout);

    kill(pid, SIGTERM);
    for (int i = 0; i < graceSeconds * 100 && waitpid(pid, &status, WNOHANG) == 0; ++i)
        sleepMs(10);
    if (waitpid(pid, &status, WNOHANG) == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    return 0;
}
