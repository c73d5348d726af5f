#pragma once

#include <QCoreApplication>

#include <chrono>
#include <string>

namespace tulma::test {

// The application object of a GoogleTest program whose tests run the event loop, made by the first call
// and kept to the program's end.
inline void StartCoreApplication(const char* Name) {
    static int Argc = 1;
    static std::string Program = Name;
    static char* Argv[] = {Program.data(), nullptr};
    static QCoreApplication Application(Argc, Argv);
}

// Runs the event loop until Condition holds or Seconds have passed; whether it held. For tests whose
// answers arrive as events (a socket read from the loop, a process that ends).
template <class TCondition>
bool EventuallyInLoop(TCondition Condition, int Seconds = 20) {
    const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(Seconds);
    while (!Condition() && std::chrono::steady_clock::now() < Deadline) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return Condition();
}

}  // namespace tulma::test
