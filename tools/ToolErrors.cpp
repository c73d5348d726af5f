#include "ToolErrors.h"

namespace tulma {

TFileError::TFileError(const std::string& FileName, const std::string& Problem)
    : std::runtime_error(FileName + ": " + Problem) {}

TJsonError::TJsonError(const std::string& Path, const std::string& Problem)
    : std::runtime_error(Path + ": " + Problem), FPath(Path) {}

}  // namespace tulma
