#pragma once

#include <chrono>
#include <initializer_list>

#include "EventLoopWait.h"

namespace tulma::test {

// evdev codes of the keys pressed.
constexpr unsigned CtrlCode = 29;
constexpr unsigned AltCode = 56;
constexpr unsigned JCode = 36;
constexpr unsigned KCode = 37;
constexpr unsigned LCode = 38;
constexpr unsigned MCode = 50;
constexpr unsigned NCode = 49;
constexpr unsigned PCode = 25;
constexpr unsigned RCode = 19;

// Keys through KWin's fake input, pressed in order, held for HoldMs and released; whether they went in.
bool PressKeys(std::initializer_list<unsigned> Codes, int HoldMs = 0);

// Ctrl+Alt+key through KWin's fake input, held for HoldMs; whether the keys went in.
bool PressCtrlAlt(unsigned KeyCode, int HoldMs = 0);

// Presses Ctrl+Alt+key until Ran holds: the desktop binds shortcuts some time after they are asked for.
template <class TCondition>
bool PressUntil(unsigned KeyCode, TCondition Ran) {
    for (int Attempt = 0; Attempt < 40 && !Ran(); ++Attempt) {
        if (!PressCtrlAlt(KeyCode)) {
            return false;
        }
        WaitUntil(Ran, std::chrono::milliseconds(500));
    }
    return Ran();
}

}  // namespace tulma::test
