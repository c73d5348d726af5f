#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "CurrentHotKeyFile.h"
#include "HotKeyFixtures.h"
#include "StreamBytes.h"
#include "TempDir.h"
#include "TestFiles.h"

namespace tulma {
namespace {

namespace fs = std::filesystem;
using test::Bytes;

// Makes every write past Limit bytes of a file fail, as a full disk or quota does.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t Limit) {
        getrlimit(RLIMIT_FSIZE, &FSaved);
        FSavedHandler = signal(SIGXFSZ, SIG_IGN);
        const rlimit Lowered{Limit, FSaved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &Lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &FSaved);
        signal(SIGXFSZ, FSavedHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit FSaved{};
    sighandler_t FSavedHandler;
};

class InterruptedSave : public testing::Test {
  protected:
    void SetUp() override {
        InitHotKeyModule(Dir.Path().string());
        test::WorkedExample()->CopyTo(HotKeyFile());
        SaveHotKeyFile();
        OldContent = test::ReadFileBytes(HotKeyFileName());
        for (int I = 0; I < 600; ++I) {
            HotKeyFile().HotKeyList().Add(test::HotKey("added " + std::to_string(I), 0x4041));
        }
        NewContent = test::WrittenObject(HotKeyFile());
    }
    void TearDown() override { EndHotKeyModule(); }

    size_t EntriesInDirectory() const {
        return static_cast<size_t>(
            std::distance(fs::directory_iterator(Dir.Path()), fs::directory_iterator()));
    }

    test::TempDir Dir;
    Bytes OldContent;
    Bytes NewContent;
};

TEST_F(InterruptedSave, WriteFailingAtAnyByteLeavesTheOldFileWhole) {
    ASSERT_GT(NewContent.size(), 16384u);
    for (size_t Cut = 0; Cut < NewContent.size(); ++Cut) {
        {
            FileSizeLimit Limit(Cut);
            EXPECT_THROW(SaveHotKeyFile(), EFCreateError) << "cut at " << Cut;
        }
        ASSERT_EQ(test::ReadFileBytes(HotKeyFileName()), OldContent) << "cut at " << Cut;
        ASSERT_EQ(EntriesInDirectory(), 1u) << "a temporary file was left at cut " << Cut;
    }
    FileSizeLimit Enough(NewContent.size());
    SaveHotKeyFile();
    EXPECT_EQ(test::ReadFileBytes(HotKeyFileName()), NewContent);
}

TEST_F(InterruptedSave, KilledSavingProcessLeavesOldOrNewFile) {
    for (int Round = 0; Round < 40; ++Round) {
        const pid_t Saver = fork();
        ASSERT_GE(Saver, 0);
        if (Saver == 0) {
            for (;;) {
                SaveHotKeyFile();
            }
        }
        usleep(static_cast<useconds_t>(500 + Round * 250));
        kill(Saver, SIGKILL);
        waitpid(Saver, nullptr, 0);
        const Bytes OnDisk = test::ReadFileBytes(HotKeyFileName());
        ASSERT_TRUE(OnDisk == OldContent || OnDisk == NewContent) << "round " << Round;
    }
}

}  // namespace
}  // namespace tulma
