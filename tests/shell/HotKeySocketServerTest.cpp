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
#include "HotKeySocket.h"
#include "HotKeySocketServer.h"
#include "TempDir.h"

using namespace tulma;
using namespace tulma::test;

class HotKeySocketServerTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TempDir> Dir;
    std::vector<std::string> Asked;
    std::vector<std::string> Shown;
    std::vector<std::pair<std::int32_t, std::string>> RunById;

    std::unique_ptr<THotKeySocketServer> NewServer() {
        return std::make_unique<THotKeySocketServer>(
            [this](const std::string& Name) {
                Asked.push_back(Name);
                return Name == "Mail";
            },
            [this](const std::string& FileName) {
                Shown.push_back(FileName);
                return FileName.empty() || FileName == "/keys/work.tul";
            },
            [this](std::int32_t ID, const std::string& FileName) {
                RunById.emplace_back(ID, FileName);
                using enum THotKeySocketServer::TRunIdAnswer;
                return FileName != "/keys/work.tul" ? OtherFile : ID == 7 ? Ran : Unknown;
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

    // The identifier, not a name, picks the hotkey; a file path may hold spaces; malformed requests run
    // nothing.
    void idRequestRunsByIdentifierInTheFileInUse() {
        const auto Server = NewServer();
        const auto Line = [](std::int32_t ID, const std::string& File) {
            return QByteArray::fromStdString(*RunIdRequestLine(ID, File));
        };
        QCOMPARE(Ask(Line(7, "/keys/work.tul")), QByteArray(RanReply));
        QCOMPARE(Ask(Line(8, "/keys/work.tul")), QByteArray(UnknownReply));
        QCOMPARE(Ask(Line(7, "/keys/my work.tul")), QByteArray(OtherFileReply));
        QCOMPARE(Ask(QByteArray("\0run x7 /keys/work.tul\n", 23)), QByteArray(UnknownReply));
        QCOMPARE(Ask(QByteArray("\0run 7\n", 7)), QByteArray(UnknownReply));
        QCOMPARE(RunById, (std::vector<std::pair<std::int32_t, std::string>>{
                              {7, "/keys/work.tul"}, {8, "/keys/work.tul"}, {7, "/keys/my work.tul"}}));
        QVERIFY(!RunIdRequestLine(7, "/keys/a\nb.tul"));
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

QTEST_GUILESS_MAIN(HotKeySocketServerTest)
#include "HotKeySocketServerTest.moc"
