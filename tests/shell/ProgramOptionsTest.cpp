#include <gtest/gtest.h>

#include "ProgramOptions.h"

namespace tulma {
namespace {

using enum TProgramOptions::TAction;

TProgramOptions Parse(std::vector<std::string> Arguments) {
    return ParseProgramOptions(Arguments);
}

TEST(ProgramOptions, FileArgumentStaysTheFirstArgument) {
    EXPECT_EQ(Parse({}).Action, Start);
    EXPECT_EQ(Parse({}).FileArgument, "");
    EXPECT_EQ(Parse({"work"}).FileArgument, "work");
    EXPECT_EQ(Parse({"work", "other"}).FileArgument, "work");
    EXPECT_EQ(Parse({""}).FileArgument, "");
    // A lone "-" is no option.
    EXPECT_EQ(Parse({"-"}).FileArgument, "-");
}

TEST(ProgramOptions, DoubleDashEndsTheOptions) {
    const TProgramOptions Options = Parse({"--", "--help"});
    EXPECT_EQ(Options.Action, Start);
    EXPECT_EQ(Options.FileArgument, "--help");
    EXPECT_EQ(Parse({"--", "-x.tul", "--version"}).FileArgument, "-x.tul");
    EXPECT_EQ(Parse({"--run", "Mail", "--", "--"}).FileArgument, "--");
}

TEST(ProgramOptions, RunTakesTheNextArgumentWhateverItIs) {
    const TProgramOptions Options = Parse({"--run", "Mail", "work"});
    EXPECT_EQ(Options.Action, RunHotKey);
    EXPECT_EQ(Options.HotKeyName, "Mail");
    EXPECT_EQ(Options.FileArgument, "work");
    EXPECT_EQ(Parse({"work", "--run", "--help"}).HotKeyName, "--help");
    EXPECT_EQ(Parse({"--run=&Mail box"}).HotKeyName, "&Mail box");
    EXPECT_EQ(Parse({"--run="}).Action, RunHotKey);
    EXPECT_EQ(Parse({"--run", ""}).HotKeyName, "");
}

TEST(ProgramOptions, HelpWinsOverVersionWhichWinsOverRun) {
    EXPECT_EQ(Parse({"--run", "Mail", "--version", "--help"}).Action, Help);
    EXPECT_EQ(Parse({"-h"}).Action, Help);
    EXPECT_EQ(Parse({"--run", "Mail", "--version"}).Action, Version);
}

TEST(ProgramOptions, ListWindowsTakesTheWindowTextInPlaceOfTheFile) {
    const TProgramOptions Options = Parse({"--list-windows", "class:xterm"});
    EXPECT_EQ(Options.Action, ListWindows);
    EXPECT_EQ(Options.FileArgument, "class:xterm");
    EXPECT_EQ(Parse({"--list-windows"}).FileArgument, "");
    EXPECT_EQ(Parse({"--list-windows", "--", "-x"}).FileArgument, "-x");
    EXPECT_EQ(Parse({"--list-windows", "--run", "Mail"}).Action, RunHotKey);
}

TEST(ProgramOptions, UnknownOptionsAndMissingValuesAreUsageErrors) {
    for (const std::vector<std::string>& Arguments : {std::vector<std::string>{"--run"},
                                                      {"work", "--run"},
                                                      {"-x"},
                                                      {"--verbose"},
                                                      {"--runs=Mail"},
                                                      {"--hotkeys=wayland"},
                                                      {"--hotkeys"},
                                                      {"--hotkeys="},
                                                      {"--run-id"},
                                                      {"--run-id", "12x"},
                                                      {"--run-id", ""}}) {
        EXPECT_THROW(Parse(Arguments), EUsageError) << Arguments.front();
    }
}

TEST(ProgramOptions, HotKeysChooseTheRegistration) {
    using enum TProgramOptions::THotKeyBackend;
    EXPECT_EQ(Parse({"work"}).HotKeyBackend, Automatic);
    EXPECT_EQ(Parse({"--hotkeys=x11", "work"}).HotKeyBackend, X11);
    const TProgramOptions Options = Parse({"work", "--hotkeys=portal"});
    EXPECT_EQ(Options.HotKeyBackend, Portal);
    EXPECT_EQ(Options.FileArgument, "work");
    EXPECT_EQ(Parse({"--hotkeys=gnome"}).HotKeyBackend, Gnome);
    EXPECT_EQ(Parse({"--hotkeys=kde"}).HotKeyBackend, Kde);
}

// What GNOME's keybindings run: an identifier and a file that may look like an option.
TEST(ProgramOptions, RunIdTakesAnIdentifierAndForgettingIsAnAction) {
    const TProgramOptions Run = Parse({"--run-id", "12", "--", "-odd.tul"});
    EXPECT_EQ(Run.Action, TProgramOptions::TAction::RunHotKey);
    EXPECT_EQ(Run.HotKeyId, 12);
    EXPECT_EQ(Run.FileArgument, "-odd.tul");
    EXPECT_EQ(Parse({"--forget-desktop-shortcuts"}).Action, TProgramOptions::TAction::ForgetDesktopShortcuts);
    EXPECT_FALSE(Parse({"--run", "12"}).HotKeyId);
}

}  // namespace
}  // namespace tulma
