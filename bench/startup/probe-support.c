#define _GNU_SOURCE

#include "probe-support.h"

#include <X11/Xatom.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static int child_exit_pipe[2] = {-1, -1};

static void on_child_exit(int signal_number) {
    (void)signal_number;
    const int saved = errno;
    const char byte = 0;
    ssize_t ignored = write(child_exit_pipe[1], &byte, 1);
    (void)ignored;
    errno = saved;
}

double probe_now_ms(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)now.tv_sec * 1e3 + (double)now.tv_nsec / 1e6;
}

long probe_window_pid(Display* display, Window window, Atom net_wm_pid) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = NULL;
    long pid = 0;
    if (XGetWindowProperty(display, window, net_wm_pid, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &remaining, &data) == Success &&
        data != NULL) {
        if (type == XA_CARDINAL && format == 32 && count == 1) {
            pid = *(const long*)(const void*)data; /* Xlib hands 32-bit items as long */
        }
    }
    if (data != NULL) {
        XFree(data);
    }
    return pid;
}

int probe_ignore_x_errors(Display* display, XErrorEvent* error) {
    (void)display;
    (void)error;
    return 0;
}

int probe_watch_child_exit(void) {
    if (pipe2(child_exit_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return -1;
    }
    struct sigaction action;
    memset(&action, 0, sizeof action);
    action.sa_handler = on_child_exit;
    action.sa_flags = SA_NOCLDSTOP | SA_RESTART;
    sigaction(SIGCHLD, &action, NULL);
    return child_exit_pipe[0];
}
