#pragma once

#include <stdexcept>
#include <string>

namespace tulma {

// Anything that went wrong with one file, reading or writing it: "<file>: <problem>".
class EFileError : public std::runtime_error {
  public:
    EFileError(const std::string& FileName, const std::string& Problem);
};

// A JSON document that does not describe a valid object: where (a JSON path such as
// $.HotKeyList.Items[0].ExecMode) and what is wrong there.
class EJsonError : public std::runtime_error {
  public:
    EJsonError(const std::string& Path, const std::string& Problem);

    const std::string& Path() const { return FPath; }

  private:
    std::string FPath;
};

}  // namespace tulma
