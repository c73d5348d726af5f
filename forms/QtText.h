#pragma once

#include <QString>
#include <string>
#include <string_view>

// Between the program's byte strings and Qt's strings. Bytes that are valid UTF-8 are read as UTF-8,
// anything else as Windows-1252, the code page of files written on Windows.
namespace tulma {

QString ToQString(std::string_view Bytes);
// UTF-8.
std::string FromQString(const QString& Text);

}  // namespace tulma
