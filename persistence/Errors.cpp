#include "Errors.h"

namespace tulma {

EClassNotFound::EClassNotFound(int Code)
    : EStreamError(ProgramText(TProgramText::ClassNotFound, {std::to_string(Code)})) {}

EReadError::EReadError(const std::string& Detail)
    : EStreamError(Detail.empty() ? ProgramText(TProgramText::StreamReadError)
                                  : ProgramText(TProgramText::StreamReadError) + ": " + Detail) {}

EFOpenError::EFOpenError(const std::string& FileName)
    : EStreamError(ProgramText(TProgramText::CannotOpenFile, {FileName})) {}

EFCreateError::EFCreateError(const std::string& FileName)
    : EStreamError(ProgramText(TProgramText::CannotCreateFile, {FileName})) {}

EInOutError::EInOutError(int Code)
    : std::runtime_error(ProgramText(TProgramText::InOutError, {std::to_string(Code)})) {}

EListError::EListError() : std::runtime_error(ProgramText(TProgramText::ListIndexError)) {}

EInvalidCast::EInvalidCast() : std::runtime_error(ProgramText(TProgramText::InvalidCast)) {}

EFileContentError::EFileContentError(TProgramText Text, const std::string& FileName, const std::string& Found)
    : EStreamError(ProgramText(Text, {FileName, Found})) {}

}  // namespace tulma
