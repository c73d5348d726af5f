#pragma once

#include <stdexcept>
#include <string>

namespace tulma {

// Anything that went wrong with one file, reading or writing it: "<file>: <problem>".
class EFileError : public std::runtime_error {
  public:
    EFileError(const std::string& FileName, const std::string& Problem);
};

}  // namespace tulma
