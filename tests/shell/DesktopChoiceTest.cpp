// The choice of backends in the real program, on a private session bus whose portal lists
// GlobalShortcuts but refuses every session, with an X display beside it.
#include <QProcess>
#include <QTest>

#include <cstdio>

#include "ScratchDir.h"
#include "XServerFixture.h"

using namespace tulma;

class DesktopChoiceTest : public QObject {
    Q_OBJECT

    QProcess Portal;
    test::ScratchDir Runtime;

    // Runs tulma with Arguments in a Wayland session of the test's bus, with the Extra variables; returns
    // its exit status.
    int RunTulma(const QStringList& Arguments, QByteArray& Out, QByteArray& Err,
                 const QStringList& Extra = {}) {
        QProcess Tulma;
        QProcessEnvironment Environment = QProcessEnvironment::systemEnvironment();
        for (const QString& Variable : Extra) {
            Environment.insert(Variable.section('=', 0, 0), Variable.section('=', 1));
        }
        Environment.insert("XDG_SESSION_TYPE", "wayland");
        Environment.insert("WAYLAND_DISPLAY", "wayland-none");
        Environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(Runtime.Path));
        Environment.insert("HOME", QString::fromStdString(Runtime.Path));
        Tulma.setProcessEnvironment(Environment);
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
    void initTestCase() {
        Portal.start(TULMA_REFUSING_PORTAL, {});
        QVERIFY(Portal.waitForReadyRead(30000));
        QCOMPARE(Portal.readLine().trimmed(), "ready");
    }

    void cleanupTestCase() {
        Portal.kill();
        Portal.waitForFinished();
    }

    void aPortalThatRefusesItsSessionGivesX11WithTheReason() {
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
        const QString Socket = QString::fromStdString(Runtime.Path) + "/sway-ipc.0.1.sock";
        QCOMPARE(RunTulma({"--desktop"}, Out, Err, {"SWAYSOCK=" + Socket, "XDG_CURRENT_DESKTOP=sway"}), 0);
        QVERIFY2(
            Out.contains("sway: does not serve (the sway socket " + Socket.toUtf8() + " does not answer)"),
            Out.constData());
        QVERIFY2(Out.contains("portal: does not serve (sway has no GlobalShortcuts portal"), Out.constData());
        QVERIFY2(!Out.contains("CreateSession"), Out.constData());
        QVERIFY2(Out.contains("hotkeys: x11"), Out.constData());
        QCOMPARE(RunTulma({"--hotkeys=sway"}, Out, Err, {"SWAYSOCK=" + Socket}), 1);
        QVERIFY2(Err.contains("tulma: --hotkeys=sway: the sway socket"), Err.constData());
    }

    void aForcedPortalThatRefusesEndsTheProgramWithTheReason() {
        QByteArray Out;
        QByteArray Err;
        QCOMPARE(RunTulma({"--hotkeys=portal"}, Out, Err), 1);
        QVERIFY2(Err.contains("tulma: --hotkeys=portal: the desktop portal refused global shortcuts: "
                              "CreateSession answered response 2"),
                 Err.constData());
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
    DesktopChoiceTest Test;
    return QTest::qExec(&Test, Argc, Argv);
}

#include "DesktopChoiceTest.moc"
