/*
 * startup-probe: how long a program takes from fork to its first mapped
 * top-level window on an X11 display, and how much memory it holds then.
 *
 *     startup-probe [-f] [-s SETTLE_MS] [-t TIMEOUT_MS] PROGRAM [ARG...]
 *
 * Watches the root window's substructure, forks and executes PROGRAM, and
 * waits for the MapNotify of a window whose _NET_WM_PID is the child's (Qt
 * sets it on every top-level window before mapping it). Without a window
 * manager a top-level window is a child of the root, so its MapNotify reaches
 * us directly. At that moment it reads the processor time the child's
 * threads have used so far, which a loaded machine disturbs far less than the
 * wall-clock time. Then it sleeps SETTLE_MS (300 by default), reads VmRSS and
 * VmHWM of the child from /proc, ends the child and prints one line:
 *
 *     MILLISECONDS_TO_MAP VMRSS_KIB VMHWM_KIB CPU_MILLISECONDS_TO_MAP
 *
 * With -f the line ends with a fifth field: the page faults (minor and major)
 * the child had taken when its window was mapped.
 *
 * It blocks in select() on the display connection and on a pipe written by
 * its SIGCHLD handler; it never polls. Exit status 0 when a window was
 * mapped, 1 when the child ended or the timeout passed first, 2 on misuse.
 */
#define _GNU_SOURCE

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include "probe-support.h"

/* Readable once the program under test has ended. */
static int child_exit_fd = -1;

/* VmRSS and VmHWM of a process in KiB; -1 for what cannot be read. */
static void read_memory(pid_t pid, long* rss_kib, long* hwm_kib) {
    char path[64];
    char line[256];
    *rss_kib = -1;
    *hwm_kib = -1;
    snprintf(path, sizeof path, "/proc/%ld/status", (long)pid);
    FILE* status = fopen(path, "r");
    if (status == NULL) {
        return;
    }
    while (fgets(line, sizeof line, status) != NULL) {
        if (strncmp(line, "VmRSS:", 6) == 0) {
            *rss_kib = strtol(line + 6, NULL, 10);
        } else if (strncmp(line, "VmHWM:", 6) == 0) {
            *hwm_kib = strtol(line + 6, NULL, 10);
        }
    }
    fclose(status);
}

/* Processor time used by all threads of a process, from the first field of
 * each thread's schedstat (nanoseconds on a processor); -1 when unreadable. */
static double cpu_ms(pid_t pid) {
    char path[64];
    snprintf(path, sizeof path, "/proc/%ld/task", (long)pid);
    DIR* tasks = opendir(path);
    if (tasks == NULL) {
        return -1.0;
    }
    unsigned long long total_ns = 0;
    const struct dirent* task;
    while ((task = readdir(tasks)) != NULL) {
        if (task->d_name[0] == '.') {
            continue;
        }
        char stat_path[64 + sizeof task->d_name + 16];
        snprintf(stat_path, sizeof stat_path, "%s/%s/schedstat", path, task->d_name);
        FILE* schedstat = fopen(stat_path, "r");
        if (schedstat == NULL) {
            continue;
        }
        unsigned long long ns = 0;
        if (fscanf(schedstat, "%llu", &ns) == 1) {
            total_ns += ns;
        }
        fclose(schedstat);
    }
    closedir(tasks);
    return (double)total_ns / 1e6;
}

/* Minor plus major page faults of a process so far; -1 when unreadable. */
static long page_faults(pid_t pid) {
    char path[64];
    char line[1024];
    snprintf(path, sizeof path, "/proc/%ld/stat", (long)pid);
    FILE* stat = fopen(path, "r");
    if (stat == NULL) {
        return -1;
    }
    const int got = fgets(line, sizeof line, stat) != NULL;
    fclose(stat);
    /* The name in parentheses may hold blanks: count fields after its end.
     * Field 3 is the state; minflt is field 10, majflt field 12. */
    const char* rest = got ? strrchr(line, ')') : NULL;
    long minflt = -1;
    long majflt = -1;
    if (rest == NULL ||
        sscanf(rest + 1, " %*c %*d %*d %*d %*d %*d %*u %ld %*u %ld", &minflt, &majflt) != 2) {
        return -1;
    }
    return minflt + majflt;
}

static void usage(void) {
    fprintf(stderr, "usage: startup-probe [-f] [-s SETTLE_MS] [-t TIMEOUT_MS] PROGRAM [ARG...]\n");
}

int main(int argc, char* argv[]) {
    long settle_ms = 300;
    long timeout_ms = 10000;
    int faults = 0;
    int option;
    while ((option = getopt(argc, argv, "+fs:t:")) != -1) {
        switch (option) {
            case 'f':
                faults = 1;
                break;
            case 's':
                settle_ms = strtol(optarg, NULL, 10);
                break;
            case 't':
                timeout_ms = strtol(optarg, NULL, 10);
                break;
            default:
                usage();
                return 2;
        }
    }
    if (optind >= argc || settle_ms < 0 || timeout_ms <= 0) {
        usage();
        return 2;
    }

    Display* display = XOpenDisplay(NULL);
    if (display == NULL) {
        fprintf(stderr, "startup-probe: cannot open display \"%s\"\n", XDisplayName(NULL));
        return 2;
    }
    XSetErrorHandler(probe_ignore_x_errors);
    const Atom net_wm_pid = XInternAtom(display, "_NET_WM_PID", False);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    const int x_fd = ConnectionNumber(display);
    fcntl(x_fd, F_SETFD, FD_CLOEXEC);

    child_exit_fd = probe_watch_child_exit();
    if (child_exit_fd < 0) {
        perror("startup-probe: pipe");
        return 2;
    }

    const double start = probe_now_ms();
    const pid_t child = fork();
    if (child < 0) {
        perror("startup-probe: fork");
        return 2;
    }
    if (child == 0) {
        execvp(argv[optind], argv + optind);
        perror("startup-probe: exec");
        _exit(127);
    }

    double mapped_at = -1.0;
    double mapped_cpu_ms = -1.0;
    long mapped_faults = -1;
    int child_ended = 0;
    const double deadline = start + (double)timeout_ms;
    while (mapped_at < 0.0 && !child_ended) {
        while (XPending(display) > 0 && mapped_at < 0.0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != MapNotify) {
                continue;
            }
            const double received = probe_now_ms();
            if (probe_window_pid(display, event.xmap.window, net_wm_pid) == (long)child) {
                mapped_at = received;
                mapped_cpu_ms = cpu_ms(child);
                mapped_faults = page_faults(child);
            }
        }
        if (mapped_at >= 0.0) {
            break;
        }
        const double left = deadline - probe_now_ms();
        if (left <= 0.0) {
            break;
        }
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(x_fd, &readable);
        FD_SET(child_exit_fd, &readable);
        struct timeval wait;
        wait.tv_sec = (time_t)(left / 1e3);
        wait.tv_usec = (suseconds_t)((left - (double)wait.tv_sec * 1e3) * 1e3);
        const int maxfd = x_fd > child_exit_fd ? x_fd : child_exit_fd;
        if (select(maxfd + 1, &readable, NULL, NULL, &wait) < 0 && errno != EINTR) {
            perror("startup-probe: select");
            break;
        }
        if (FD_ISSET(child_exit_fd, &readable)) {
            child_ended = waitpid(child, NULL, WNOHANG) == child;
        }
    }

    if (mapped_at < 0.0) {
        fprintf(stderr, "startup-probe: %s\n",
                child_ended ? "the program ended without mapping a window"
                            : "no window was mapped before the timeout");
        if (!child_ended) {
            kill(child, SIGKILL);
            waitpid(child, NULL, 0);
        }
        return 1;
    }

    const struct timespec settle = {settle_ms / 1000, (settle_ms % 1000) * 1000000L};
    struct timespec rest = settle;
    while (clock_nanosleep(CLOCK_MONOTONIC, 0, &rest, &rest) == EINTR) {
    }
    long rss_kib = 0;
    long hwm_kib = 0;
    read_memory(child, &rss_kib, &hwm_kib);
    kill(child, SIGKILL);
    waitpid(child, NULL, 0);
    XCloseDisplay(display);

    printf("%.3f %ld %ld %.3f", mapped_at - start, rss_kib, hwm_kib, mapped_cpu_ms);
    if (faults) {
        printf(" %ld", mapped_faults);
    }
    printf("\n");
    return 0;
}
