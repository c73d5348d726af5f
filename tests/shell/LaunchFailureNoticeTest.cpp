#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QProcess>
#include <QTest>

#include <cstdlib>
#include <memory>
#include <sstream>

#include "HotKeyCommand.h"
#include "HotTulma.h"
#include "LaunchFailureNotifier.h"
#include "PlatformFakes.h"
#include "ProbeRecord.h"
#include "QtTestMain.h"
#include "TempDir.h"
#include "X11Launcher.h"

using namespace tulma;

namespace {

std::unique_ptr<THotTulma> HotKeyStarting(const std::string& Name,
                                          const std::vector<std::pair<std::string, std::string>>& Commands) {
    auto HotKey = std::make_unique<THotTulma>();
    HotKey->Name = Name;
    for (const auto& [Exec, Parameters] : Commands) {
        auto Command = std::make_unique<THotKeyCommand>();
        Command->Exec = Exec;
        Command->Parameters = Parameters;
        HotKey->Commands().Add(std::move(Command));
    }
    return HotKey;
}

// What the recorder has been sent. The question travels on the connection that the notifications took,
// after them, so its answer counts every one of them.
QStringList Received() {
    const QDBusReply<QStringList> Reply = QDBusConnection::sessionBus().call(
        QDBusMessage::createMethodCall("org.freedesktop.Notifications", "/org/freedesktop/Notifications",
                                       "org.freedesktop.Notifications", "Received"));
    return Reply.isValid() ? Reply.value() : QStringList{"no answer: " + Reply.error().message()};
}

}  // namespace

// Runs on a private session bus (dbus-run-session), with or without a recording notification service.
class LaunchFailureNoticeTest : public QObject {
    Q_OBJECT

  private:
    std::chrono::steady_clock::time_point Now{};
    std::ostringstream Log;
    QStringList Balloons;
    std::unique_ptr<TLaunchFailureNotifier> Notifier;
    std::unique_ptr<TX11Launcher> ILauncher;
    std::unique_ptr<test::TempDir> Dir;
    test::FakeDesktopWindows Windows;
    QProcess Recorder;

    void Run(const THotTulma& HotKey) { HotKey.ExecuteHotKey(Windows, *ILauncher, *Notifier); }

  private slots:
    void init() {
        Log.str({});
        Balloons.clear();
        Notifier = std::make_unique<TLaunchFailureNotifier>(TNotificationDelivery::InBackground, Log,
                                                            [this] { return Now; });
        Notifier->SetFallback(
            [this](const QString& Summary, const QString& Body) { Balloons << Summary + '\n' + Body; });
        ILauncher = std::make_unique<TX11Launcher>(nullptr);
        Dir = std::make_unique<test::TempDir>();
    }

    void cleanup() {
        Recorder.kill();
        Recorder.waitForFinished();
    }

    void withoutNotificationServiceTheFallbackShowsIt() {
        const std::string Unrunnable = Dir->Write("unrunnable", "neither a program nor a script", true);
        Run(*HotKeyStarting("Broken", {{Unrunnable, ""}}));
        const QString Expected = "Hotkey \"Broken\" started nothing\n" + QString::fromStdString(Unrunnable) +
                                 ": cannot run it: Exec format error";
        QCOMPARE(Balloons, QStringList{Expected});
        QCOMPARE(QString::fromStdString(Log.str()), "tulma: " + QString(Expected).replace('\n', ": ") + '\n');
    }

    void missingProgramNotifiesOnceAndTheNextCommandRuns() {
        Recorder.start(TULMA_NOTIFICATION_RECORDER, {});
        QVERIFY(Recorder.waitForReadyRead(30000));
        QCOMPARE(Recorder.readLine().trimmed(), "ready");
        const std::string ProbeFile = Dir->File("probe");
        setenv("TULMA_PROBE_FILE", ProbeFile.c_str(), 1);
        const auto HotKey =
            HotKeyStarting("Editor", {{"/no/such/R&D-editor", ""}, {TULMA_ARGV_PROBE, "Don't panic"}});

        Run(*HotKey);
        Run(*HotKey);  // a repeated key, within the same second
        // The body may be read as markup.
        const QString Notice = "Hotkey \"Editor\" started nothing\n/no/such/R&amp;D-editor: file not found";
        QCOMPARE(Received(), QStringList{Notice});
        test::ProbeRecord Record;
        QVERIFY(QTest::qWaitFor([&] { return test::ProbeRecord::Read(ProbeFile, &Record); }, 30000));
        QCOMPARE(Record.Argv, (std::vector<std::string>{TULMA_ARGV_PROBE, "Don't", "panic"}));

        Now += std::chrono::seconds(1);
        Run(*HotKey);
        QCOMPARE(Received(), (QStringList{Notice, Notice}));
        QVERIFY(Balloons.isEmpty());
    }
};

TULMA_QTEST_MAIN(LaunchFailureNoticeTest)
#include "LaunchFailureNoticeTest.moc"
