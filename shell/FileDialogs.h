#pragma once

#include <optional>
#include <string>

class QWidget;

namespace tulma {

// The desktop's file-open and file-save dialogs for hotkey files.
class IFileDialogs {
  public:
    IFileDialogs() = default;
    IFileDialogs(const IFileDialogs&) = delete;
    IFileDialogs& operator=(const IFileDialogs&) = delete;
    virtual ~IFileDialogs() = default;

    // The existing file the user chose, starting from Preset; none when cancelled.
    virtual std::optional<std::string> OpenFileName(QWidget* Owner, const std::string& Preset) = 0;
    // The file the user chose to write, an existing one only after confirming; none when cancelled.
    virtual std::optional<std::string> SaveFileName(QWidget* Owner, const std::string& Preset) = 0;
};

}  // namespace tulma
