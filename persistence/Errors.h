#pragma once

#include <stdexcept>
#include <string>

#include "ProgramTexts.h"

// The error classes of the persistence framework. Their messages are the program's own texts; the
// application-wide handler shows what() in a message box.
namespace tulma {

class TStreamError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A class code that no class is registered under.
class TClassNotFound : public TStreamError {
  public:
    explicit TClassNotFound(int Code);
};

// Damaged, truncated or hostile stream data.
class TReadError : public TStreamError {
  public:
    explicit TReadError(const std::string& Detail);
};

class TFOpenError : public TStreamError {
  public:
    explicit TFOpenError(const std::string& FileName);
};

class TFCreateError : public TStreamError {
  public:
    explicit TFCreateError(const std::string& FileName);
};

// A file that could not be read for what it holds, told in the words of Text, which takes the file as
// %1 and what reading it met as %2.
class TFileContentError : public TStreamError {
  public:
    TFileContentError(TProgramText Text, const std::string& FileName, const std::string& Found);
};

class TInOutError : public std::runtime_error {
  public:
    explicit TInOutError(int Code);
};

class TListError : public std::runtime_error {
  public:
    TListError();
};

class TInvalidCast : public std::runtime_error {
  public:
    TInvalidCast();
};

}  // namespace tulma
