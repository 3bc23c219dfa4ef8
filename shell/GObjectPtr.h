#pragma once

#include <glib-object.h>

#include <memory>

namespace polygrav {

// Drops one reference of a GObject.
struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};

// Owns one reference of a GObject of type T.
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

}  // namespace polygrav
