// Reads arbitrary bytes as a hotkey file. Any outcome but a hotkey file or a stream error is a defect.
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>

#include "ClassRegistration.h"
#include "HotKeyFile.h"
#include "HotTulma.h"
#include "ObjectStream.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    tulma::RegisterAllClasses();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    tulma::TObjectStream Stream(tulma::THotKeyFile::StreamSize);
    try {
        Stream.LoadFromBytes(std::span(Data, Size));
        const auto File = Stream.ReadObjectOf<tulma::THotKeyFile>();
        // What the main window does with a loaded file: describe every hotkey.
        for (int32_t I = 0; I < File->HotKeyList().Count(); ++I) {
            File->HotKeyAt(I).GetDescription(0);
        }
    } catch (const tulma::EStreamError&) {
    }
    return 0;
}
