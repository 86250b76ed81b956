/*
 * What the two X11 probes share: a monotonic clock, the process number a
 * window belongs to, an X error handler for windows that vanish, and a pipe
 * that becomes readable when a child process ends, so that a probe can wait
 * in select() on it and on the display connection without polling.
 */
#ifndef ZENALTO_PROBE_SUPPORT_H
#define ZENALTO_PROBE_SUPPORT_H

#include <X11/Xlib.h>

/* Milliseconds on the monotonic clock. */
double probe_now_ms(void);

/* The _NET_WM_PID of a window, or 0 when it has none (or is gone). */
long probe_window_pid(Display* display, Window window, Atom net_wm_pid);

/* An X error handler that ignores errors: a window may be destroyed between
 * its MapNotify and our property read. */
int probe_ignore_x_errors(Display* display, XErrorEvent* error);

/* Installs a SIGCHLD handler that writes to a close-on-exec pipe; returns the
 * pipe's read end, or -1 (with errno set) when the pipe cannot be made. */
int probe_watch_child_exit(void);

#endif
