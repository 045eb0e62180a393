/*
 * A stand-in for the mouse's USB receiver, made by the kernel's uhid driver, so that korvanectl can be run
 * through hidapi, hidraw and the HID core exactly as against the receiver.
 *
 * It creates one HID device with the receiver's vendor and product ids whose report descriptor holds
 *   - a mouse collection (Generic Desktop / Mouse, report ID 0x01: five buttons, X and Y), and
 *   - the command collection (Generic Desktop / usage 0, report ID 0x05, 32 bytes in and 32 bytes out),
 * so that both land on one hidraw node, as they do with the receiver.
 *
 * It answers command reports as the mouse's firmware does:
 *   - codes 0x01..0x0A, 0x40 and 0x46 are echoed back unchanged,
 *   - 0x48 (status request) gets a battery report (raw 960, not charging, status 1),
 *   - everything else (0x44 among them) gets no answer.
 * Every output report the device receives is logged as "OUT <hex bytes>", every answer as "IN <hex bytes>".
 *
 * With --move it also sends pointer reports (report ID 0x01) at 1000 per second, as a mouse that is being
 * moved does, on the same hidraw node as the command reports; at the end it logs how many it sent.
 *
 * usage: uhid_mouse --vid HEX --pid HEX --log FILE [--move] [--name NAME]
 */
#define _GNU_SOURCE
#include <errno.h>
#include <fcntl.h>
#include <linux/uhid.h>
#include <poll.h>
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/timerfd.h>
#include <time.h>
#include <unistd.h>

#define BUS_USB 0x03

enum {
    MOUSE_REPORT_ID = 0x01,
    COMMAND_REPORT_ID = 0x05,
    COMMAND_REPORT_SIZE = 33, /* report ID + 32 bytes */
    MAGIC = 0xFA,
    CMD_LAST_ECHOED_DATA = 0x0A,
    CMD_STORE = 0x40,
    CMD_WRITE_BRACKET = 0x46,
    CMD_BATTERY = 0x48,
    CHECKSUM_XOR = 0x66,
    BATTERY_RAW = 960,
    MAX_BURST = 16, /* pointer reports sent at once when ticks were missed */
};

static const uint8_t report_descriptor[] = {
    /* Mouse, report ID 1: buttons 1-5, 3 bits padding, X and Y relative. */
    0x05, 0x01, /* Usage Page (Generic Desktop) */
    0x09, 0x02, /* Usage (Mouse) */
    0xA1, 0x01, /* Collection (Application) */
    0x85, 0x01, /*   Report ID (1) */
    0x09, 0x01, /*   Usage (Pointer) */
    0xA1, 0x00, /*   Collection (Physical) */
    0x05, 0x09, /*     Usage Page (Button) */
    0x19, 0x01, /*     Usage Minimum (1) */
    0x29, 0x05, /*     Usage Maximum (5) */
    0x15, 0x00, /*     Logical Minimum (0) */
    0x25, 0x01, /*     Logical Maximum (1) */
    0x95, 0x05, /*     Report Count (5) */
    0x75, 0x01, /*     Report Size (1) */
    0x81, 0x02, /*     Input (Data, Variable, Absolute) */
    0x95, 0x01, /*     Report Count (1) */
    0x75, 0x03, /*     Report Size (3) */
    0x81, 0x01, /*     Input (Constant) */
    0x05, 0x01, /*     Usage Page (Generic Desktop) */
    0x09, 0x30, /*     Usage (X) */
    0x09, 0x31, /*     Usage (Y) */
    0x15, 0x81, /*     Logical Minimum (-127) */
    0x25, 0x7F, /*     Logical Maximum (127) */
    0x75, 0x08, /*     Report Size (8) */
    0x95, 0x02, /*     Report Count (2) */
    0x81, 0x06, /*     Input (Data, Variable, Relative) */
    0xC0,       /*   End Collection */
    0xC0,       /* End Collection */
    /* Command collection, report ID 5: 32 bytes each way. */
    0x05, 0x01,       /* Usage Page (Generic Desktop) */
    0x09, 0x00,       /* Usage (Undefined) */
    0xA1, 0x01,       /* Collection (Application) */
    0x85, 0x05,       /*   Report ID (5) */
    0x09, 0x00,       /*   Usage (Undefined) */
    0x15, 0x00,       /*   Logical Minimum (0) */
    0x26, 0xFF, 0x00, /*   Logical Maximum (255) */
    0x75, 0x08,       /*   Report Size (8) */
    0x95, 0x20,       /*   Report Count (32) */
    0x81, 0x02,       /*   Input (Data, Variable, Absolute) */
    0x09, 0x00,       /*   Usage (Undefined) */
    0x91, 0x02,       /*   Output (Data, Variable, Absolute) */
    0xC0,             /* End Collection */
};

static volatile sig_atomic_t stop_requested;
static int log_fd = -1;

static void on_signal(int sig) {
    (void)sig;
    stop_requested = 1;
}

static void die(const char *what) {
    fprintf(stderr, "uhid_mouse: %s: %s\n", what, strerror(errno));
    exit(1);
}

/* One line per report, written at once so that a reader never sees half a line. */
static void log_report(const char *prefix, const uint8_t *data, size_t size) {
    char line[16 + 3 * UHID_DATA_MAX];
    int n = snprintf(line, sizeof line, "%s", prefix);
    for (size_t i = 0; i < size && n < (int)sizeof line - 4; ++i)
        n += snprintf(line + n, sizeof line - n, " %02X", data[i]);
    line[n++] = '\n';
    if (write(log_fd, line, (size_t)n) != n)
        die("writing the log");
}

static void log_text(const char *text) {
    size_t n = strlen(text);
    if (write(log_fd, text, n) != (ssize_t)n)
        die("writing the log");
}

static void send_event(int fd, const struct uhid_event *ev) {
    ssize_t n = write(fd, ev, sizeof *ev);
    if (n < 0)
        die("writing to /dev/uhid");
    if (n != (ssize_t)sizeof *ev) {
        fprintf(stderr, "uhid_mouse: short write to /dev/uhid (%zd bytes)\n", n);
        exit(1);
    }
}

static void send_input(int fd, const uint8_t *data, size_t size) {
    struct uhid_event ev;
    memset(&ev, 0, sizeof ev);
    ev.type = UHID_INPUT2;
    ev.u.input2.size = (uint16_t)size;
    memcpy(ev.u.input2.data, data, size);
    send_event(fd, &ev);
}

static uint8_t checksum(const uint8_t *r) {
    unsigned sum = 0;
    for (int i = 2; i <= 7; ++i)
        sum += r[i];
    return (uint8_t)((sum & 0xFF) ^ CHECKSUM_XOR);
}

/* The firmware's answer to one command report. */
static void answer_command(int fd, const uint8_t *data, size_t size) {
    if (size < 4 || data[0] != COMMAND_REPORT_ID || data[2] != MAGIC)
        return;
    const uint8_t code = data[3];
    if ((code >= 0x01 && code <= CMD_LAST_ECHOED_DATA) || code == CMD_STORE || code == CMD_WRITE_BRACKET) {
        log_report("IN", data, size);
        send_input(fd, data, size);
    } else if (code == CMD_BATTERY) {
        uint8_t r[COMMAND_REPORT_SIZE];
        memset(r, 0, sizeof r);
        r[0] = COMMAND_REPORT_ID;
        r[2] = MAGIC;
        r[3] = CMD_BATTERY;
        r[4] = BATTERY_RAW & 0xFF;
        r[5] = BATTERY_RAW >> 8;
        r[6] = 0; /* not charging */
        r[7] = 1; /* status */
        r[1] = checksum(r);
        log_report("IN", r, sizeof r);
        send_input(fd, r, sizeof r);
    }
}

static void handle_event(int fd) {
    struct uhid_event ev;
    memset(&ev, 0, sizeof ev);
    ssize_t n = read(fd, &ev, sizeof ev);
    if (n < 0) {
        if (errno == EINTR || errno == EAGAIN)
            return;
        die("reading /dev/uhid");
    }
    if (n < (ssize_t)sizeof ev.type)
        return;
    switch (ev.type) {
    case UHID_START:
        log_text("# start\n");
        break;
    case UHID_STOP:
        log_text("# stop\n");
        break;
    case UHID_OPEN:
        log_text("# open\n");
        break;
    case UHID_CLOSE:
        log_text("# close\n");
        break;
    case UHID_OUTPUT:
        if (ev.u.output.rtype != UHID_OUTPUT_REPORT) {
            log_report("OTHER", ev.u.output.data, ev.u.output.size);
            break;
        }
        log_report("OUT", ev.u.output.data, ev.u.output.size);
        answer_command(fd, ev.u.output.data, ev.u.output.size);
        break;
    case UHID_GET_REPORT: {
        /* The firmware has no feature reports: refuse, so that nobody waits for the time-out. */
        char text[64];
        snprintf(text, sizeof text, "# get-report %u type %u refused\n", ev.u.get_report.rnum,
                 ev.u.get_report.rtype);
        log_text(text);
        struct uhid_event reply;
        memset(&reply, 0, sizeof reply);
        reply.type = UHID_GET_REPORT_REPLY;
        reply.u.get_report_reply.id = ev.u.get_report.id;
        reply.u.get_report_reply.err = EIO;
        send_event(fd, &reply);
        break;
    }
    case UHID_SET_REPORT: {
        log_report("SET", ev.u.set_report.data, ev.u.set_report.size);
        struct uhid_event reply;
        memset(&reply, 0, sizeof reply);
        reply.type = UHID_SET_REPORT_REPLY;
        reply.u.set_report_reply.id = ev.u.set_report.id;
        reply.u.set_report_reply.err = EIO;
        send_event(fd, &reply);
        break;
    }
    default:
        break;
    }
}

static double now_ms(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

int main(int argc, char **argv) {
    unsigned long vid = 0, pid = 0;
    const char *log_path = NULL;
    const char *name = "Korvane receiver (uhid)";
    int move = 0;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--vid") && i + 1 < argc)
            vid = strtoul(argv[++i], NULL, 16);
        else if (!strcmp(argv[i], "--pid") && i + 1 < argc)
            pid = strtoul(argv[++i], NULL, 16);
        else if (!strcmp(argv[i], "--log") && i + 1 < argc)
            log_path = argv[++i];
        else if (!strcmp(argv[i], "--name") && i + 1 < argc)
            name = argv[++i];
        else if (!strcmp(argv[i], "--move"))
            move = 1;
        else {
            fprintf(stderr, "usage: uhid_mouse --vid HEX --pid HEX --log FILE [--move] [--name NAME]\n");
            return 2;
        }
    }
    if (!vid || !pid || !log_path) {
        fprintf(stderr, "uhid_mouse: --vid, --pid and --log are needed\n");
        return 2;
    }

    log_fd = open(log_path, O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0644);
    if (log_fd < 0)
        die(log_path);

    struct sigaction sa;
    memset(&sa, 0, sizeof sa);
    sa.sa_handler = on_signal; /* no SA_RESTART: poll returns at once */
    sigaction(SIGTERM, &sa, NULL);
    sigaction(SIGINT, &sa, NULL);

    int fd = open("/dev/uhid", O_RDWR | O_CLOEXEC);
    if (fd < 0)
        die("/dev/uhid");

    struct uhid_event ev;
    memset(&ev, 0, sizeof ev);
    ev.type = UHID_CREATE2;
    snprintf((char *)ev.u.create2.name, sizeof ev.u.create2.name, "%s", name);
    snprintf((char *)ev.u.create2.phys, sizeof ev.u.create2.phys, "uhid-mouse/input0");
    ev.u.create2.rd_size = sizeof report_descriptor;
    memcpy(ev.u.create2.rd_data, report_descriptor, sizeof report_descriptor);
    ev.u.create2.bus = BUS_USB;
    ev.u.create2.vendor = (uint32_t)vid;
    ev.u.create2.product = (uint32_t)pid;
    ev.u.create2.version = 0x0100;
    send_event(fd, &ev);

    int timer = -1;
    if (move) {
        timer = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC);
        if (timer < 0)
            die("timerfd_create");
        struct itimerspec every_ms = {{0, 1000000}, {0, 1000000}};
        if (timerfd_settime(timer, 0, &every_ms, NULL) < 0)
            die("timerfd_settime");
    }

    unsigned long long moved = 0, missed_ticks = 0;
    const double started = now_ms();
    while (!stop_requested) {
        struct pollfd fds[2] = {{fd, POLLIN, 0}, {timer, POLLIN, 0}};
        int ready = poll(fds, timer >= 0 ? 2 : 1, -1);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            die("poll");
        }
        if (fds[0].revents & POLLIN)
            handle_event(fd);
        if (timer >= 0 && (fds[1].revents & POLLIN)) {
            uint64_t ticks = 0;
            if (read(timer, &ticks, sizeof ticks) == (ssize_t)sizeof ticks && ticks > 0) {
                /* One report per tick. On a machine too slow to wake every millisecond (an emulated one)
                   the missed ticks are caught up with a short burst, so that the rate holds. */
                const uint64_t burst = ticks > MAX_BURST ? MAX_BURST : ticks;
                missed_ticks += ticks - burst;
                for (uint64_t k = 0; k < burst; ++k) {
                    /* A small square: right, down, left, up, 64 reports each. */
                    const unsigned side = (unsigned)(moved / 64) % 4;
                    const int8_t dx = side == 0 ? 1 : side == 2 ? -1 : 0;
                    const int8_t dy = side == 1 ? 1 : side == 3 ? -1 : 0;
                    const uint8_t r[4] = {MOUSE_REPORT_ID, 0, (uint8_t)dx, (uint8_t)dy};
                    send_input(fd, r, sizeof r);
                    ++moved;
                }
            }
        }
    }

    if (move) {
        const double elapsed = now_ms() - started;
        char text[160];
        snprintf(text, sizeof text,
                 "# pointer reports sent: %llu in %.0f ms (%.0f per second), ticks missed: %llu\n", moved,
                 elapsed, elapsed > 0 ? moved * 1000.0 / elapsed : 0.0, missed_ticks);
        log_text(text);
    }
    memset(&ev, 0, sizeof ev);
    ev.type = UHID_DESTROY;
    send_event(fd, &ev);
    close(fd);
    close(log_fd);
    return 0;
}
