#include "Errors.h"

namespace tulma {

TClassNotFound::TClassNotFound(int Code)
    : TStreamError(ProgramText(TProgramText::ClassNotFound, {std::to_string(Code)})) {}

TReadError::TReadError(const std::string& Detail)
    : TStreamError(Detail.empty() ? ProgramText(TProgramText::StreamReadError)
                                  : ProgramText(TProgramText::StreamReadError) + ": " + Detail) {}

TFOpenError::TFOpenError(const std::string& FileName)
    : TStreamError(ProgramText(TProgramText::CannotOpenFile, {FileName})) {}

TFCreateError::TFCreateError(const std::string& FileName)
    : TStreamError(ProgramText(TProgramText::CannotCreateFile, {FileName})) {}

TInOutError::TInOutError(int Code)
    : std::runtime_error(ProgramText(TProgramText::InOutError, {std::to_string(Code)})) {}

TListError::TListError() : std::runtime_error(ProgramText(TProgramText::ListIndexError)) {}

TInvalidCast::TInvalidCast() : std::runtime_error(ProgramText(TProgramText::InvalidCast)) {}

TFileContentError::TFileContentError(TProgramText Text, const std::string& FileName, const std::string& Found)
    : TStreamError(ProgramText(Text, {FileName, Found})) {}

}  // namespace tulma
