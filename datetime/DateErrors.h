#pragma once

#include <stdexcept>
#include <string_view>

// The conversion errors of the date and time values. Their messages are the program's own texts.
namespace tulma {

class EConvertError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A date that does not exist has no runtime date value.
class EDateEncodingError : public EConvertError {
  public:
    EDateEncodingError();
};

// A time that does not exist has no runtime time value.
class ETimeEncodingError : public EConvertError {
  public:
    ETimeEncodingError();
};

// A text that should be a whole number is not one.
class EInvalidInteger : public EConvertError {
  public:
    explicit EInvalidInteger(std::string_view Text);
};

}  // namespace tulma
