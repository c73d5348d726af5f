#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "Errors.h"
#include "FileReplacement.h"
#include "TempDir.h"
#include "TestFiles.h"

namespace tulma {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

// The user id that the read-only-folder check takes on when the tests run as root.
constexpr uid_t Nobody = 65534;

int FailWithEIO(int) {
    errno = EIO;
    return -1;
}

int CloseThenFail(int Handle) {
    close(Handle);
    errno = EIO;
    return -1;
}

int RenameFails(const char*, const char*) {
    errno = EXDEV;
    return -1;
}

template <int Error>
int TemporaryRefused(char*) {
    errno = Error;
    return -1;
}

class FileReplacement : public testing::Test {
  protected:
    void SetUp() override { test::WriteFileBytes(FileName, OldContent); }

    test::TempDir Dir;
    const std::string FileName = Dir.File("keys.tul");
    const Bytes OldContent = Bytes(300, 0x11);
    const Bytes NewContent = Bytes(200, 0x22);
};

TEST_F(FileReplacement, FailureAfterTheTemporaryFileWasWrittenRemovesIt) {
    const struct {
        const char* Step;
        TFileCalls Calls;
    } Cases[] = {
        {"fsync", {mkstemp, FailWithEIO, close, rename}},
        {"close", {mkstemp, fsync, CloseThenFail, rename}},
        {"rename", {mkstemp, fsync, close, RenameFails}},
        {"fsync and close", {mkstemp, FailWithEIO, CloseThenFail, rename}},
    };
    for (const auto& Case : Cases) {
        EXPECT_THROW(ReplaceFileContent(FileName, NewContent, Case.Calls), EFCreateError) << Case.Step;
        EXPECT_EQ(test::ReadFileBytes(FileName), OldContent) << Case.Step;
        EXPECT_EQ(test::FileNamesIn(Dir.Path()), std::vector<std::string>{"keys.tul"}) << Case.Step;
    }
}

TEST_F(FileReplacement, FolderRefusingNewFilesWritesTheFileInPlace) {
    const struct {
        const char* Error;
        int (*MakeTemporary)(char*);
        bool InPlace;
    } Cases[] = {
        {"EACCES", TemporaryRefused<EACCES>, true},
        {"EPERM", TemporaryRefused<EPERM>, true},
        {"ENOSPC", TemporaryRefused<ENOSPC>, false},
        {"EROFS", TemporaryRefused<EROFS>, false},
    };
    for (const auto& Case : Cases) {
        test::WriteFileBytes(FileName, OldContent);
        chmod(FileName.c_str(), 0640);
        const std::string Link = Dir.File("hard-link");
        fs::remove(Link);
        fs::create_hard_link(FileName, Link);
        struct stat Before {};
        stat(FileName.c_str(), &Before);
        const TFileCalls Refused{Case.MakeTemporary, fsync, close, rename};
        if (Case.InPlace) {
            ReplaceFileContent(FileName, NewContent, Refused);
        } else {
            EXPECT_THROW(ReplaceFileContent(FileName, NewContent, Refused), EFCreateError) << Case.Error;
        }
        const Bytes Expected = Case.InPlace ? NewContent : OldContent;
        EXPECT_EQ(test::ReadFileBytes(FileName), Expected) << Case.Error;
        EXPECT_EQ(test::ReadFileBytes(Link), Expected) << "the hard link shares the content, " << Case.Error;
        struct stat After {};
        stat(FileName.c_str(), &After);
        EXPECT_EQ(After.st_ino, Before.st_ino) << Case.Error;
        EXPECT_EQ(After.st_mode & 07777, 0640u) << Case.Error;
    }
    const std::string Absent = Dir.File("absent.tul");
    EXPECT_THROW(ReplaceFileContent(Absent, NewContent, {TemporaryRefused<EACCES>, fsync, close, rename}),
                 EFCreateError);
    EXPECT_FALSE(fs::exists(Absent));
}

// The folder belongs to root and the file to an unprivileged user, who then saves: the folder's
// permissions bind for real. Run by another user, the folder is made read-only instead.
TEST_F(FileReplacement, WritableFileInAReadOnlyFolderSaves) {
    const bool Root = geteuid() == 0;
    if (Root) {
        ASSERT_EQ(chown(FileName.c_str(), Nobody, Nobody), 0);
        fs::permissions(Dir.Path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                        fs::perms::others_read | fs::perms::others_exec);
    } else {
        fs::permissions(Dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    }
    const pid_t Saver = fork();
    ASSERT_GE(Saver, 0);
    if (Saver == 0) {
        if (Root && (setgid(Nobody) != 0 || setuid(Nobody) != 0)) {
            _exit(2);
        }
        try {
            ReplaceFileContent(FileName, NewContent);
            _exit(0);
        } catch (const EFCreateError&) {
            _exit(1);
        }
    }
    int Status = 0;
    waitpid(Saver, &Status, 0);
    fs::permissions(Dir.Path(), fs::perms::owner_all);
    ASSERT_TRUE(WIFEXITED(Status));
    if (WEXITSTATUS(Status) == 2) {
        GTEST_SKIP() << "cannot take on an unprivileged user";
    }
    EXPECT_EQ(WEXITSTATUS(Status), 0);
    EXPECT_EQ(test::ReadFileBytes(FileName), NewContent);
    EXPECT_EQ(test::FileNamesIn(Dir.Path()), std::vector<std::string>{"keys.tul"});
}

}  // namespace
}  // namespace tulma
