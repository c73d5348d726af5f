#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "ConfigHome.h"
#include "CurrentHotKeyFile.h"
#include "DefaultHotKeyFile.h"
#include "Errors.h"
#include "HotKeyFixtures.h"
#include "TempDir.h"

namespace tulma {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable for one test and puts the old value back afterwards.
class ScopedVariable {
  public:
    ScopedVariable(const char* Name, const char* Value) : Name(Name) {
        if (const char* Old = std::getenv(Name)) {
            Previous = Old;
        }
        if (Value != nullptr) {
            setenv(Name, Value, 1);
        } else {
            unsetenv(Name);
        }
    }
    ~ScopedVariable() {
        if (Previous) {
            setenv(Name, Previous->c_str(), 1);
        } else {
            unsetenv(Name);
        }
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    const char* Name;
    std::optional<std::string> Previous;
};

// A program directory that the program may not write to, as after an installation.
class ReadOnlyProgramDirectory : public testing::Test {
  protected:
    void SetUp() override {
        fs::create_directory(Program());
        fs::permissions(Program(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                       fs::perms::group_exec | fs::perms::others_read |
                                       fs::perms::others_exec);
    }
    void TearDown() override {
        EndHotKeyModule();
        fs::permissions(Program(), fs::perms::owner_all);
    }

    fs::path Program() const { return Dir.Path() / "program"; }
    fs::path Config() const { return Dir.Path() / "config"; }

    test::TempDir Dir;
    ScopedVariable ConfigVariable{"XDG_CONFIG_HOME", Config().c_str()};
};

TEST_F(ReadOnlyProgramDirectory, DefaultFileMovesToTheConfigFolderAndIsMadeOnTheFirstSave) {
    EXPECT_FALSE(IsWritableDirectory(Program().string()));
    InitHotKeyModule(Program().string());
    const fs::path Expected = Config() / "tulma" / "KeyList.TUL";
    EXPECT_EQ(HotKeyFileName(), Expected.string());
    EXPECT_FALSE(fs::exists(Config())) << "nothing is written before a save";

    HotKeyFile().HotKeyList().Add(test::HotKey("Editor", 0xC045));
    SaveHotKeyFile();
    ASSERT_TRUE(fs::exists(Expected));
    EXPECT_EQ(fs::status(Config() / "tulma").permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_TRUE(fs::is_empty(Program()));

    // Reload and the next start read it from there.
    HotKeyFile().HotKeyList().Add(test::HotKey("unsaved", 0xC046));
    LoadHotKeyFile();
    EXPECT_EQ(HotKeyFile().HotKeyList().Count(), 1);
    EndHotKeyModule();
    InitHotKeyModule(Program().string());
    ASSERT_EQ(HotKeyFile().HotKeyList().Count(), 1);
    EXPECT_EQ(HotKeyFile().HotKeyAt(0).Name, "Editor");
}

TEST_F(ReadOnlyProgramDirectory, OnlyTheDefaultFileGetsItsFolderMade) {
    InitHotKeyModule(Program().string());
    HotKeyFileName() = (Dir.Path() / "missing" / "work.tul").string();
    EXPECT_THROW(SaveHotKeyFile(), EFCreateError);
    EXPECT_FALSE(fs::exists(Dir.Path() / "missing"));
}

TEST(ConfigHome, FollowsTheVariableOnlyWhenItIsAnAbsolutePath) {
    const ScopedVariable Home("HOME", "/home/someone");
    {
        const ScopedVariable Config("XDG_CONFIG_HOME", "/elsewhere/config");
        EXPECT_EQ(ConfigHome(), "/elsewhere/config");
    }
    for (const char* Ignored : {static_cast<const char*>(nullptr), "", "relative/config"}) {
        const ScopedVariable Config("XDG_CONFIG_HOME", Ignored);
        EXPECT_EQ(ConfigHome(), "/home/someone/.config");
    }
}

TEST(DefaultHotKeyFileName, WritableProgramDirectoryKeepsTheFileBesideTheProgram) {
    const test::TempDir Program;
    EXPECT_TRUE(IsWritableDirectory(Program.Path().string()));
    EXPECT_EQ(DefaultHotKeyFileName(Program.Path().string()), Program.File("KeyList.TUL"));
}

}  // namespace
}  // namespace tulma
