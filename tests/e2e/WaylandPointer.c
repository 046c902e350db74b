// A pointer for a headless Wayland compositor, which has none: a virtual
// pointer (zwlr_virtual_pointer_v1) driven by lines on stdin, one command
// each, answered with "ok" on stdout once the compositor has had it:
//   move X Y        the pointer to X, Y of the whole W x H layout
//   press BUTTON    left or right down
//   release BUTTON  and up
//   token           prints "token T": a fresh xdg-activation token
// Usage: wayland_pointer W H
#include "xdg-activation-v1-client-protocol.h"

#include <linux/input-event-codes.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <wayland-client.h>

// The virtual pointer protocol's requests, as its XML declares them; only
// the ones used here are sent. Written out so no protocol file is needed.
static const struct wl_interface* no_types[5];
extern const struct wl_interface zwlr_virtual_pointer_v1_interface;
static const struct wl_interface* create_types[] = {&wl_seat_interface,
                                                    &zwlr_virtual_pointer_v1_interface};
static const struct wl_message pointer_requests[] = {
    {"motion", "uff", no_types},   {"motion_absolute", "uuuuu", no_types},
    {"button", "uuu", no_types},   {"axis", "uuf", no_types},
    {"frame", "", no_types},       {"axis_source", "u", no_types},
    {"axis_stop", "uu", no_types}, {"axis_discrete", "uufi", no_types},
    {"destroy", "", no_types},
};
const struct wl_interface zwlr_virtual_pointer_v1_interface = {"zwlr_virtual_pointer_v1", 1, 9,
                                                               pointer_requests,          0, NULL};
static const struct wl_message manager_requests[] = {
    {"create_virtual_pointer", "?on", create_types},
    {"destroy", "", no_types},
};
static const struct wl_interface manager_interface = {
    "zwlr_virtual_pointer_manager_v1", 1, 2, manager_requests, 0, NULL};
enum { MOTION_ABSOLUTE = 1, BUTTON = 2, FRAME = 4 };

static struct wl_seat* seat;
static struct wl_proxy* manager;
static struct xdg_activation_v1* activation;

static void global(void* data, struct wl_registry* registry, uint32_t name, const char* interface,
                   uint32_t version) {
    (void)data;
    (void)version;
    if (strcmp(interface, wl_seat_interface.name) == 0 && !seat)
        seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
    else if (strcmp(interface, manager_interface.name) == 0)
        manager = wl_registry_bind(registry, name, &manager_interface, 1);
    else if (strcmp(interface, xdg_activation_v1_interface.name) == 0)
        activation = wl_registry_bind(registry, name, &xdg_activation_v1_interface, 1);
}

static void global_remove(void* data, struct wl_registry* registry, uint32_t name) {
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener registry_listener = {global, global_remove};

static uint32_t now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (uint32_t)(t.tv_sec * 1000 + t.tv_nsec / 1000000);
}

static void token_done(void* data, struct xdg_activation_token_v1* token, const char* text) {
    (void)token;
    snprintf(data, 256, "%s", text);
}

static const struct xdg_activation_token_v1_listener token_listener = {token_done};

static void print_token(struct wl_display* display) {
    char text[256] = "";
    if (activation) {
        struct xdg_activation_token_v1* token = xdg_activation_v1_get_activation_token(activation);
        xdg_activation_token_v1_add_listener(token, &token_listener, text);
        xdg_activation_token_v1_commit(token);
        while (!text[0] && wl_display_roundtrip(display) >= 0) {
        }
    }
    printf("token %s\n", text);
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fputs("usage: wayland_pointer W H\n", stderr);
        return 2;
    }
    uint32_t width = (uint32_t)atoi(argv[1]), height = (uint32_t)atoi(argv[2]);
    struct wl_display* display = wl_display_connect(NULL);
    if (!display) {
        fputs("wayland_pointer: no compositor\n", stderr);
        return 1;
    }
    wl_registry_add_listener(wl_display_get_registry(display), &registry_listener, NULL);
    wl_display_roundtrip(display);
    if (!manager) {
        fputs("wayland_pointer: the compositor has no virtual pointers\n", stderr);
        return 1;
    }
    struct wl_proxy* pointer =
        wl_proxy_marshal_flags(manager, 0, &zwlr_virtual_pointer_v1_interface, 1, 0, seat, NULL);
    char line[128], what[16];
    unsigned x, y;
    while (fgets(line, sizeof line, stdin)) {
        if (sscanf(line, "move %u %u", &x, &y) == 2) {
            wl_proxy_marshal_flags(pointer, MOTION_ABSOLUTE, NULL, 1, 0, now_ms(), x, y, width,
                                   height);
        } else if (sscanf(line, "press %15s", what) == 1 ||
                   sscanf(line, "release %15s", what) == 1) {
            uint32_t button = strcmp(what, "right") == 0 ? BTN_RIGHT : BTN_LEFT;
            wl_proxy_marshal_flags(pointer, BUTTON, NULL, 1, 0, now_ms(), button,
                                   line[0] == 'p' ? WL_POINTER_BUTTON_STATE_PRESSED
                                                  : WL_POINTER_BUTTON_STATE_RELEASED);
        } else if (strncmp(line, "token", 5) == 0) {
            print_token(display);
        }
        wl_proxy_marshal_flags(pointer, FRAME, NULL, 1, 0);
        if (wl_display_roundtrip(display) < 0)
            return 1;
        printf("ok\n");
        fflush(stdout);
    }
    wl_display_disconnect(display);
    return 0;
}
