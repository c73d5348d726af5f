// Loading and saving a large hotkey file, beside the cost of merely reading and writing its bytes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numeric>

#include "ClassRegistration.h"
#include "CurrentHotKeyFile.h"
#include "FileReplacement.h"
#include "HotKeyCommand.h"
#include "HotKeyFile.h"
#include "HotTulma.h"
#include "ObjectStream.h"

namespace {

using namespace tulma;

constexpr int HotKeyCount = 10000;
constexpr int CommandsPerHotKey = 5;

std::string BenchFileName() {
    return (std::filesystem::temp_directory_path() / "tulma-bench.tul").string();
}

void FillLargeFile(THotKeyFile& File) {
    for (int H = 0; H < HotKeyCount; ++H) {
        auto HotKey = std::make_unique<THotTulma>();
        HotKey->Name = "Hotkey " + std::to_string(H);
        HotKey->HotKey = static_cast<uint16_t>(0xC000 | (0x41 + H % 26));
        for (int C = 0; C < CommandsPerHotKey; ++C) {
            auto Command = std::make_unique<THotKeyCommand>();
            Command->Name = "Command " + std::to_string(C);
            Command->Exec = "/usr/bin/program-" + std::to_string(C);
            Command->Parameters = "--option value \"quoted argument\"";
            Command->Directory = "%HOME%/work";
            Command->LookForWindow = C % 2 ? "Window title" : "";
            HotKey->Commands().Add(std::move(Command));
        }
        File.HotKeyList().Add(std::move(HotKey));
    }
}

class LargeHotKeyFile : public benchmark::Fixture {
  public:
    void SetUp(const benchmark::State&) override {
        static const bool Prepared = [] {
            RegisterAllClasses();
            HotKeyFileName() = BenchFileName();
            FillLargeFile(HotKeyFile());
            SaveHotKeyFile();
            return true;
        }();
        (void)Prepared;
    }
};

// The floor for loading: read the whole file into memory and touch every byte once.
BENCHMARK_F(LargeHotKeyFile, ReadBytesOnly)(benchmark::State& State) {
    for (auto _ : State) {
        std::ifstream File(BenchFileName(), std::ios::binary);
        std::vector<char> Bytes(std::filesystem::file_size(BenchFileName()));
        File.read(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
        benchmark::DoNotOptimize(std::accumulate(Bytes.begin(), Bytes.end(), 0u));
    }
}

// Loading as the program does it, which includes releasing the hotkeys loaded before.
BENCHMARK_F(LargeHotKeyFile, LoadHotKeyFile)(benchmark::State& State) {
    for (auto _ : State) {
        LoadHotKeyFile();
        benchmark::DoNotOptimize(HotKeyFile().HotKeyList().Count());
    }
}

// Reading the file into objects alone, the work that the byte-walking floor compares with.
BENCHMARK_F(LargeHotKeyFile, ReadHotKeyObjects)(benchmark::State& State) {
    for (auto _ : State) {
        TObjectStream Stream(THotKeyFile::StreamSize);
        Stream.LoadFromFile(BenchFileName());
        auto File = Stream.ReadObjectOf<THotKeyFile>();
        benchmark::DoNotOptimize(File->HotKeyList().Count());
        State.PauseTiming();
        File.reset();
        State.ResumeTiming();
    }
}

// The floor for saving: write the same number of bytes to a file in one piece.
BENCHMARK_F(LargeHotKeyFile, WriteBytesOnly)(benchmark::State& State) {
    const auto Size = std::filesystem::file_size(BenchFileName());
    const std::vector<char> Bytes(Size, 'x');
    const std::string Copy = BenchFileName() + ".raw";
    for (auto _ : State) {
        std::ofstream File(Copy, std::ios::binary | std::ios::trunc);
        File.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
    }
    std::remove(Copy.c_str());
}

// The same bytes through the crash-safe replacement that every save uses (temporary file, sync, rename).
BENCHMARK_F(LargeHotKeyFile, ReplaceBytesOnly)(benchmark::State& State) {
    const std::vector<uint8_t> Bytes(std::filesystem::file_size(BenchFileName()), 'x');
    const std::string Copy = BenchFileName() + ".raw";
    for (auto _ : State) {
        ReplaceFileContent(Copy, Bytes);
    }
    std::remove(Copy.c_str());
}

BENCHMARK_F(LargeHotKeyFile, SaveHotKeyFile)(benchmark::State& State) {
    for (auto _ : State) {
        SaveHotKeyFile();
    }
}

BENCHMARK_F(LargeHotKeyFile, FindByIdentifier)(benchmark::State& State) {
    int32_t ID = 0;
    for (auto _ : State) {
        benchmark::DoNotOptimize(HotKeyFile().HotKeyList().GetByID(ID));
        ID = (ID + 7919) % HotKeyCount;
    }
}

}  // namespace

BENCHMARK_MAIN();
