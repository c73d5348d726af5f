#include "FileReplacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <vector>

#include "Errors.h"

namespace tulma {
namespace {

namespace fs = std::filesystem;

// The file that a save really replaces: the end of a chain of symbolic links, so the link survives.
fs::path ResolveTarget(const fs::path& FileName) {
    fs::path Target = FileName;
    for (int Hops = 0; Hops < 40; ++Hops) {
        std::error_code Error;
        if (!fs::is_symlink(fs::symlink_status(Target, Error))) {
            return Target;
        }
        const fs::path Next = fs::read_symlink(Target, Error);
        if (Error) {
            return Target;
        }
        Target = Next.is_absolute() ? Next : Target.parent_path() / Next;
    }
    return Target;
}

class TTemporaryFile {
  public:
    explicit TTemporaryFile(const fs::path& Target) {
        std::string Pattern = Target.string() + ".XXXXXX";
        FPath.assign(Pattern.begin(), Pattern.end());
        FPath.push_back('\0');
        FHandle = mkstemp(FPath.data());
    }
    ~TTemporaryFile() {
        if (FHandle >= 0) {
            close(FHandle);
        }
        if (!FCommitted && Valid()) {
            unlink(FPath.data());
        }
    }
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;

    bool Valid() const { return FHandle >= 0; }
    int Handle() const { return FHandle; }
    const char* Path() const { return FPath.data(); }

    bool WriteAll(std::span<const uint8_t> Data) {
        size_t Done = 0;
        while (Done < Data.size()) {
            const ssize_t Written = write(FHandle, Data.data() + Done, Data.size() - Done);
            if (Written < 0 && errno == EINTR) {
                continue;
            }
            if (Written <= 0) {
                return false;
            }
            Done += static_cast<size_t>(Written);
        }
        return true;
    }

    bool CloseAndRenameTo(const fs::path& Target) {
        const bool Flushed = fsync(FHandle) == 0;
        const bool Closed = close(FHandle) == 0;
        FHandle = -1;
        if (!Flushed || !Closed || rename(FPath.data(), Target.c_str()) != 0) {
            return false;
        }
        FCommitted = true;
        return true;
    }

  private:
    std::vector<char> FPath;
    int FHandle = -1;
    bool FCommitted = false;
};

// New files get the usual permissions (0666 less the umask); mkstemp alone would give 0600.
mode_t PermissionsFor(const fs::path& Target) {
    struct stat Existing {};
    if (stat(Target.c_str(), &Existing) == 0) {
        return Existing.st_mode & 07777;
    }
    const mode_t Mask = umask(0);
    umask(Mask);
    return 0666 & ~Mask;
}

void SyncDirectory(const fs::path& Directory) {
    const int Handle = open(Directory.empty() ? "." : Directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (Handle >= 0) {
        fsync(Handle);
        close(Handle);
    }
}

}  // namespace

void ReplaceFileContent(const std::string& FileName, std::span<const uint8_t> Data) {
    const fs::path Target = ResolveTarget(FileName);
    std::error_code Error;
    if (fs::is_directory(Target, Error)) {
        throw EFCreateError(FileName);
    }
    TTemporaryFile Temporary(Target);
    if (!Temporary.Valid() || fchmod(Temporary.Handle(), PermissionsFor(Target)) != 0 ||
        !Temporary.WriteAll(Data) || !Temporary.CloseAndRenameTo(Target)) {
        throw EFCreateError(FileName);
    }
    SyncDirectory(Target.parent_path());
}

}  // namespace tulma
