#pragma once

#include <stdexcept>
#include <string>

#include "ProgramTexts.h"

// The error classes of the persistence framework. Their messages are the program's own texts; the
// application-wide handler shows what() in a message box.
namespace tulma {

class EStreamError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A class code that no class is registered under.
class EClassNotFound : public EStreamError {
  public:
    explicit EClassNotFound(int Code);
};

// Damaged, truncated or hostile stream data.
class EReadError : public EStreamError {
  public:
    explicit EReadError(const std::string& Detail);
};

class EFOpenError : public EStreamError {
  public:
    explicit EFOpenError(const std::string& FileName);
};

class EFCreateError : public EStreamError {
  public:
    explicit EFCreateError(const std::string& FileName);
};

// A file that could not be read for what it holds, told in the words of Text, which takes the file as
// %1 and what reading it met as %2.
class EFileContentError : public EStreamError {
  public:
    EFileContentError(TProgramText Text, const std::string& FileName, const std::string& Found);
};

class EInOutError : public std::runtime_error {
  public:
    explicit EInOutError(int Code);
};

class EListError : public std::runtime_error {
  public:
    EListError();
};

class EInvalidCast : public std::runtime_error {
  public:
    EInvalidCast();
};

}  // namespace tulma
