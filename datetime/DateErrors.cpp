#include "DateErrors.h"

#include <string>

namespace tulma {

TDateEncodingError::TDateEncodingError() : TConvertError("Ungültiges Argument für Datumskodierung") {}

TTimeEncodingError::TTimeEncodingError() : TConvertError("Ungültiges Argument für Zeitkodierung") {}

TInvalidInteger::TInvalidInteger(std::string_view Text)
    : TConvertError("'" + std::string(Text) + "' ist kein gültiger Integerwert") {}

}  // namespace tulma
