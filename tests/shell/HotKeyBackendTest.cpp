#include <gtest/gtest.h>

#include "HotKeyBackend.h"

namespace tulma {
namespace {

using enum TProgramOptions::THotKeys;

TEST(HotKeyBackend, PortalInAWaylandSessionThatOffersItUnlessTheCommandLineChose) {
    struct Case {
        TProgramOptions::THotKeys Choice;
        bool Wayland;
        bool Offered;
        bool Portal;
    };
    for (const Case& C : {Case{Automatic, true, true, true}, Case{Automatic, true, false, false},
                          Case{Automatic, false, true, false}, Case{X11, true, true, false},
                          Case{Portal, false, true, true}}) {
        int Asked = 0;
        const bool Chosen = UsePortalHotKeys(C.Choice, C.Wayland, [&] {
            ++Asked;
            return C.Offered;
        });
        EXPECT_EQ(Chosen, C.Portal) << static_cast<int>(C.Choice) << C.Wayland << C.Offered;
        // An X11 session and a choice of X11 never wait for the session bus.
        EXPECT_EQ(Asked > 0, C.Choice == Portal || (C.Choice == Automatic && C.Wayland));
    }
    EXPECT_THROW(UsePortalHotKeys(Portal, true, [] { return false; }), std::runtime_error);
}

}  // namespace
}  // namespace tulma
