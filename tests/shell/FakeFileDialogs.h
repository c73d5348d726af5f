#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "FileDialogs.h"

namespace tulma::test {

// Answers each dialog with the name queued for it, or cancels when none is queued.
class FakeFileDialogs : public IFileDialogs {
  public:
    std::optional<std::string> NextOpen;
    std::optional<std::string> NextSave;
    std::vector<std::string> Presets;

    std::optional<std::string> OpenFileName(QWidget*, const std::string& Preset) override {
        Presets.push_back(Preset);
        return std::exchange(NextOpen, std::nullopt);
    }
    std::optional<std::string> SaveFileName(QWidget*, const std::string& Preset) override {
        Presets.push_back(Preset);
        return std::exchange(NextSave, std::nullopt);
    }
};

}  // namespace tulma::test
