#pragma once

// The viewer launch as a module that a program without GLib of its own loads
// only when it opens a file (polygrav-convert --view), so that its start-up
// does not pay for GIO.

extern "C" {

// The name of the module's one entry point.
#define POLYGRAV_VIEWER_ENTRY "polygrav_open_in_viewer"

// The language of the module's messages: the caller's.
enum { POLYGRAV_VIEWER_JAPANESE = 0, POLYGRAV_VIEWER_ENGLISH = 1 };

// Opens the file at path in the desktop's viewer; a message for the user
// (no viewer, a failed start) goes to report with context, in language.
typedef void (*PolygravViewerReport)(const char* text, void* context);
typedef void (*PolygravOpenInViewer)(const char* path, int language, PolygravViewerReport report,
                                     void* context);
}
