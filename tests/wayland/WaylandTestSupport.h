#pragma once

#include <QCoreApplication>

#include <chrono>
#include <initializer_list>
#include <string>

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

// Runs the event loop until Condition holds or 20 s have passed; whether it held.
template <class TCondition>
bool Eventually(TCondition Condition) {
    using Clock = std::chrono::steady_clock;
    const auto Deadline = Clock::now() + std::chrono::seconds(20);
    while (!Condition() && Clock::now() < Deadline) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return Condition();
}

// Keys through KWin's fake input, pressed in order, held for HoldMs and released; whether they went in.
bool PressKeys(std::initializer_list<unsigned> Codes, int HoldMs = 0);

// Ctrl+Alt+key through KWin's fake input, held for HoldMs; whether the keys went in.
bool PressCtrlAlt(unsigned KeyCode, int HoldMs = 0);

// Presses Ctrl+Alt+key until Ran holds: the desktop binds shortcuts some time after they are asked for.
template <class TCondition>
bool PressUntil(unsigned KeyCode, TCondition Ran) {
    using Clock = std::chrono::steady_clock;
    for (int Attempt = 0; Attempt < 40 && !Ran(); ++Attempt) {
        if (!PressCtrlAlt(KeyCode)) {
            return false;
        }
        const auto Deadline = Clock::now() + std::chrono::milliseconds(500);
        while (!Ran() && Clock::now() < Deadline) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
    }
    return Ran();
}

}  // namespace tulma::test
