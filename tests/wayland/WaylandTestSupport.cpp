#include "WaylandTestSupport.h"

#include <cstdlib>

namespace tulma::test {

bool PressCtrlAlt(unsigned KeyCode, int HoldMs) {
    const std::string Command = std::string(TULMA_FAKE_KEYS) + " --hold " + std::to_string(HoldMs) + " " +
                                std::to_string(CtrlCode) + " " + std::to_string(AltCode) + " " +
                                std::to_string(KeyCode);
    return std::system(Command.c_str()) == 0;
}

}  // namespace tulma::test
