#pragma once

#include <memory>

// Owners of GLib's objects and memory: each frees what it holds with the function GLib names for it,
// g_object_unref, g_free, g_variant_unref and the like. Header-only, so that the desktop-entry module and
// the GNOME backend each build it against their own GLib headers.
namespace tulma {

template <auto Free>
struct TGLibFree {
    template <class TObject>
    void operator()(TObject* Object) const {
        Free(Object);
    }
};

template <class TObject, auto Free>
using TGLibOwner = std::unique_ptr<TObject, TGLibFree<Free>>;

}  // namespace tulma
