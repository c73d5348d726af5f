#pragma once

#include <QCoreApplication>

#include <chrono>

namespace tulma::test {

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
