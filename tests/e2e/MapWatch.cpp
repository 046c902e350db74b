// Times a command from its exec to the moment the X server maps a window
// whose title begins with a given text, without polling: the watcher asks
// for the structure events of every top-level window before the command
// starts. Prints the milliseconds and the command's process id, and leaves
// the command running.
// Usage: map_watch TITLE COMMAND [ARGUMENT...]
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr),
        &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

std::string title(xcb_connection_t* c, xcb_window_t window, xcb_atom_t name, xcb_atom_t utf8) {
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, name, utf8, 0, 256), nullptr),
        &std::free);
    if (!reply)
        return {};
    auto* text = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return std::string(text, static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
}

void watch(xcb_connection_t* c, xcb_window_t window, uint32_t mask) {
    xcb_change_window_attributes(c, window, XCB_CW_EVENT_MASK, &mask);
}

// Top-level windows and, below a window manager's frames, their clients.
void watchExisting(xcb_connection_t* c, xcb_window_t parent, int depth) {
    std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
        xcb_query_tree_reply(c, xcb_query_tree(c, parent), nullptr), &std::free);
    if (!tree)
        return;
    xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        watch(c, children[i], XCB_EVENT_MASK_STRUCTURE_NOTIFY);
        if (depth > 0)
            watchExisting(c, children[i], depth - 1);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: map_watch TITLE COMMAND [ARGUMENT...]\n", stderr);
        return 2;
    }
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fputs("map_watch: no X display\n", stderr);
        return 2;
    }
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_atom_t netName = atom(c, "_NET_WM_NAME"), utf8 = atom(c, "UTF8_STRING");
    watch(c, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY);
    watchExisting(c, root, 1);
    xcb_flush(c);
    std::string wanted = argv[1];

    auto start = std::chrono::steady_clock::now();
    pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        std::perror("map_watch: exec");
        _exit(127);
    }
    while (xcb_generic_event_t* event = xcb_wait_for_event(c)) {
        std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> owned(event, &std::free);
        uint8_t type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            watch(c, reinterpret_cast<xcb_create_notify_event_t*>(event)->window,
                  XCB_EVENT_MASK_STRUCTURE_NOTIFY);
            xcb_flush(c);
        } else if (type == XCB_MAP_NOTIFY) {
            xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
            if (title(c, window, netName, utf8).rfind(wanted, 0) != 0)
                continue;
            std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            std::printf("%.1f %d\n", took.count(), static_cast<int>(child));
            return 0;
        }
    }
    return 1;
}
