#include "Errors.h"

namespace tulma {

EClassNotFound::EClassNotFound(int Code)
    : EStreamError("Klasse " + std::to_string(Code) + " nicht gefunden.") {}

EReadError::EReadError(const std::string& Detail)
    : EStreamError(Detail.empty() ? std::string(BaseText) : std::string(BaseText) + ": " + Detail) {}

EFOpenError::EFOpenError(const std::string& FileName)
    : EStreamError("Kann Datei " + FileName + " nicht öffnen") {}

EFCreateError::EFCreateError(const std::string& FileName)
    : EStreamError("Kann Datei " + FileName + " nicht erstellen") {}

EInOutError::EInOutError(int Code) : std::runtime_error("I/O-Fehler " + std::to_string(Code)) {}

EListError::EListError() : std::runtime_error("Listenindex außerhalb des zulässigen Bereichs") {}

EInvalidCast::EInvalidCast() : std::runtime_error("Ungültige Typumwandlung") {}

}  // namespace tulma
