#pragma once

// The program's Qt half as a module (polygrav-window.so): the window, and
// the message boxes of a conversion on a display. The program loads it only
// when it needs one of them, so that a conversion without a display never
// pays for loading Qt. Plain C types cross the boundary.

#include <stddef.h>

extern "C" {

#define POLYGRAV_WINDOW_RUN "polygrav_run_window"
#define POLYGRAV_WINDOW_SHOW_MESSAGES "polygrav_show_messages"

// Opens the window of the program at programPath and runs it until it is
// closed; returns the exit status.
typedef int (*PolygravRunWindow)(const char* programPath);

// One message of a conversion: an error (the default handler's box, also on
// standard error) or one of the program's own messages.
struct PolygravMessage {
    int error;
    const char* text;
};

// Shows the messages in order on the display, or on standard error when the
// display cannot be reached.
typedef void (*PolygravShowMessages)(const char* programPath,
                                     const struct PolygravMessage* messages, size_t count);
}
