#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTest>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "FileDescriptor.h"
#include "HotKeyServer.h"
#include "HotKeySocket.h"
#include "TempDir.h"

using namespace tulma;
using namespace tulma::test;

class HotKeyServerTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TempDir> Dir;
    std::vector<std::string> Asked;
    std::vector<std::string> Shown;

    std::unique_ptr<THotKeyServer> NewServer() {
        return std::make_unique<THotKeyServer>(
            [this](const std::string& Name) {
                Asked.push_back(Name);
                return Name == "Mail";
            },
            [this](const std::string& FileName) {
                Shown.push_back(FileName);
                return FileName.empty() || FileName == "/keys/work.tul";
            });
    }

    static QByteArray ShowRequestFor(const QByteArray& FileName) {
        return QByteArray(ShowRequest, ShowRequestLength) + FileName + "\n";
    }

    // Sends Request and waits for the server to answer and hang up; the answer.
    static QByteArray Ask(const QByteArray& Request) {
        QLocalSocket Client;
        QSignalSpy Closed(&Client, &QLocalSocket::disconnected);
        Client.connectToServer(HotKeySocketName());
        if (!Client.waitForConnected(2000)) {
            return "not connected";
        }
        Client.write(Request);
        Closed.wait(5000);
        return Client.readAll();
    }

    // Leaves a socket file behind with nobody listening, as a crashed program does.
    static void LeaveStaleSocket() {
        const std::string Path = HotKeySocketName().toStdString();
        sockaddr_un Address{};
        Address.sun_family = AF_UNIX;
        std::strncpy(Address.sun_path, Path.c_str(), sizeof(Address.sun_path) - 1);
        const TFileDescriptor Socket(socket(AF_UNIX, SOCK_STREAM, 0));
        QVERIFY(bind(Socket.Get(), reinterpret_cast<const sockaddr*>(&Address), sizeof(Address)) == 0);
    }

  private slots:
    void init() {
        Dir = std::make_unique<TempDir>();
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(Dir->Path().string()));
        qputenv("DISPLAY", ":42");
        Asked.clear();
        Shown.clear();
    }

    void cleanup() { Dir.reset(); }

    void socketBelongsToTheUserAndTheDisplay() {
        const QString Name = HotKeySocketName();
        QVERIFY(Name.startsWith(QString::fromStdString(Dir->Path().string()) + "/tulma-"));
        QVERIFY(Name.endsWith(":42.socket"));
        qputenv("XDG_RUNTIME_DIR", "relative");
        QVERIFY(!HotKeySocketName().startsWith("relative"));
    }

    void requestRunsTheNamedHotKeyAndIsAnswered() {
        const auto Server = NewServer();
        QVERIFY(Server->Listening());
        QCOMPARE(Ask("Mail\n"), QByteArray(RanReply));
        QCOMPARE(Ask("Other\n"), QByteArray(UnknownReply));
        QCOMPARE(Ask("\n"), QByteArray(UnknownReply));
        QCOMPARE(Asked, std::vector<std::string>({"Mail", "Other", ""}));
    }

    void showRequestIsAnsweredByTheFileInUseAndRunsNothing() {
        const auto Server = NewServer();
        QCOMPARE(Ask(ShowRequestFor("")), QByteArray(ShownReply));
        QCOMPARE(Ask(ShowRequestFor("/keys/work.tul")), QByteArray(ShownReply));
        QCOMPARE(Ask(ShowRequestFor("/keys/other.tul")), QByteArray(OtherFileReply));
        QCOMPARE(Ask(QByteArray("\0other\n", 7)), QByteArray(UnknownReply));
        QCOMPARE(Shown, std::vector<std::string>({"", "/keys/work.tul", "/keys/other.tul"}));
        QVERIFY(Asked.empty());
    }

    void overlongRequestIsRefusedUnread() {
        const auto Server = NewServer();
        QCOMPARE(Ask(QByteArray(MaxRequestLength + 10, 'x')), QByteArray());
        QCOMPARE(Ask(QByteArray(MaxRequestLength + 10, 'x') + "\n"), QByteArray());
        QVERIFY(Asked.empty());
    }

    void staleSocketIsTakenOver() {
        LeaveStaleSocket();
        const auto Server = NewServer();
        QVERIFY(Server->Listening());
        QCOMPARE(Ask("Mail\n"), QByteArray(RanReply));
    }

    void secondServerLeavesTheFirstInCharge() {
        const auto First = NewServer();
        const auto Second = NewServer();
        QVERIFY(First->Listening());
        QVERIFY(!Second->Listening());
        QCOMPARE(Ask("Mail\n"), QByteArray(RanReply));
    }
};

QTEST_GUILESS_MAIN(HotKeyServerTest)
#include "HotKeyServerTest.moc"
