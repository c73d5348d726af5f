#pragma once

#include <QString>

#include <string>

// File names between the program's byte strings and Qt, in the file system's encoding.
namespace tulma {

QString PathToQString(const std::string& Path);
std::string PathFromQString(const QString& Path);

}  // namespace tulma
