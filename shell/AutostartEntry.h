#pragma once

#include <string>

namespace tulma {

// The user's XDG autostart entry for Tulma: while the file exists (and does not say Hidden=true), the
// desktop starts the program when the user logs in.
class TAutostartEntry {
  public:
    // FileName: the entry's file; ProgramFile: the program that it starts.
    TAutostartEntry(std::string FileName, std::string ProgramFile);

    // "tulma.desktop" in the "autostart" folder of the user's configuration directory, starting the
    // running program.
    static TAutostartEntry ForThisUser();

    const std::string& FileName() const { return FFileName; }
    bool Enabled() const;
    // Writes the entry (making its folder when missing) or removes it. A failure raises an error and
    // leaves the entry as it was.
    void SetEnabled(bool Enabled);
    // The entry's text.
    std::string Content() const;

  private:
    std::string FFileName;
    std::string ProgramFile;
};

// Path as one argument of a desktop entry's Exec key: quoted when it holds a reserved character, and
// escaped for the entry's string value.
std::string DesktopExecArgument(const std::string& Path);

}  // namespace tulma
