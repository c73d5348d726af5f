#include <gtest/gtest.h>

#include <string>

#include "ShortcutGroup.h"

namespace tulma {
namespace {

// The desktop keeps a group's shortcuts under the name from run to run: it must depend on the file only,
// tell files apart, and stay within what a portal session token may hold.
TEST(ShortcutGroup, OneNamePerFileAndTheDefaultKeepsTheOldOne) {
    const std::string Default = "/home/u/.config/tulma/KeyList.TUL";
    EXPECT_EQ(ShortcutGroup(Default, Default), "tulma");
    EXPECT_EQ(ShortcutGroup("/home/u/.config/tulma/./KeyList.TUL", Default), "tulma");

    const std::string Work = ShortcutGroup("/home/u/work.tul", Default);
    EXPECT_TRUE(Work.starts_with("tulma_work_")) << Work;
    EXPECT_EQ(ShortcutGroup("/home/u/work.tul", Default), Work);
    EXPECT_NE(ShortcutGroup("/home/u/other/work.tul", Default), Work);
    EXPECT_NE(ShortcutGroup("/home/u/KeyList.TUL", Default), "tulma");

    const std::string Odd = ShortcutGroup("/tmp/Spiele & Bücher.v2.tul", Default);
    EXPECT_TRUE(Odd.starts_with("tulma_Spiele___B__cher_v2_")) << Odd;
    EXPECT_EQ(Odd.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_"),
              std::string::npos)
        << Odd;
    EXPECT_EQ(ShortcutGroupTitle("/home/u/other/./work.tul"), "Tulma: work.tul (/home/u/other)");
}

}  // namespace
}  // namespace tulma
