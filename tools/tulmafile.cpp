// tulmafile: turns a file of the object stream into JSON and back.

#include <exception>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ClassRegistration.h"
#include "InputFiles.h"
#include "ObjectFile.h"
#include "ObjectJson.h"
#include "StreamableObject.h"
#include "ToolErrors.h"

namespace {

constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

constexpr std::string_view Usage =
    "Usage: tulmafile dump FILE\n"
    "       tulmafile build JSON FILE\n"
    "       tulmafile --help\n";

constexpr std::string_view Help = R"(
Turns a file of Tulma's object stream (a hotkey file, a message file, any stream of registered
classes) into JSON and back.

  dump FILE         Reads the object at the start of FILE and prints it as JSON on standard output.
                    What follows the object in the file is filler and is ignored.
  build JSON FILE   Builds the object that the JSON file describes ("-" reads standard input) and
                    writes it to FILE: 16384 bytes at least for a THotKeyFile, 512 for other classes.
                    On any error nothing is written and an existing FILE stays as it was.

JSON form of an object:
  {"class": "<class name>", <each stored field under its name, in stream order>}
  Integers are JSON numbers and must fit their field (Integer, SmallInt, Word 0..65535, Byte 0..255,
  ShortInt -128..127); Booleans are true or false. Owned objects nest in the same form; a list's
  items are an array under "Items", kept in the order and with the IDs given.

Strings:
  Stored strings are bytes. Bytes that are valid UTF-8 appear as a JSON string. Any other bytes
  (text from a Windows-1252 file, for instance) appear as {"bytes": "<hex>"}, two hex digits a
  byte: "Gr\xFC\xDFe" in Windows-1252 is {"bytes": "4772FCDF65"}. Build accepts either form for
  any string. A string cannot hold a NUL byte.

Building from a dump reproduces the stored bytes exactly. A file in an older layout (or with a
string that holds a NUL) is dumped with a warning: what the dump cannot show is written in the
current form when the file is built again.

Exit status: 0 on success, 1 when a file cannot be read, parsed, built or written (the message names
the file and the byte offset or JSON path), 2 on wrong usage.
)";

void Dump(const std::string& FileName) {
    const auto Content = tulma::ReadObjectFile(FileName);
    std::cout << tulma::ToJson(*Content.Object).dump(2) << '\n' << std::flush;
    if (!std::cout) {
        throw std::runtime_error("standard output: cannot be written");
    }
    if (!Content.StoresBackUnchanged) {
        std::cerr << "tulmafile: " << FileName
                  << ": warning: not in the current stored form (an older layout, or a string with a NUL);"
                     " a file built from this dump holds the current form\n";
    }
}

void Build(const std::string& JsonName, const std::string& FileName) {
    const tulma::TJson Document = tulma::ReadJsonFile(JsonName);
    std::unique_ptr<tulma::TStreamableObject> Object;
    try {
        Object = tulma::FromJson(Document);
    } catch (const tulma::EJsonError& Error) {
        throw tulma::EFileError(tulma::DisplayName(JsonName), Error.what());
    }
    tulma::WriteObjectFile(*Object, FileName);
}

int Run(const std::vector<std::string>& Args) {
    if (Args.size() == 1 && (Args[0] == "--help" || Args[0] == "-h")) {
        std::cout << Usage << Help;
        return 0;
    }
    if (Args.size() == 2 && Args[0] == "dump") {
        Dump(Args[1]);
        return 0;
    }
    if (Args.size() == 3 && Args[0] == "build") {
        Build(Args[1], Args[2]);
        return 0;
    }
    std::cerr << Usage;
    return ExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        tulma::RegisterAllClasses();
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& Error) {
        std::cerr << "tulmafile: " << Error.what() << '\n';
        return ExitFailure;
    }
}
