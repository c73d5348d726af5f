// Reads arbitrary bytes as a message file. Any outcome but a catalogue or a stream error is a defect.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>

#include "ClassRegistration.h"
#include "MessageBoxFunction.h"
#include "MessageList.h"

namespace {

// The catalogue reads from a file, so each input is written to one in memory-backed storage.
const std::string& InputFileName() {
    static const std::string Name = "/dev/shm/tulma-fuzz-messages-" + std::to_string(getpid()) + ".mes";
    return Name;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    tulma::RegisterAllClasses();
    // Warnings about duplicate ids would otherwise go to standard error once per input; a box that
    // nobody answers returns 0, as the catalogue expects of one that could not be shown.
    tulma::SetMessageBoxFunction([](const std::string&, const std::string&, int32_t) { return 0; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    std::ofstream(InputFileName(), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size));
    tulma::TMessageList Catalogue;
    try {
        Catalogue.LoadMessageFile(InputFileName());
    } catch (const std::runtime_error&) {
    }
    return 0;
}
