/*
 * click-probe: how long Zenalto takes, seen from outside, from a click on
 * "Calcular" to the repainted result field Text3, on an X11 display without
 * a window manager.
 *
 *     click-probe [-n COUNTED] [-w WARMUPS] [-s SETTLE_MS] [-q QUIET_MS]
 *                 [-t TIMEOUT_MS] [-c X,Y] [-o RAW_FILE] PROGRAM [ARG...]
 *
 * Starts PROGRAM as startup-probe does (fork, then the MapNotify of a window
 * whose _NET_WM_PID is the child's), creates a Damage object on that window
 * (raw rectangles, so every drawing arrives as its own event with its own
 * rectangle), waits for the first painting and SETTLE_MS more (500 by
 * default), then for each of WARMUPS + COUNTED rounds:
 *
 *   1. waits for QUIET_MS (50 by default) without any damage, then clicks
 *      an arrow of the altitude scroll bar, right and left in turn,
 *      so the altitude is 160 and 159 in turn and the next result differs
 *      from the one shown (the same text written again would repaint
 *      nothing); waits for the damage on Text1, then for QUIET_MS without
 *      any damage;
 *   2. presses the button "Calcular" at its centre and waits for the damage
 *      of the sunken button and QUIET_MS without damage, so the press is
 *      fully handled and no rectangle of it is still on its way;
 *   3. reads the clock, releases the button (the button reports its click on
 *      release) and waits for the first damage whose rectangle meets Text3.
 *
 * The time of step 3 counts. All input goes through XTest, so it takes the
 * same path through the server as a real mouse. Times are from just before
 * the release request leaves this program to the moment this program reads
 * the damage event. Positions are those of the window's fixed layout; the
 * client area (below the menu bar) starts at X,Y on the screen (147,135
 * by default, where the program puts it when no window manager moves it).
 *
 * WARMUPS defaults to 3, COUNTED to 50. Prints "MEDIAN_MS MIN_MS MAX_MS
 * COUNTED" on one line; -o writes every counted time, one a line.
 *
 * It blocks in select() on the display connection and on a pipe written by
 * its SIGCHLD handler; it never polls. A window other than the main one being
 * mapped (a message box) is an error. Exit status 0 on success, 1 when the
 * program ended, a repaint did not come before TIMEOUT_MS (2000 by default)
 * or another window opened, 2 on misuse.
 */
#define _GNU_SOURCE

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
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

/* A rectangle of the client area, as laid out in the main window. */
typedef struct {
    int x;
    int y;
    int width;
    int height;
} Box;

/* Frame1 at (8,24) holds Text1, Frame2 at (264,24) Text3; the scroll bar
 * and the buttons lie on the client area itself. */
static const Box text1_box = {8 + 120, 24 + 32, 65, 25};
static const Box scroll_box = {104, 96, 105, 17};
static const Box text3_box = {264 + 104, 24 + 72, 81, 25};
static const Box command1_box = {152, 288, 65, 25};

typedef enum { WAIT_SEEN, WAIT_TIMEOUT, WAIT_FAILED } WaitResult;

typedef struct {
    Display* display;
    int x_fd;
    Atom net_wm_pid;
    pid_t child;
    int child_ended;
    Window window;    /* the main window, once mapped */
    int damage_event; /* event type of DamageNotify */
    int origin_x;     /* the client area's top-left in window coordinates */
    int origin_y;
    int screen_x; /* and on the screen */
    int screen_y;
} Probe;

/* Whether a damaged rectangle (window coordinates) meets a box of the client area. */
static int meets(const Probe* probe, const XRectangle* area, const Box* box) {
    const int left = probe->origin_x + box->x;
    const int top = probe->origin_y + box->y;
    return area->x < left + box->width && left < area->x + (int)area->width &&
           area->y < top + box->height && top < area->y + (int)area->height;
}

/*
 * Handles events until one of these comes, or DEADLINE passes:
 *   - box == NULL and the main window is not known: its MapNotify;
 *   - box == NULL otherwise: nothing, it runs to the deadline (settling);
 *   - box != NULL: a damage on the main window that meets *box; *seen_at
 *     is then the time it was read.
 * WAIT_FAILED when the child ended or mapped a second window.
 */
static WaitResult wait_for(Probe* probe, const Box* box, double deadline, double* seen_at) {
    for (;;) {
        while (XPending(probe->display) > 0) {
            XEvent event;
            XNextEvent(probe->display, &event);
            const double received = probe_now_ms();
            if (event.type == probe->damage_event + XDamageNotify) {
                const XDamageNotifyEvent* damage = (const XDamageNotifyEvent*)(const void*)&event;
                if (box != NULL && damage->drawable == probe->window &&
                    meets(probe, &damage->area, box)) {
                    if (seen_at != NULL) {
                        *seen_at = received;
                    }
                    return WAIT_SEEN;
                }
            } else if (event.type == MapNotify &&
                       probe_window_pid(probe->display, event.xmap.window, probe->net_wm_pid) ==
                           (long)probe->child) {
                if (probe->window == None) {
                    probe->window = event.xmap.window;
                    if (box == NULL) {
                        return WAIT_SEEN;
                    }
                } else if (event.xmap.window != probe->window) {
                    fprintf(stderr, "click-probe: the program opened another window\n");
                    return WAIT_FAILED;
                }
            }
        }
        const double left = deadline - probe_now_ms();
        if (left <= 0.0) {
            return WAIT_TIMEOUT;
        }
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(probe->x_fd, &readable);
        FD_SET(child_exit_fd, &readable);
        struct timeval wait;
        wait.tv_sec = (time_t)(left / 1e3);
        wait.tv_usec = (suseconds_t)((left - (double)wait.tv_sec * 1e3) * 1e3);
        const int maxfd = probe->x_fd > child_exit_fd ? probe->x_fd : child_exit_fd;
        if (select(maxfd + 1, &readable, NULL, NULL, &wait) < 0 && errno != EINTR) {
            perror("click-probe: select");
            return WAIT_FAILED;
        }
        if (FD_ISSET(child_exit_fd, &readable) &&
            waitpid(probe->child, NULL, WNOHANG) == probe->child) {
            probe->child_ended = 1;
            fprintf(stderr, "click-probe: the program ended\n");
            return WAIT_FAILED;
        }
    }
}

/* As wait_for with a box, but a timeout is an error naming WHAT. */
static int wait_for_damage(Probe* probe, const Box* box, long timeout_ms, const char* what,
                           double* seen_at) {
    const WaitResult result = wait_for(probe, box, probe_now_ms() + (double)timeout_ms, seen_at);
    if (result == WAIT_TIMEOUT) {
        fprintf(stderr, "click-probe: %s was not repainted within %ld ms\n", what, timeout_ms);
    }
    return result == WAIT_SEEN;
}

/* Returns once no damage at all has come for QUIET_MS: a repaint flushes
 * several rectangles, and one left over from the previous step could
 * otherwise be taken for the next step's. 0 when it never settles. */
static int wait_quiet(Probe* probe, long quiet_ms, long timeout_ms) {
    const Box anywhere = {-probe->origin_x, -probe->origin_y, 1 << 15, 1 << 15};
    const double give_up = probe_now_ms() + (double)timeout_ms;
    while (probe_now_ms() < give_up) {
        switch (wait_for(probe, &anywhere, probe_now_ms() + (double)quiet_ms, NULL)) {
            case WAIT_TIMEOUT:
                return 1;
            case WAIT_FAILED:
                return 0;
            case WAIT_SEEN:
                break;
        }
    }
    fprintf(stderr, "click-probe: the window kept repainting for %ld ms\n", timeout_ms);
    return 0;
}

static void move_to_centre(const Probe* probe, const Box* box, int dx) {
    XTestFakeMotionEvent(probe->display, -1, probe->screen_x + box->x + box->width / 2 + dx,
                         probe->screen_y + box->y + box->height / 2, CurrentTime);
}

static void button(const Probe* probe, Bool down) {
    XTestFakeButtonEvent(probe->display, 1, down, CurrentTime);
    XSync(probe->display, False);
}

static int compare_doubles(const void* a, const void* b) {
    const double x = *(const double*)a;
    const double y = *(const double*)b;
    return (x > y) - (x < y);
}

static void usage(void) {
    fprintf(stderr,
            "usage: click-probe [-n COUNTED] [-w WARMUPS] [-s SETTLE_MS] [-q QUIET_MS]\n"
            "                   [-t TIMEOUT_MS] [-c X,Y] [-o RAW_FILE] PROGRAM [ARG...]\n");
}

/* One round: new inputs, press, release; the release-to-Text3 time in *ms. */
static int measure_round(Probe* probe, int round, long quiet_ms, long timeout_ms, double* ms) {
    /* The arrows are square, as high as the bar; right in even rounds, left in odd. */
    const int arrow_offset = scroll_box.width / 2 - scroll_box.height / 2;
    /* Text4 is still being flushed when the previous round's Text3 has come. */
    if (!wait_quiet(probe, quiet_ms, timeout_ms)) {
        return 0;
    }
    move_to_centre(probe, &scroll_box, round % 2 == 0 ? arrow_offset : -arrow_offset);
    button(probe, True);
    button(probe, False);
    if (!wait_for_damage(probe, &text1_box, timeout_ms, "Text1 after the scroll bar click", NULL) ||
        !wait_quiet(probe, quiet_ms, timeout_ms)) {
        return 0;
    }

    move_to_centre(probe, &command1_box, 0);
    button(probe, True);
    if (!wait_for_damage(probe, &command1_box, timeout_ms, "the pressed \"Calcular\"", NULL) ||
        !wait_quiet(probe, quiet_ms, timeout_ms)) {
        return 0;
    }

    double repainted_at = 0.0;
    const double released_at = probe_now_ms();
    button(probe, False);
    if (!wait_for_damage(probe, &text3_box, timeout_ms, "Text3 after \"Calcular\"",
                         &repainted_at)) {
        return 0;
    }
    *ms = repainted_at - released_at;
    return 1;
}

int main(int argc, char* argv[]) {
    long counted = 50;
    long warmups = 3;
    long settle_ms = 500;
    long timeout_ms = 2000;
    long quiet_ms = 50;
    int client_x = 147;
    int client_y = 135;
    const char* raw_file = NULL;
    int option;
    while ((option = getopt(argc, argv, "+n:w:s:q:t:c:o:")) != -1) {
        switch (option) {
            case 'n':
                counted = strtol(optarg, NULL, 10);
                break;
            case 'w':
                warmups = strtol(optarg, NULL, 10);
                break;
            case 's':
                settle_ms = strtol(optarg, NULL, 10);
                break;
            case 'q':
                quiet_ms = strtol(optarg, NULL, 10);
                break;
            case 't':
                timeout_ms = strtol(optarg, NULL, 10);
                break;
            case 'c':
                if (sscanf(optarg, "%d,%d", &client_x, &client_y) != 2) {
                    usage();
                    return 2;
                }
                break;
            case 'o':
                raw_file = optarg;
                break;
            default:
                usage();
                return 2;
        }
    }
    if (optind >= argc || counted <= 0 || counted > 100000 || warmups < 0 || settle_ms < 0 ||
        quiet_ms <= 0 || timeout_ms <= 0) {
        usage();
        return 2;
    }

    Probe probe;
    memset(&probe, 0, sizeof probe);
    probe.display = XOpenDisplay(NULL);
    if (probe.display == NULL) {
        fprintf(stderr, "click-probe: cannot open display \"%s\"\n", XDisplayName(NULL));
        return 2;
    }
    Display* const display = probe.display;
    int event_base = 0;
    int error_base = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display, &event_base, &error_base, &major, &minor)) {
        fprintf(stderr, "click-probe: the X server has no XTEST extension\n");
        return 2;
    }
    if (!XDamageQueryExtension(display, &probe.damage_event, &error_base)) {
        fprintf(stderr, "click-probe: the X server has no DAMAGE extension\n");
        return 2;
    }
    XSetErrorHandler(probe_ignore_x_errors);
    probe.net_wm_pid = XInternAtom(display, "_NET_WM_PID", False);
    probe.window = None;
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);
    probe.x_fd = ConnectionNumber(display);
    fcntl(probe.x_fd, F_SETFD, FD_CLOEXEC);

    child_exit_fd = probe_watch_child_exit();
    if (child_exit_fd < 0) {
        perror("click-probe: pipe");
        return 2;
    }

    probe.child = fork();
    if (probe.child < 0) {
        perror("click-probe: fork");
        return 2;
    }
    if (probe.child == 0) {
        execvp(argv[optind], argv + optind);
        perror("click-probe: exec");
        _exit(127);
    }

    double* const times = calloc((size_t)counted, sizeof *times);
    int ok = times != NULL;
    if (ok) {
        /* Start-up may take far longer than a repaint: a generous deadline. */
        const WaitResult mapped =
            wait_for(&probe, NULL, probe_now_ms() + 10.0 * (double)timeout_ms, NULL);
        ok = mapped == WAIT_SEEN;
        if (mapped == WAIT_TIMEOUT) {
            fprintf(stderr, "click-probe: no window was mapped in time\n");
        }
    }
    if (ok) {
        Window ignored;
        XTranslateCoordinates(display, root, probe.window, client_x, client_y, &probe.origin_x,
                              &probe.origin_y, &ignored);
        probe.screen_x = client_x;
        probe.screen_y = client_y;
        XDamageCreate(display, probe.window, XDamageReportRawRectangles);
        XSync(display, False);
        /* The first painting meets every box: let it and whatever follows pass. */
        const Box whole = {-probe.origin_x, -probe.origin_y, 1 << 15, 1 << 15};
        ok = wait_for_damage(&probe, &whole, timeout_ms, "the window", NULL) &&
             wait_for(&probe, NULL, probe_now_ms() + (double)settle_ms, NULL) == WAIT_TIMEOUT;
    }
    for (long round = 0; ok && round < warmups + counted; ++round) {
        double ms = 0.0;
        ok = measure_round(&probe, (int)(round % 2), quiet_ms, timeout_ms, &ms);
        if (ok && round >= warmups) {
            times[round - warmups] = ms;
        }
    }

    if (!probe.child_ended) {
        kill(probe.child, SIGKILL);
        waitpid(probe.child, NULL, 0);
    }
    XCloseDisplay(display);
    if (!ok) {
        free(times);
        return 1;
    }

    if (raw_file != NULL) {
        FILE* raw = fopen(raw_file, "w");
        if (raw == NULL) {
            perror("click-probe: raw file");
        } else {
            for (long i = 0; i < counted; ++i) {
                fprintf(raw, "%.3f\n", times[i]);
            }
            fclose(raw);
        }
    }
    qsort(times, (size_t)counted, sizeof *times, compare_doubles);
    const double median =
        counted % 2 ? times[counted / 2] : (times[counted / 2 - 1] + times[counted / 2]) / 2.0;
    printf("%.3f %.3f %.3f %ld\n", median, times[0], times[counted - 1], counted);
    free(times);
    return 0;
}
