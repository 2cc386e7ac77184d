// Starts a program and reports how long its first picture took to reach the X
// screen: the time from the start of the program to the first screen grab that
// is not all black. The process id is printed at once, the figure when it is
// known; the probe then waits for the program to end, so it is reaped.
//   bench_first_frame LOG PROGRAM [ARGS...]
// Output (stdout):   pid N
//                    first_frame_ms T      (or "first_frame_ms none" after 10 s)
//                    first_frame_cpu_ms C  (CPU the program used until then)
// The program's own output goes to LOG. The screen is grabbed every 5 ms,
// so the figure is late by at most that plus one grab.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

double Now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

// CPU time all threads of a process have run so far, in ms: on a busy
// machine the wall-clock figure grows with the load, this one hardly.
double CpuMs(pid_t pid) {
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/task", pid);
    DIR* tasks = opendir(path);
    if (!tasks) return -1;
    double ns = 0;
    while (dirent* task = readdir(tasks)) {
        if (task->d_name[0] == '.') continue;
        char stat[320];
        std::snprintf(stat, sizeof stat, "/proc/%d/task/%s/schedstat", pid, task->d_name);
        if (FILE* f = std::fopen(stat, "r")) {
            unsigned long long run = 0;
            if (std::fscanf(f, "%llu", &run) == 1) ns += double(run);
            std::fclose(f);
        }
    }
    closedir(tasks);
    return ns / 1e6;
}

bool AnyColour(XImage* image) {
    const unsigned long mask = image->red_mask | image->green_mask | image->blue_mask;
    for (int y = 0; y < image->height; ++y) {
        const auto* row = reinterpret_cast<const uint8_t*>(image->data) + static_cast<size_t>(y) * image->bytes_per_line;
        if (image->bits_per_pixel == 16) {
            const auto* p = reinterpret_cast<const uint16_t*>(row);
            for (int x = 0; x < image->width; ++x)
                if (p[x] & mask) return true;
        } else if (image->bits_per_pixel == 32) {
            const auto* p = reinterpret_cast<const uint32_t*>(row);
            for (int x = 0; x < image->width; ++x)
                if (p[x] & mask) return true;
        } else {
            for (int x = 0; x < image->width; ++x)
                if (XGetPixel(image, x, y) & mask) return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s LOG PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    const Window root = DefaultRootWindow(display);
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, root, &attributes);

    const double start = Now();
    const pid_t pid = fork();
    if (pid < 0) return 1;
    if (pid == 0) {
        const int log = open(argv[1], O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (log >= 0) {
            dup2(log, 1);
            dup2(log, 2);
            close(log);
        }
        close(ConnectionNumber(display));
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    std::printf("pid %d\n", pid);
    std::fflush(stdout);
    while (Now() - start < 10000) {
        XImage* image = XGetImage(display, root, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
        const double grabbed = Now();
        const bool seen = image && AnyColour(image);
        if (image) XDestroyImage(image);
        if (seen) {
            std::printf("first_frame_ms %.0f\n", grabbed - start);
            std::printf("first_frame_cpu_ms %.0f\n", CpuMs(pid));
            std::fflush(stdout);
            break;
        }
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::printf("first_frame_ms none (the program ended)\n");
            return 1;
        }
        usleep(5000);
    }
    if (Now() - start >= 10000) {
        std::printf("first_frame_ms none\n");
        std::fflush(stdout);
    }
    XCloseDisplay(display);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
