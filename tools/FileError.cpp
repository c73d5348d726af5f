#include "FileError.h"

namespace tulma {

EFileError::EFileError(const std::string& FileName, const std::string& Problem)
    : std::runtime_error(FileName + ": " + Problem) {}

}  // namespace tulma
