// What a desktop that starts a command on each key press (GNOME's custom keybindings) runs for a hotkey
// of Tulma's:
//   tulma-press SOCKET ID [FILE]
// It asks the Tulma that serves the hotkey socket SOCKET to run the hotkey with identifier ID of FILE
// (empty or left out: the default file), and loads no widget library, font or hotkey file for that, so a
// press costs little more than the program it starts. When no Tulma serves the socket, or the one that
// does has another file open, it becomes "tulma --run-id ID FILE" (the program beside it), which runs
// the hotkey from the file or says why not.
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "HotKeySocketProtocol.h"
#include "LocalSocket.h"
#include "ProgramDirectory.h"

namespace {

int Fail(const std::string& Message) {
    std::cerr << "tulma-press: " << Message << std::endl;
    return 1;
}

int RunInTulma(const std::string& ID, const std::string& FileName) {
    const std::string Program = tulma::AddFileName("tulma");
    std::vector<std::string> Arguments{Program, "--run-id", ID};
    if (!FileName.empty()) {
        Arguments.insert(Arguments.end(), {"--", FileName});
    }
    std::vector<char*> Argv;
    for (std::string& Argument : Arguments) {
        Argv.push_back(Argument.data());
    }
    Argv.push_back(nullptr);
    execv(Program.c_str(), Argv.data());
    return Fail("cannot start " + Program + ": " + std::strerror(errno));
}

}  // namespace

int main(int Argc, char** Argv) {
    if (Argc < 3 || Argc > 4) {
        std::cerr << "usage: tulma-press SOCKET ID [FILE]" << std::endl;
        return 2;
    }
    const std::string Socket = Argv[1];
    const std::string ID = Argv[2];
    const std::string FileName = Argc == 4 ? Argv[3] : "";
    std::int32_t Number = 0;
    if (const auto [End, Error] = std::from_chars(ID.data(), ID.data() + ID.size(), Number);
        Error != std::errc() || End != ID.data() + ID.size()) {
        return Fail("the hotkey identifier " + ID + " is no number");
    }
    if (const auto Request = tulma::RunIdRequestLine(Number, FileName)) {
        const auto Reply = tulma::AskLocalLine(Socket, *Request, tulma::AnswerMs);
        if (Reply == tulma::RanReply) {
            return 0;
        }
        if (Reply == tulma::UnknownReply) {
            return Fail("the running Tulma has no hotkey with the identifier " + ID);
        }
        if (Reply && Reply->empty()) {
            return Fail("the running Tulma did not answer");
        }
    }
    return RunInTulma(ID, FileName);
}
