// The sway backend against a stand-in for sway's socket: a key it refuses, and a sway that goes away
// (its socket closes, it says shutdown, or it sends what is not the protocol): the backend notices and says
// so.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "EventLoopWait.h"
#include "LocalSocket.h"
#include "SwayHotKeys.h"
#include "TempDir.h"

using namespace std::chrono_literals;

namespace tulma::test {
namespace {

namespace fs = std::filesystem;

QByteArray Reply(std::uint32_t Type, const std::string& Request) {
    switch (Type) {
        case SwayIpc::GetVersion:
            return R"({"variant":"sway","human_readable":"1.7","loaded_config_file_name":"/nowhere/config"})";
        case SwayIpc::GetConfig:
            return R"({"config":"bindsym Ctrl+Alt+u exec x"})";
        case SwayIpc::Subscribe:
            return R"({"success":true})";
        default: {
            // As sway: the key q is unknown here, and a list stops at a command it cannot parse.
            QJsonArray Results;
            for (std::size_t At = Request.find("bindsym"); At != std::string::npos;
                 At = Request.find("bindsym", At + 1)) {
                const std::string Command = Request.substr(At, Request.find(';', At) - At);
                if (Command.find("+q ") != std::string::npos) {
                    Results.append(QJsonObject{
                        {"success", false}, {"parse_error", true}, {"error", "Unknown key or button 'q'"}});
                    break;
                }
                Results.append(QJsonObject{{"success", true}});
            }
            return QJsonDocument(Results).toJson(QJsonDocument::Compact);
        }
    }
}

// Serves every connection on its own thread until Ending is set, then closes them all, having sent Parting
// first on the connection that subscribed.
class TStandInSway {
  public:
    std::atomic<bool> Ending = false;
    std::string Parting;

    explicit TStandInSway(const std::string& Path)
        : Listener(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        const auto Address = AddressOf(Path);
        bind(Listener.Get(), reinterpret_cast<const sockaddr*>(&*Address), sizeof(*Address));
        listen(Listener.Get(), 4);
        Server = std::thread([this] { Serve(); });
    }
    ~TStandInSway() {
        Ending = true;
        Server.join();
    }

  private:
    TFileDescriptor Listener;
    std::thread Server;

    void Serve() {
        std::vector<std::unique_ptr<TFileDescriptor>> Clients;
        std::vector<TSwayIpcDecoder> Decoders;
        std::vector<bool> Subscribed;
        while (!Ending) {
            std::vector<pollfd> Waits{{Listener.Get(), POLLIN, 0}};
            for (const auto& Client : Clients) {
                Waits.push_back({Client->Get(), POLLIN, 0});
            }
            poll(Waits.data(), Waits.size(), 20);
            if ((Waits[0].revents & POLLIN) != 0) {
                Clients.push_back(std::make_unique<TFileDescriptor>(
                    accept4(Listener.Get(), nullptr, nullptr, SOCK_CLOEXEC)));
                Decoders.emplace_back();
                Subscribed.push_back(false);
            }
            for (std::size_t I = 0; I + 1 < Waits.size(); ++I) {
                if ((Waits[I + 1].revents & POLLIN) == 0) {
                    continue;
                }
                const auto Bytes = ReceiveSome(Clients[I]->Get(), std::chrono::steady_clock::now());
                Decoders[I].Append(Bytes.value_or(""));
                while (const auto Message = Decoders[I].Next()) {
                    Subscribed[I] = Subscribed[I] || Message->Type == SwayIpc::Subscribe;
                    const QByteArray Body = Reply(Message->Type, Message->Payload);
                    SendAll(Clients[I]->Get(),
                            EncodeSwayIpc(Message->Type,
                                          {Body.constData(), static_cast<std::size_t>(Body.size())}));
                }
            }
        }
        for (std::size_t I = 0; I < Clients.size(); ++I) {
            if (Subscribed[I]) {
                SendAll(Clients[I]->Get(), Parting);
            }
        }
    }
};

class SwayStandIn : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        static int Argc = 1;
        static char Name[] = "test_sway_bytes";
        static char* Argv[] = {Name, nullptr};
        static QCoreApplication Application(Argc, Argv);
    }

    TempDir Folder;
    std::string Path = (fs::path(Folder.Path()) / "sway.sock").string();

    // The record of bindings goes there too, not to the user's state folder.
    void SetUp() override { setenv("XDG_STATE_HOME", Folder.Path().c_str(), 1); }
};

// A key that sway does not know is refused with sway's words; the requests after it in the same list
// are sent again and bound.
TEST_F(SwayStandIn, AKeySwayRefusesIsRefusedWithItsWordsAndTheRestAreBound) {
    TStandInSway Sway(Path);
    TSwayHotKeys Keys(Path);
    const THotKeyRegistration Registrations[] = {
        {1, MOD_CONTROL, 'K'}, {2, MOD_CONTROL, 'Q'}, {3, MOD_CONTROL, 'L'}};
    EXPECT_EQ(Keys.RegisterHotKeys(Registrations), (std::vector<bool>{true, false, true}));
    EXPECT_EQ(Keys.RefusalReason(2), "sway refused it: Unknown key or button 'q'");
    EXPECT_EQ(Keys.RefusalReason(3), "");
}

TEST_F(SwayStandIn, TheBackendNoticesThatSwayWentAwayAndSaysWhy) {
    const struct {
        const char* Case;
        std::string Parting;
        const char* Said;
    } Cases[] = {
        {"socket closed", "", "sway closed its socket"},
        {"shutdown event", EncodeSwayIpc(SwayIpc::ShutdownEvent, R"({"change":"exit"})"), "shutting down"},
        {"not the protocol", "HTTP/1.1 400", "not its protocol"},
    };
    for (const auto& Case : Cases) {
        fs::remove(Path);
        auto Sway = std::make_unique<TStandInSway>(Path);
        Sway->Parting = Case.Parting;
        TSwayHotKeys Keys(Path);
        bool Told = false;
        QObject::connect(&Keys, &TSwayHotKeys::TroubleChanged, [&] { Told = true; });
        EXPECT_TRUE(Keys.RegisterHotKey(1, MOD_CONTROL | MOD_ALT, 'K')) << Case.Case;
        EXPECT_FALSE(Keys.RegisterHotKey(2, MOD_CONTROL | MOD_ALT, 'U')) << Case.Case;
        Sway.reset();
        EXPECT_TRUE(WaitUntil([&] { return Told; }, 5s)) << Case.Case;
        EXPECT_NE(Keys.Trouble().find(Case.Said), std::string::npos) << Case.Case << ": " << Keys.Trouble();
        EXPECT_FALSE(Keys.RegisterHotKey(3, MOD_CONTROL | MOD_ALT, 'L')) << Case.Case;
    }
}

}  // namespace
}  // namespace tulma::test
