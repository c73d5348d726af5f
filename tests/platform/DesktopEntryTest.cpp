#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "DesktopEntry.h"
#include "TempDir.h"

namespace tulma::test {
namespace {

std::string Entry(const std::string& Keys) {
    return "[Desktop Entry]\nType=Application\n" + Keys;
}

// GIO reads the XDG folders once per process, so they are set up before its first use.
class DesktopEntryTest : public ::testing::Test {
  protected:
    TempDir Dir;

    void SetUp() override {
        for (const char* Folder : {"user/applications", "system/applications", "sub"}) {
            std::filesystem::create_directories(Dir.File(Folder));
        }
        setenv("XDG_DATA_HOME", Dir.File("user").c_str(), 1);
        setenv("XDG_DATA_DIRS", Dir.File("system").c_str(), 1);
    }
    std::string User(const std::string& Name, const std::string& Keys) {
        return Dir.Write("user/applications/" + Name, Entry(Keys));
    }
    std::string System(const std::string& Name, const std::string& Keys) {
        return Dir.Write("system/applications/" + Name, Entry(Keys));
    }
};

TEST_F(DesktopEntryTest, PathsAndApplicationIdsNameEntriesProgramsAndOtherFilesDoNot) {
    const std::string Kate =
        System("org.example.Kate.desktop", "Name=Kate\nExec=true\nStartupWMClass=kate\n");
    const std::string Local = Dir.Write("sub/local.desktop", Entry("Name=Local\nExec=true\n"));
    Dir.Write("sub/notes", "a document");
    const struct {
        std::string File;
        std::string Directory;
        std::string Found;  // the entry's file; empty: not an entry
        std::string WindowClass;
    } Cases[] = {
        {"org.example.Kate", "", Kate, "kate"},
        {"org.example.Kate.desktop", "", Kate, "kate"},
        {Kate, "", Kate, "kate"},
        {"sub/local.desktop", Dir.Path().string(), Local, "local"},
        {"local.desktop", Dir.File("sub"), Local, "local"},
        {"sh", "", "", ""},
        {"/bin/sh", "", "", ""},
        {"notes", Dir.File("sub"), "", ""},
        {"https://example.org/", "", "", ""},
        {"no-such-application", "", "", ""},
    };
    for (const auto& Case : Cases) {
        const TDesktopEntryLookup Found = FindDesktopEntry(Case.File, Case.Directory);
        EXPECT_EQ(Found.IsEntry, !Case.Found.empty()) << Case.File;
        if (!Case.Found.empty()) {
            ASSERT_NE(Found.Entry, nullptr) << Case.File << ": " << Found.Reason;
            EXPECT_EQ(Found.Entry->FileName(), Case.Found) << Case.File;
            EXPECT_EQ(Found.Entry->WindowClass(), Case.WindowClass) << Case.File;
        }
    }
}

TEST_F(DesktopEntryTest, EntriesThatCannotStartSayWhy) {
    const struct {
        std::string Text;
        std::string Reason;  // how the reason starts
    } Cases[] = {
        {Entry("Name=T\nExec=true\nTryExec=no-such-program-here\n"),
         "its program no-such-program-here (TryExec) is not installed"},
        {Entry("Name=H\nExec=true\nHidden=true\n"), "the entry is marked as deleted (Hidden)"},
        {"[Desktop Entry]\nType=Link\nName=L\nURL=https://example.org/\n",
         "a desktop entry of type Link, not an application"},
        {"no group at all", "not a readable desktop entry: "},
    };
    for (const auto& Case : Cases) {
        const std::string File = Dir.Write("case.desktop", Case.Text);
        const TDesktopEntryLookup Found = FindDesktopEntry(File, "");
        EXPECT_TRUE(Found.IsEntry) << Case.Reason;
        EXPECT_EQ(Found.Entry, nullptr) << Case.Reason;
        EXPECT_TRUE(Found.Reason.starts_with(Case.Reason)) << Found.Reason;
    }
    EXPECT_EQ(FindDesktopEntry(Dir.File("missing.desktop"), "").Reason, "file not found");
    EXPECT_EQ(FindDesktopEntry("missing.desktop", "").Reason,
              "no application missing.desktop in the application folders");
}

TEST_F(DesktopEntryTest, ListingShowsWhatAMenuShowsTheUsersEntriesFirst) {
    System("alpha.desktop", "Name=Alpha\nExec=true\n");
    System("zulu.desktop", "Name=zulu\nExec=true\nKeywords=last;\n");
    System("beta.desktop", "Name=Beta\nExec=true\n");
    System("hidden-by-user.desktop", "Name=Shadowed\nExec=true\n");
    System("nodisplay.desktop", "Name=NoDisplay\nExec=true\nNoDisplay=true\n");
    System("missing.desktop", "Name=Missing\nExec=true\nTryExec=no-such-program-here\n");
    System("other.desktop", "Name=Other desktop\nExec=true\nOnlyShowIn=NoSuchDesktop;\n");
    User("hidden-by-user.desktop", "Name=Shadowed\nExec=true\nHidden=true\n");
    User("mine.desktop", "Name=Mine\nExec=true\n");
    User("beta.desktop", "Name=My beta\nExec=true\n");
    std::vector<std::string> Names;
    for (const auto& Application : InstalledApplications()) {
        Names.push_back(Application->Name());
    }
    EXPECT_EQ(Names, (std::vector<std::string>{"Mine", "My beta", "Alpha", "zulu"}));
}

}  // namespace
}  // namespace tulma::test
