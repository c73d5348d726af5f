#include "DateErrors.h"

#include <string>

namespace tulma {

EDateEncodingError::EDateEncodingError() : EConvertError("Ungültiges Argument für Datumskodierung") {}

ETimeEncodingError::ETimeEncodingError() : EConvertError("Ungültiges Argument für Zeitkodierung") {}

EInvalidInteger::EInvalidInteger(std::string_view Text)
    : EConvertError("'" + std::string(Text) + "' ist kein gültiger Integerwert") {}

}  // namespace tulma
