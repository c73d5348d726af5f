#include "JsonError.h"

namespace tulma {

EJsonError::EJsonError(const std::string& Path, const std::string& Problem)
    : std::runtime_error(Path + ": " + Problem), FPath(Path) {}

}  // namespace tulma
