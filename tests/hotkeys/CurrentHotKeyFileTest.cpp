#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "CurrentHotKeyFile.h"
#include "HotKeyFixtures.h"
#include "StreamBytes.h"
#include "TempDir.h"
#include "TestFiles.h"

namespace tulma {
namespace {

namespace fs = std::filesystem;
using test::Bytes;

class CurrentHotKeyFile : public testing::Test {
  protected:
    void SetUp() override { InitHotKeyModule(Dir.Path().string()); }
    void TearDown() override { EndHotKeyModule(); }

    // Makes the worked example the current file and saves it.
    void SaveWorkedExample() {
        test::WorkedExample()->CopyTo(HotKeyFile());
        SaveHotKeyFile();
    }

    test::TempDir Dir;
};

TEST_F(CurrentHotKeyFile, StartsEmptyWithTheDefaultName) {
    EXPECT_EQ(HotKeyFileName(), Dir.File("KeyList.TUL"));
    EXPECT_EQ(HotKeyFile().HotKeyList().Count(), 0);
    EXPECT_FALSE(HotKeyFile().MinimizeAtStartup);
    EXPECT_FALSE(fs::exists(HotKeyFileName()));
}

TEST_F(CurrentHotKeyFile, WorkedExampleSavesAsSixteenKilobytesAndReadsBack) {
    SaveWorkedExample();
    const Bytes Saved = test::ReadFileBytes(HotKeyFileName());
    ASSERT_EQ(Saved.size(), 16384u);
    EXPECT_EQ(Bytes(Saved.begin(), Saved.begin() + 111), test::WrittenObject(*test::WorkedExample()));

    EndHotKeyModule();
    InitHotKeyModule(Dir.Path().string());
    ASSERT_EQ(HotKeyFile().HotKeyList().Count(), 1);
    const THotTulma& Editor = HotKeyFile().HotKeyAt(0);
    EXPECT_EQ(Editor.Name, "Editor");
    EXPECT_EQ(Editor.HotKey, 0xC045);
    EXPECT_EQ(Editor.Atom, 0);
    EXPECT_EQ(Editor.Commands().ItemAs<THotKeyCommand>(0).Exec, "notepad.exe");
}

TEST_F(CurrentHotKeyFile, LargeFileIsExactlyAsLongAsItsData) {
    for (int I = 0; I < 200; ++I) {
        auto HotKey =
            test::HotKey("hotkey number " + std::to_string(I), static_cast<uint16_t>(0x4041 + I % 26));
        HotKey->Commands().Add(test::Command("command", "/usr/bin/some-program-with-a-long-name"));
        HotKeyFile().HotKeyList().Add(std::move(HotKey));
    }
    SaveHotKeyFile();
    const auto Size = fs::file_size(HotKeyFileName());
    EXPECT_GT(Size, 16384u);
    EXPECT_EQ(Size, test::WrittenObject(HotKeyFile()).size());
}

TEST_F(CurrentHotKeyFile, MissingFileLeavesTheSameObject) {
    HotKeyFile().HotKeyList().Add(test::HotKey("kept", 0x41));
    const THotKeyFile* Before = &HotKeyFile();
    HotKeyFileName() = Dir.File("absent.tul");
    LoadHotKeyFile();
    EXPECT_EQ(&HotKeyFile(), Before);
    EXPECT_EQ(HotKeyFile().HotKeyList().Count(), 1);
}

TEST_F(CurrentHotKeyFile, UnreadableFilesLeaveThePreviousHotKeys) {
    HotKeyFile().HotKeyList().Add(test::HotKey("kept", 0x41));
    const std::pair<const char*, Bytes> Damaged[] = {
        {"unknown.tul", {0xE7, 3, 0, 0}},
        {"text.tul", {0xE8, 3, 0, 0, 1, 0, 0, 0, 'x'}},
        {"truncated.tul", {0x9C, 0, 0, 0, 0x65, 0, 0}},
        {"empty.tul", {}},
    };
    for (const auto& [Name, Content] : Damaged) {
        HotKeyFileName() = Dir.File(Name);
        test::WriteFileBytes(HotKeyFileName(), Content);
        EXPECT_THROW(LoadHotKeyFile(), EStreamError) << Name;
        ASSERT_EQ(HotKeyFile().HotKeyList().Count(), 1) << Name;
        EXPECT_EQ(HotKeyFile().HotKeyAt(0).Name, "kept");
    }
}

TEST_F(CurrentHotKeyFile, EveryPrefixAndByteFlipEndsInAnErrorOrAValidFile) {
    auto Example = test::WorkedExample();
    Example->HotKeyAt(0).Commands().Add(test::Command("Second", "/bin/true"));
    const Bytes Valid = test::WrittenObject(*Example);
    auto Attempt = [](const Bytes& Data) {
        try {
            auto File = test::ReadBack<THotKeyFile>(Data);
            for (int32_t I = 0; I < File->HotKeyList().Count(); ++I) {
                File->HotKeyAt(I).GetDescription(0);
            }
        } catch (const std::runtime_error&) {
        }
    };
    for (size_t Length = 0; Length < Valid.size(); ++Length) {
        Attempt(Bytes(Valid.begin(), Valid.begin() + static_cast<std::ptrdiff_t>(Length)));
    }
    std::mt19937 Random(20261207);
    for (int Round = 0; Round < 20000; ++Round) {
        Bytes Flipped = Valid;
        for (int Flip = 0; Flip < 1 + Round % 4; ++Flip) {
            Flipped[Random() % Flipped.size()] ^= static_cast<uint8_t>(1u << (Random() % 8));
        }
        Attempt(Flipped);
    }
}

class SavingHotKeyFile : public CurrentHotKeyFile {};

TEST_F(SavingHotKeyFile, KeepsPermissionsAndSymbolicLinks) {
    SaveWorkedExample();
    chmod(HotKeyFileName().c_str(), 0640);
    const std::string Link = Dir.File("link.tul");
    fs::create_symlink(HotKeyFileName(), Link);
    const std::string Target = HotKeyFileName();
    HotKeyFileName() = Link;
    HotKeyFile().MinimizeAtStartup = true;
    SaveHotKeyFile();
    EXPECT_TRUE(fs::is_symlink(Link));
    EXPECT_EQ(test::ReadFileBytes(Target)[8], 1) << "the link's target received the new content";
    EXPECT_EQ(fs::status(Target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(SavingHotKeyFile, FailureReportsAndLeavesTheOldFileWhole) {
    SaveWorkedExample();
    const Bytes Before = test::ReadFileBytes(HotKeyFileName());
    HotKeyFile().HotKeyList().Add(test::HotKey("new", 0x42));
    if (geteuid() != 0) {
        // A writable file in a read-only folder is written in place: both must refuse.
        fs::permissions(HotKeyFileName(), fs::perms::owner_read);
        fs::permissions(Dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_THROW(SaveHotKeyFile(), EFCreateError);
        fs::permissions(Dir.Path(), fs::perms::owner_all);
        fs::permissions(HotKeyFileName(), fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_EQ(test::ReadFileBytes(HotKeyFileName()), Before);
    }
    HotKeyFileName() = Dir.File("no/such/dir/keys.tul");
    try {
        SaveHotKeyFile();
        FAIL();
    } catch (const EFCreateError& Error) {
        EXPECT_EQ(std::string(Error.what()), "Kann Datei " + HotKeyFileName() + " nicht erstellen");
    }
    HotKeyFileName() = Dir.Path().string();
    EXPECT_THROW(SaveHotKeyFile(), EFCreateError) << "a directory is not replaced";
    EXPECT_EQ(std::distance(fs::directory_iterator(Dir.Path()), fs::directory_iterator()), 1)
        << "no temporary file is left behind";
}

class KeepingUnreadableFile : public CurrentHotKeyFile {
  protected:
    const Bytes Damaged = {0xE7, 3, 0, 0, 'd', 'a', 'm', 'a', 'g', 'e', 'd'};

    void MakeUnreadable(const std::string& FileName) {
        HotKeyFileName() = FileName;
        test::WriteFileBytes(FileName, Damaged);
        EXPECT_THROW(LoadHotKeyFile(), EStreamError);
    }
};

TEST_F(KeepingUnreadableFile, DamagedDefaultFileSurvivesTheFirstSave) {
    EndHotKeyModule();
    test::WriteFileBytes(Dir.File("KeyList.TUL"), Damaged);
    chmod(Dir.File("KeyList.TUL").c_str(), 0600);
    EXPECT_THROW(InitHotKeyModule(Dir.Path().string()), EStreamError);
    const std::string Kept = Dir.File("KeyList.TUL.damaged");
    EXPECT_EQ(CopyKeptBySave(), Kept);

    HotKeyFile().HotKeyList().Add(test::HotKey("new", 0x41));
    EXPECT_EQ(SaveHotKeyFile(), Kept);
    EXPECT_EQ(test::ReadFileBytes(Kept), Damaged);
    EXPECT_EQ(fs::status(Kept).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(CopyKeptBySave(), "");
    EXPECT_EQ(SaveHotKeyFile(), "") << "one copy is enough";
    EXPECT_EQ(test::FileNamesIn(Dir.Path()),
              (std::vector<std::string>{"KeyList.TUL", "KeyList.TUL.damaged"}));
    LoadHotKeyFile();
    EXPECT_EQ(HotKeyFile().HotKeyList().Count(), 1);
}

TEST_F(KeepingUnreadableFile, CopyTakesTheFirstFreeNumber) {
    const std::vector<std::string> Taken = {"keys.tul.damaged", "keys.tul.damaged.1"};
    const Bytes EarlierCopy = {1, 2, 3};
    const std::string Expected[] = {"keys.tul.damaged", "keys.tul.damaged.1", "keys.tul.damaged.2"};
    for (size_t Count = 0; Count <= Taken.size(); ++Count) {
        test::TempDir Fresh;
        for (size_t I = 0; I < Count; ++I) {
            test::WriteFileBytes(Fresh.File(Taken[I]), EarlierCopy);
        }
        MakeUnreadable(Fresh.File("keys.tul"));
        EXPECT_EQ(SaveHotKeyFile(), Fresh.File(Expected[Count]));
        EXPECT_EQ(test::ReadFileBytes(Fresh.File(Expected[Count])), Damaged);
        for (size_t I = 0; I < Count; ++I) {
            EXPECT_EQ(test::ReadFileBytes(Fresh.File(Taken[I])), EarlierCopy);
        }
    }
}

TEST_F(KeepingUnreadableFile, FileThatLoadsAgainNeedsNoCopy) {
    MakeUnreadable(Dir.File("keys.tul"));
    test::WriteFileBytes(HotKeyFileName(), test::WrittenObject(*test::WorkedExample()));
    LoadHotKeyFile();
    EXPECT_EQ(CopyKeptBySave(), "");
    EXPECT_EQ(SaveHotKeyFile(), "");
    EXPECT_FALSE(fs::exists(Dir.File("keys.tul.damaged")));
}

TEST_F(KeepingUnreadableFile, CopyThatCannotBeMadeStopsTheSave) {
    // Room for the file's name, but not for the copy's.
    const std::string FileName = Dir.File(std::string(250, 'k') + ".tul");
    MakeUnreadable(FileName);
    try {
        SaveHotKeyFile();
        FAIL() << "saved without a copy";
    } catch (const EFCreateError& Error) {
        EXPECT_NE(std::string(Error.what()).find(".damaged"), std::string::npos) << Error.what();
    }
    EXPECT_EQ(test::ReadFileBytes(FileName), Damaged);
    EXPECT_NE(CopyKeptBySave(), "") << "the next save tries again";
}

}  // namespace
}  // namespace tulma
