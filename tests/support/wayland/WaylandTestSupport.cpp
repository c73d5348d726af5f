#include "WaylandTestSupport.h"

#include <cstdlib>

namespace tulma::test {

bool PressKeys(std::initializer_list<unsigned> Codes, int HoldMs) {
    std::string Command = std::string(TULMA_FAKE_KEYS) + " --hold " + std::to_string(HoldMs);
    for (const unsigned Code : Codes) {
        Command += " " + std::to_string(Code);
    }
    return std::system(Command.c_str()) == 0;
}

bool PressCtrlAlt(unsigned KeyCode, int HoldMs) {
    return PressKeys({CtrlCode, AltCode, KeyCode}, HoldMs);
}

}  // namespace tulma::test
