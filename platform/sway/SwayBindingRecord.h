#pragma once

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace tulma {

// What this process has bound in sway, kept in a file of the user's state folder
// ($XDG_STATE_HOME/tulma/sway-bindings.<pid>) so that the next start can take back the bindings of a
// Tulma that was killed: sway keeps them, and they swallow their keys.
class TSwayBindingRecord {
  public:
    // Folder: where the records live; empty for the user's state folder.
    explicit TSwayBindingRecord(const std::string& SocketPath, std::string Folder = {});
    ~TSwayBindingRecord();
    TSwayBindingRecord(const TSwayBindingRecord&) = delete;
    TSwayBindingRecord& operator=(const TSwayBindingRecord&) = delete;

    // Replaces the record with these combinations (sway's spelling); an empty list removes it.
    void Write(const std::vector<std::string>& Combinations) const;
    // The combinations that processes no longer running recorded for this socket, each handed to
    // Unbind once; their records are removed, as are records of sockets that no longer exist.
    void ClearLeftovers(const std::function<void(const std::vector<std::string>&)>& Unbind) const;
    // The combinations that other Tulmas still running hold on this socket: sway would let a binding of
    // ours replace theirs.
    std::set<std::string> HeldByOthers() const;

  private:
    std::string Socket;
    std::string Folder;
    std::string Own;

    // Each record of another process: its path, whether that process still runs Tulma, and its lines.
    void ForEachRecord(const std::function<void(const std::filesystem::path&, bool Running,
                                                std::vector<std::string>&)>& Visit) const;
};

}  // namespace tulma
