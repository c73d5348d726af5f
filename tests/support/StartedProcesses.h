#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tulma::test {

// The programs a test started (windows, the program under test), their output passed on; killed at its end.
class TStartedProcesses {
  public:
    TStartedProcesses() = default;
    TStartedProcesses(const TStartedProcesses&) = delete;
    TStartedProcesses& operator=(const TStartedProcesses&) = delete;
    ~TStartedProcesses() {
        for (auto& Process : Processes) {
            Process->kill();
            Process->waitForFinished(5000);
        }
    }

    QProcess& Start(const QString& Program, const QStringList& Arguments) {
        auto& Process = Processes.emplace_back(std::make_unique<QProcess>());
        Process->setProcessChannelMode(QProcess::ForwardedChannels);
        Process->start(Program, Arguments);
        EXPECT_TRUE(Process->waitForStarted(10000)) << Program.toStdString();
        return *Process;
    }

    std::size_t Count() const { return Processes.size(); }

  private:
    std::vector<std::unique_ptr<QProcess>> Processes;
};

}  // namespace tulma::test
