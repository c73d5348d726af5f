#pragma once

#include <optional>
#include <string>
#include <vector>

#include "LaunchRecord.h"

namespace tulma::bench {

// A named pipe that launch probes report to. Held open for reading and writing by the benchmark, so a
// probe never waits for a reader and the pipe never reports end of file.
class TProbePipe {
  public:
    explicit TProbePipe(std::string Path);
    ~TProbePipe();
    TProbePipe(const TProbePipe&) = delete;
    TProbePipe& operator=(const TProbePipe&) = delete;

    const std::string& Path() const { return FifoPath; }
    // The next record, or none when no probe reported within TimeoutMs.
    std::optional<TLaunchRecord> Read(int TimeoutMs);
    // Records that are already waiting, taken out so that they are not mistaken for the next launch.
    std::vector<TLaunchRecord> Drain();

  private:
    std::string FifoPath;
    int Fd = -1;
};

}  // namespace tulma::bench
