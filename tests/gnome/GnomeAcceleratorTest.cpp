// How GNOME's accelerator texts are read for the conflict check, which shell versions have the portal, and
// when GNOME's settings cannot take the keybindings.
#include <gtest/gtest.h>

#include <cstdlib>

#include "GnomeAccelerator.h"
#include "GnomeKeybindings.h"
#include "GnomeSession.h"
#include "HotKeyRegistry.h"

namespace tulma {
namespace {

constexpr unsigned Ctrl = TGnomeAccelerator::Control;
constexpr unsigned Alt = TGnomeAccelerator::Alt;

// GNOME's own lists spell one combination many ways; all of them must meet the one Tulma writes.
TEST(GnomeAccelerator, EverySpellingOfACombinationMeetsTheOneWritten) {
    const std::string Written = GnomeAcceleratorText(MOD_CONTROL | MOD_ALT, 'K');
    EXPECT_EQ(Written, "<Control><Alt>k");
    const auto Ours = ParseGnomeAccelerator(Written);
    ASSERT_TRUE(Ours);
    for (const char* Spelling : {"<Primary><Alt>k", "<Alt><Ctrl>K", "<control><mod1>k", "<Ctl><Alt>k"}) {
        EXPECT_EQ(ParseGnomeAccelerator(Spelling), Ours) << Spelling;
    }
    EXPECT_EQ(ParseGnomeAccelerator("<Shift><Control><Alt>Tab"),
              (TGnomeAccelerator{Ctrl | Alt | TGnomeAccelerator::Shift, 0xff09}));
    EXPECT_NE(ParseGnomeAccelerator("<Super><Control><Alt>k"), Ours);
    EXPECT_NE(ParseGnomeAccelerator("<Hyper><Control><Alt>k"), Ours);
    for (const char* Nothing : {"", "disabled", "<Control><Alt>", "<Control", "<Alt>NoSuchKey", "/org/x/"}) {
        EXPECT_FALSE(ParseGnomeAccelerator(Nothing)) << Nothing;
    }
    EXPECT_EQ(GnomeAcceleratorText(MOD_SHIFT, 0x70), "<Shift>F1");
    EXPECT_EQ(GnomeAcceleratorText(MOD_CONTROL, 0xFF), "");
}

TEST(GnomeAccelerator, ShellsFrom48OnHaveTheShortcutsPortal) {
    for (const auto& [Version, Portal] : {std::pair{"43.9", false},
                                          {"47.2", false},
                                          {"48.0", true},
                                          {"50", true},
                                          {"", false},
                                          {"x48", false}}) {
        EXPECT_EQ(GnomeShellHasShortcutsPortal(Version), Portal) << Version;
    }
}

// Keybindings that only this process would see must be a reason, never a silent loss.
TEST(GnomeAccelerator, SettingsKeptInMemoryMakeTheKeybindingsUnavailable) {
    setenv("GSETTINGS_BACKEND", "memory", 1);
    EXPECT_NE(TGnomeKeybindings::Unavailable(), "");
    EXPECT_THROW(TGnomeKeybindings(), EGnomeSettings);
}

}  // namespace
}  // namespace tulma
