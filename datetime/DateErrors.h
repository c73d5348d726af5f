#pragma once

#include <stdexcept>
#include <string_view>

// The conversion errors of the date and time values. Their messages are the program's own texts.
namespace tulma {

class TConvertError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A date that does not exist has no runtime date value.
class TDateEncodingError : public TConvertError {
  public:
    TDateEncodingError();
};

// A time that does not exist has no runtime time value.
class TTimeEncodingError : public TConvertError {
  public:
    TTimeEncodingError();
};

// A text that should be a whole number is not one.
class TInvalidInteger : public TConvertError {
  public:
    explicit TInvalidInteger(std::string_view Text);
};

}  // namespace tulma
