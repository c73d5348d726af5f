#pragma once

#include <QCoreApplication>

#include <chrono>
#include <string>
#include <thread>

namespace tulma::test {

// The application object of a GoogleTest program whose tests run the event loop, made by the first call
// and kept to the program's end.
inline void StartCoreApplication(const char* Name) {
    static int Argc = 1;
    static std::string Program = Name;
    static char* Argv[] = {Program.data(), nullptr};
    static QCoreApplication Application(Argc, Argv);
}

// Looks at Condition until it holds or Limit has passed; whether it held. Between two looks it runs the
// Qt event loop for up to Step when the program has an application object (for answers that arrive as
// events: a socket read from the loop, a process that ends), then pauses for Step.
template <class TCondition>
bool WaitUntil(TCondition Condition, std::chrono::milliseconds Limit,
               std::chrono::milliseconds Step = std::chrono::milliseconds(10)) {
    const auto Deadline = std::chrono::steady_clock::now() + Limit;
    while (!Condition()) {
        if (std::chrono::steady_clock::now() >= Deadline) {
            return Condition();
        }
        if (QCoreApplication::instance() != nullptr) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, static_cast<int>(Step.count()));
        }
        std::this_thread::sleep_for(Step);
    }
    return true;
}

}  // namespace tulma::test
