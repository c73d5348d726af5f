#include "InputFiles.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <utility>
#include <vector>

#include "ToolErrors.h"

namespace tulma {
namespace {

std::string ReadAll(std::istream& Input, const std::string& FileName) {
    std::ostringstream Content;
    try {
        Content << Input.rdbuf();
    } catch (const std::ios_base::failure&) {
        throw EFileError(FileName, "cannot be read");
    }
    if (Input.bad()) {
        throw EFileError(FileName, "cannot be read");
    }
    return std::move(Content).str();
}

// Follows the parser through the document so that a member named twice can be reported by its path;
// the parser itself would silently keep the later value.
class TDuplicateKeyCheck {
  public:
    explicit TDuplicateKeyCheck(std::string FileName) : FFileName(std::move(FileName)) {}

    bool operator()(int, TJson::parse_event_t Event, TJson& Parsed) {
        switch (Event) {
            case TJson::parse_event_t::object_start:
            case TJson::parse_event_t::array_start:
                FOpen.push_back({Event == TJson::parse_event_t::array_start, 0, {}, {}});
                break;
            case TJson::parse_event_t::key:
                TakeKey(Parsed.get<std::string>());
                break;
            case TJson::parse_event_t::object_end:
            case TJson::parse_event_t::array_end:
                FOpen.pop_back();
                ValueDone();
                break;
            case TJson::parse_event_t::value:
                ValueDone();
                break;
        }
        return true;
    }

  private:
    struct TLevel {
        bool IsArray;
        size_t Index;
        std::string Key;
        std::set<std::string> Keys;
    };

    void TakeKey(const std::string& Key) {
        TLevel& Level = FOpen.back();
        Level.Key = Key;
        if (!Level.Keys.insert(Key).second) {
            throw EFileError(FFileName, CurrentPath() + ": this member appears twice in one object");
        }
    }

    void ValueDone() {
        if (!FOpen.empty() && FOpen.back().IsArray) {
            ++FOpen.back().Index;
        }
    }

    std::string CurrentPath() const {
        std::string Path = "$";
        for (const TLevel& Level : FOpen) {
            Path = Level.IsArray ? ItemPath(Path, Level.Index) : MemberPath(Path, Level.Key);
        }
        return Path;
    }

    std::string FFileName;
    std::vector<TLevel> FOpen;
};

}  // namespace

std::string ReadFileContent(const std::string& FileName) {
    if (FileName == "-") {
        return ReadAll(std::cin, DisplayName(FileName));
    }
    std::error_code Ignored;
    if (std::filesystem::is_directory(FileName, Ignored)) {
        throw EFileError(FileName, "is a folder");
    }
    std::ifstream File(FileName, std::ios::binary);
    if (!File) {
        throw EFileError(FileName, std::strerror(errno));
    }
    return ReadAll(File, FileName);
}

std::string DisplayName(const std::string& FileName) {
    return FileName == "-" ? "<stdin>" : FileName;
}

TJson ReadJsonFile(const std::string& FileName) {
    const std::string Content = ReadFileContent(FileName);
    const std::string Name = DisplayName(FileName);
    try {
        return TJson::parse(Content, TDuplicateKeyCheck(Name));
    } catch (const TJson::parse_error& Error) {
        // Drop the library's "[json.exception.parse_error.101] " tag; the rest says where and what.
        const std::string Message = Error.what();
        const size_t TagEnd = Message.find("] ");
        throw EFileError(Name, TagEnd == std::string::npos ? Message : Message.substr(TagEnd + 2));
    }
}

}  // namespace tulma
