#include <gtest/gtest.h>

#include "CommandLineFileName.h"
#include "SecondStart.h"

namespace tulma {
namespace {

// Relative names are the working directory's, as in every program; the program's directory plays no part.
TEST(CommandLineFileNameTest, NamesFollowTheExtensionRuleAndTheWorkingDirectory) {
    const struct {
        const char* Argument;
        const char* WorkingDirectory;
        const char* FileName;
    } Cases[] = {
        {"work", "/home/me", "/home/me/work.tul"},
        {"sub/work", "/home/me", "/home/me/sub/work.tul"},
        {"../keys/work", "/home/me/", "/home/me/../keys/work.tul"},
        {"/keys/work.dat", "/home/me", "/keys/work.dat"},
        {"/my.dir/work", "/home/me", "/my.dir/work.tul"},
        {"work.", "/home/me", "/home/me/work."},
        {"C:work", "/home/me", "/home/me/C:work.tul"},
        {"work", "/", "/work.tul"},
        {"work", "", "work.tul"},
    };
    for (const auto& Case : Cases) {
        EXPECT_EQ(CommandLineFileName(Case.Argument, Case.WorkingDirectory), Case.FileName) << Case.Argument;
    }
}

// A second start without a file, or with the running one's file under any of its names, shows that one.
TEST(CommandLineFileNameTest, ShowRequestMeansTheFileInUse) {
    const struct {
        const char* Requested;
        const char* InUse;
        bool Same;
    } Cases[] = {
        {"", "/keys/KeyList.TUL", true},
        {"/keys/work.tul", "/keys/work.tul", true},
        {"/keys/./sub/../work.tul", "/keys/work.tul", true},
        {"/keys/other.tul", "/keys/work.tul", false},
        {"/keys/work.tul", "/keys/work.TUL", false},
    };
    for (const auto& Case : Cases) {
        EXPECT_EQ(NamesFileInUse(Case.Requested, Case.InUse), Case.Same)
            << Case.Requested << " " << Case.InUse;
    }
}

}  // namespace
}  // namespace tulma
