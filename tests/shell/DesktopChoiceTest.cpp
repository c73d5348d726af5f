// The choice of backends in the real program, on a private session bus whose portal lists
// GlobalShortcuts but does not serve it, with an X display beside it.
#include <QProcess>
#include <QTest>

#include <cstdio>
#include <filesystem>

#include "ClassRegistration.h"
#include "ShellTestSupport.h"
#include "TempDir.h"
#include "XServerFixture.h"

using namespace tulma;

class DesktopChoiceTest : public QObject {
    Q_OBJECT

  public:
    explicit DesktopChoiceTest(test::XServerFixture& Display) : Display(Display) {}

  private:
    test::XServerFixture& Display;
    QProcess Portal;
    test::TempDir Runtime;

    void StartPortal(const QString& Mode) {
        Portal.start(TULMA_FAKE_PORTAL, {Mode});
        QVERIFY(Portal.waitForReadyRead(30000));
        QCOMPARE(Portal.readLine().trimmed(), "ready");
    }

    // Tulma in a Wayland session of the test's bus, without an X display when asked.
    void Prepare(QProcess& Tulma, bool WithX, const QStringList& Extra = {}) {
        QProcessEnvironment Environment = QProcessEnvironment::systemEnvironment();
        if (!WithX) {
            Environment.remove("DISPLAY");
        }
        for (const QString& Variable : Extra) {
            Environment.insert(Variable.section('=', 0, 0), Variable.section('=', 1));
        }
        Environment.insert("TULMA_PROBE_FILE", QString::fromStdString(Runtime.File("probe")));
        Environment.insert("XDG_SESSION_TYPE", "wayland");
        Environment.insert("WAYLAND_DISPLAY", "wayland-none");
        Environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(Runtime.Path().string()));
        Environment.insert("HOME", QString::fromStdString(Runtime.Path().string()));
        Tulma.setProcessEnvironment(Environment);
    }

    // Runs tulma with Arguments and the Extra variables; returns its exit status.
    int RunTulma(const QStringList& Arguments, QByteArray& Out, QByteArray& Err, bool WithX = true,
                 const QStringList& Extra = {}) {
        QProcess Tulma;
        Prepare(Tulma, WithX, Extra);
        Tulma.start(TULMA_PROGRAM, Arguments);
        if (!Tulma.waitForFinished(30000)) {
            Tulma.kill();
            Tulma.waitForFinished();
        }
        Out = Tulma.readAllStandardOutput();
        Err = Tulma.readAllStandardError();
        return Tulma.exitCode();
    }

  private slots:
    void initTestCase() { RegisterAllClasses(); }

    void cleanup() {
        Portal.kill();
        Portal.waitForFinished();
    }

    void aPortalThatRefusesItsSessionGivesX11WithTheReason() {
        StartPortal("refuse");
        QByteArray Out;
        QByteArray Err;
        QCOMPARE(RunTulma({"--desktop"}, Out, Err), 0);
        const QByteArray Refused =
            "the desktop portal refused global shortcuts: CreateSession answered response 2";
        QVERIFY2(Out.contains("session: wayland"), Out.constData());
        QVERIFY2(Out.contains("portal: does not serve (" + Refused + ")"), Out.constData());
        QVERIFY2(Out.contains("x11: serves"), Out.constData());
        QVERIFY2(Out.contains("hotkeys: x11 (" + Refused + ")"), Out.constData());
        QVERIFY2(Out.contains("windows: x11"), Out.constData());
    }

    // Under sway a portal that lists GlobalShortcuts serves another desktop: it is not asked for a session;
    // a sway whose socket does not answer is named with the socket.
    void underSwayThePortalIsNotTrustedAndADeadSocketIsNamed() {
        QByteArray Out;
        QByteArray Err;
        const QString Socket = QString::fromStdString(Runtime.Path().string()) + "/sway-ipc.0.1.sock";
        QCOMPARE(RunTulma({"--desktop"}, Out, Err, true, {"SWAYSOCK=" + Socket, "XDG_CURRENT_DESKTOP=sway"}),
                 0);
        QVERIFY2(
            Out.contains("sway: does not serve (the sway socket " + Socket.toUtf8() + " does not answer)"),
            Out.constData());
        QVERIFY2(Out.contains("portal: does not serve (sway has no GlobalShortcuts portal"), Out.constData());
        QVERIFY2(!Out.contains("CreateSession"), Out.constData());
        QVERIFY2(Out.contains("hotkeys: x11"), Out.constData());
        QCOMPARE(RunTulma({"--hotkeys=sway"}, Out, Err, true, {"SWAYSOCK=" + Socket}), 1);
        QVERIFY2(Err.contains("tulma: --hotkeys=sway: the sway socket"), Err.constData());
    }

    void aForcedPortalThatRefusesEndsTheProgramWithTheReason() {
        StartPortal("refuse");
        QByteArray Out;
        QByteArray Err;
        QCOMPARE(RunTulma({"--hotkeys=portal"}, Out, Err), 1);
        QVERIFY2(Err.contains("tulma: --hotkeys=portal: the desktop portal refused global shortcuts: "
                              "CreateSession answered response 2"),
                 Err.constData());
    }

    // Without any X display a hotkey still runs, unless it looks for a window, which nothing could list.
    void runWithoutAnXDisplayStartsProgramsAndRefusesWindowSearches() {
        StartPortal("refuse");
        const std::string File = Runtime.File("keys.tul");
        test::WriteHotKeyFile(File, {{"Probe", 0x0641, TULMA_ARGV_PROBE, "started"},
                                     {"Raise", 0x0642, TULMA_ARGV_PROBE, "started", "Editor"}});
        QByteArray Out;
        QByteArray Err;
        QCOMPARE(RunTulma({"--run", "Raise", QString::fromStdString(File)}, Out, Err, false), 1);
        QVERIFY2(Err.contains(
                     "hotkey \"Raise\" looks for the window \"Editor\", and no window list can be read "
                     "here (KWin's scripting interface is not on the session bus; GNOME Shell is not on the "
                     "session bus; no X display (DISPLAY is not set)): nothing was run"),
                 Err.constData());
        QVERIFY(!std::filesystem::exists(Runtime.File("probe")));
        QCOMPARE(RunTulma({"--run", "Probe", QString::fromStdString(File)}, Out, Err, false), 0);
        QTRY_VERIFY(std::filesystem::exists(Runtime.File("probe")));
    }

    void theProgramsHotKeysGoToX11WithTheReasonWhenThePortalDoesNotServe_data() {
        QTest::addColumn<QString>("Portal");
        QTest::addColumn<QString>("Logged");
        QTest::newRow("refusing at start") << "refuse"
                                           << "hotkeys through X11 because the desktop portal refused global "
                                              "shortcuts: CreateSession answered "
                                              "response 2";
        // One that serves at first and closes its session later hands the hotkeys over.
        QTest::newRow("closing later") << "close"
                                       << "hotkeys through X11 from now on because the desktop portal closed "
                                          "the global shortcuts session";
    }

    void theProgramsHotKeysGoToX11WithTheReasonWhenThePortalDoesNotServe() {
        QFETCH(QString, Portal);
        QFETCH(QString, Logged);
        StartPortal(Portal);
        const std::string File = Runtime.File("keys.tul");
        const std::string Touched = Runtime.File("pressed");
        test::WriteHotKeyFile(File, {{"Touch", 0xC000 | 'K', "/usr/bin/touch", Touched}});
        QProcess Tulma;
        Prepare(Tulma, true);
        Tulma.start(TULMA_PROGRAM, {QString::fromStdString(File)});
        QByteArray Err;
        QTRY_VERIFY_WITH_TIMEOUT((Err += Tulma.readAllStandardError()).contains(Logged.toUtf8()), 20000);
        test::FakeKeyboard Keys(Display.Connection());
        for (int Attempt = 0; Attempt < 50 && !std::filesystem::exists(Touched); ++Attempt) {
            Keys.Chord({test::Keys::Control, test::Keys::Alt, 'k'});
            xcb_flush(Display.Connection());
            QTest::qWait(200);
        }
        QVERIFY(std::filesystem::exists(Touched));
        Tulma.terminate();
        QVERIFY(Tulma.waitForFinished(10000));
        QCOMPARE(Tulma.exitCode(), 0);
    }
};

int main(int Argc, char** Argv) {
    if (!test::XServerFixture::XvfbInstalled()) {
        std::puts("SKIP: Xvfb is not installed");
        return 0;
    }
    test::XServerFixture Display;
    Display.Start(false);
    QCoreApplication Application(Argc, Argv);
    DesktopChoiceTest Test(Display);
    return QTest::qExec(&Test, Argc, Argv);
}

#include "DesktopChoiceTest.moc"
