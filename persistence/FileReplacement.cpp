#include "FileReplacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <utility>
#include <vector>

#include "Errors.h"
#include "FileDescriptor.h"

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

bool WriteAll(int Handle, std::span<const uint8_t> Data) {
    size_t Done = 0;
    while (Done < Data.size()) {
        const ssize_t Written = write(Handle, Data.data() + Done, Data.size() - Done);
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

// A new file beside the target, removed again unless it has become the target.
class TTemporaryFile {
  public:
    TTemporaryFile(const fs::path& Target, const TFileCalls& Calls) : FCalls(Calls) {
        const std::string Pattern = Target.string() + ".XXXXXX";
        FPath.assign(Pattern.begin(), Pattern.end());
        FPath.push_back('\0');
        FHandle.Reset(FCalls.MakeTemporary(FPath.data()));
        FCreateError = FHandle.Valid() ? 0 : errno;
        FExists = FHandle.Valid();
    }
    ~TTemporaryFile() {
        FHandle.Reset();
        if (FExists) {
            unlink(FPath.data());
        }
    }
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;

    bool Created() const { return FExists; }
    // Why it could not be made (an errno value).
    int CreateError() const { return FCreateError; }
    int Handle() const { return FHandle.Get(); }

    // Flushes and closes the file and renames it to Target; false when any of these fails.
    bool CommitAs(const fs::path& Target) {
        const bool Flushed = FCalls.Sync(FHandle.Get()) == 0;
        const bool Closed = FCalls.Close(FHandle.Release()) == 0;
        if (!Flushed || !Closed || FCalls.Rename(FPath.data(), Target.c_str()) != 0) {
            return false;
        }
        FExists = false;
        return true;
    }

  private:
    const TFileCalls& FCalls;
    std::vector<char> FPath;
    TFileDescriptor FHandle;
    int FCreateError = 0;
    bool FExists = false;
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

bool FolderRefusedNewFile(int CreateError) {
    return CreateError == EACCES || CreateError == EPERM;
}

// The existing file's own bytes are written over and then cut to the new length, so that its owner,
// permissions and hard links stay, and no old byte is given up before the new ones are in place.
bool WriteInPlace(const fs::path& Target, std::span<const uint8_t> Data, const TFileCalls& Calls) {
    TFileDescriptor Handle(open(Target.c_str(), O_WRONLY | O_CLOEXEC));
    if (!Handle.Valid()) {
        return false;
    }
    const bool Written = WriteAll(Handle.Get(), Data) &&
                         ftruncate(Handle.Get(), static_cast<off_t>(Data.size())) == 0 &&
                         Calls.Sync(Handle.Get()) == 0;
    return Calls.Close(Handle.Release()) == 0 && Written;
}

void SyncDirectory(const fs::path& Directory) {
    const TFileDescriptor Handle(open(Directory.empty() ? "." : Directory.c_str(), O_RDONLY | O_DIRECTORY));
    if (Handle.Valid()) {
        fsync(Handle.Get());
    }
}

}  // namespace

const TFileCalls& SystemFileCalls() {
    static const TFileCalls Calls{mkstemp, fsync, close, rename};
    return Calls;
}

void ReplaceFileContent(const std::string& FileName, std::span<const uint8_t> Data, const TFileCalls& Calls) {
    const fs::path Target = ResolveTarget(FileName);
    std::error_code Error;
    if (fs::is_directory(Target, Error)) {
        throw EFCreateError(FileName);
    }
    TTemporaryFile Temporary(Target, Calls);
    if (!Temporary.Created()) {
        if (!FolderRefusedNewFile(Temporary.CreateError()) || !WriteInPlace(Target, Data, Calls)) {
            throw EFCreateError(FileName);
        }
        return;
    }
    if (fchmod(Temporary.Handle(), PermissionsFor(Target)) != 0 || !WriteAll(Temporary.Handle(), Data) ||
        !Temporary.CommitAs(Target)) {
        throw EFCreateError(FileName);
    }
    SyncDirectory(Target.parent_path());
}

int WriteNewFile(const std::string& FileName, std::span<const uint8_t> Data, mode_t Permissions) {
    TFileDescriptor Handle(open(FileName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!Handle.Valid()) {
        return errno;
    }
    const bool Written =
        fchmod(Handle.Get(), Permissions) == 0 && WriteAll(Handle.Get(), Data) && fsync(Handle.Get()) == 0;
    const int WriteError = Written ? 0 : errno;
    if (Handle.Close() != 0 || !Written) {
        const int Error = Written ? errno : WriteError;
        unlink(FileName.c_str());
        return Error != 0 ? Error : EIO;
    }
    return 0;
}

}  // namespace tulma
