#pragma once

#include <QProcess>
#include <QProcessEnvironment>
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
    ~TStartedProcesses() { KillAll(); }

    QProcess& Start(const QString& Program, const QStringList& Arguments,
                    const QProcessEnvironment& Environment = QProcessEnvironment::systemEnvironment()) {
        auto& Process = Processes.emplace_back(std::make_unique<QProcess>());
        Process->setProcessChannelMode(QProcess::ForwardedChannels);
        Process->setProcessEnvironment(Environment);
        Process->start(Program, Arguments);
        EXPECT_TRUE(Process->waitForStarted(10000)) << Program.toStdString();
        return *Process;
    }

    std::size_t Count() const { return Processes.size(); }
    QProcess& First() { return *Processes.front(); }

    // Ends them now, for a test that must check what is left after its programs have gone.
    void KillAll() {
        for (auto& Process : Processes) {
            Process->kill();
            Process->waitForFinished(5000);
        }
        Processes.clear();
    }

  private:
    std::vector<std::unique_ptr<QProcess>> Processes;
};

}  // namespace tulma::test
