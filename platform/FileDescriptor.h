#pragma once

#include <unistd.h>

#include <utility>

namespace tulma {

// Owns a file descriptor (a file, socket, pipe end or process handle) and closes it when it goes; -1 owns
// nothing.
class TFileDescriptor {
  public:
    TFileDescriptor() = default;
    explicit TFileDescriptor(int Fd) : Fd(Fd) {}
    TFileDescriptor(TFileDescriptor&& Other) noexcept : Fd(Other.Release()) {}
    TFileDescriptor& operator=(TFileDescriptor&& Other) noexcept {
        Reset(Other.Release());
        return *this;
    }
    ~TFileDescriptor() { Reset(); }

    int Get() const { return Fd; }
    bool Valid() const { return Fd >= 0; }
    // Closes the descriptor now: 0, or -1 with errno when the close reported an error (a write that did
    // not reach the file).
    int Close() { return Fd < 0 ? 0 : close(std::exchange(Fd, -1)); }
    // Gives the descriptor up to the caller, who closes it.
    int Release() { return std::exchange(Fd, -1); }
    // Closes the descriptor owned so far and owns NewFd.
    void Reset(int NewFd = -1) {
        if (Fd >= 0) {
            close(Fd);
        }
        Fd = NewFd;
    }

  private:
    int Fd = -1;
};

}  // namespace tulma
