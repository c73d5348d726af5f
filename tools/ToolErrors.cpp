#include "ToolErrors.h"

namespace tulma {

EFileError::EFileError(const std::string& FileName, const std::string& Problem)
    : std::runtime_error(FileName + ": " + Problem) {}

EJsonError::EJsonError(const std::string& Path, const std::string& Problem)
    : std::runtime_error(Path + ": " + Problem), FPath(Path) {}

}  // namespace tulma
