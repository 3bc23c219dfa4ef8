// Finds the top-level window of a program on the X server of $DISPLAY and
// optionally asks it to close the way a window manager does: a
// WM_DELETE_WINDOW client message.
//
//   x_window_probe wait CLASS TIMEOUT_MS    waits until the window is mapped
//   x_window_probe close CLASS TIMEOUT_MS   waits, then sends the close request
//   x_window_probe min-size CLASS TIMEOUT_MS  waits, then prints the minimum
//       size that the window asks the window manager for, "min W H"
//
// CLASS is compared, without case, with both parts of WM_CLASS. Exit status 0
// when the window was found (and the request sent, or the minimum size
// printed), 1 otherwise.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <strings.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

bool ClassMatches(Display* d, Window w, const char* wanted) {
    XClassHint hint{};
    if (XGetClassHint(d, w, &hint) == 0) {
        return false;
    }
    const bool match = (hint.res_name && strcasecmp(hint.res_name, wanted) == 0) ||
                       (hint.res_class && strcasecmp(hint.res_class, wanted) == 0);
    XFree(hint.res_name);
    XFree(hint.res_class);
    return match;
}

bool TakesDeleteRequests(Display* d, Window w, Atom wmDelete) {
    Atom* protocols = nullptr;
    int count = 0;
    if (XGetWMProtocols(d, w, &protocols, &count) == 0) {
        return false;
    }
    bool found = false;
    for (int i = 0; i < count; ++i) {
        found = found || protocols[i] == wmDelete;
    }
    XFree(protocols);
    return found;
}

Window FindWindow(Display* d, const char* wanted, Atom wmDelete) {
    Window root = DefaultRootWindow(d);
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(d, root, &root, &parent, &children, &count) == 0) {
        return 0;
    }
    Window result = 0;
    for (unsigned i = 0; i < count && result == 0; ++i) {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(d, children[i], &attributes) != 0 &&
            attributes.map_state == IsViewable && ClassMatches(d, children[i], wanted) &&
            TakesDeleteRequests(d, children[i], wmDelete)) {
            result = children[i];
        }
    }
    XFree(children);
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 || (std::strcmp(argv[1], "wait") != 0 && std::strcmp(argv[1], "close") != 0 &&
                      std::strcmp(argv[1], "min-size") != 0)) {
        std::fprintf(stderr, "usage: %s wait|close|min-size CLASS TIMEOUT_MS\n", argv[0]);
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) {
        std::fprintf(stderr, "cannot open the display\n");
        return 1;
    }
    const Atom wmProtocols = XInternAtom(d, "WM_PROTOCOLS", False);
    const Atom wmDelete = XInternAtom(d, "WM_DELETE_WINDOW", False);
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(std::atol(argv[3]));
    Window w = 0;
    while ((w = FindWindow(d, argv[2], wmDelete)) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            XCloseDisplay(d);
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (std::strcmp(argv[1], "close") == 0) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = w;
        event.xclient.message_type = wmProtocols;
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(wmDelete);
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(d, w, False, NoEventMask, &event);
        XFlush(d);
    }
    std::printf("0x%lx\n", w);
    int status = 0;
    if (std::strcmp(argv[1], "min-size") == 0) {
        XSizeHints hints{};
        long supplied = 0;
        if (XGetWMNormalHints(d, w, &hints, &supplied) != 0 && (hints.flags & PMinSize) != 0) {
            std::printf("min %d %d\n", hints.min_width, hints.min_height);
        } else {
            status = 1;
        }
    }
    XCloseDisplay(d);
    return status;
}
