#include "SwayConnection.h"

#include <QDir>
#include <QJsonArray>
#include <QSocketNotifier>

#include <chrono>
#include <cstdlib>

namespace tulma {
namespace {

constexpr std::chrono::milliseconds AnswerTime(2000);

std::string Variable(const char* Name) {
    const char* Value = std::getenv(Name);
    return Value != nullptr ? Value : "";
}

QJsonDocument TJson(const std::string& Payload) {
    return QJsonDocument::fromJson(
        QByteArray::fromRawData(Payload.data(), static_cast<qsizetype>(Payload.size())));
}

}  // namespace

std::string TSwayConnection::SessionSocketPath() {
    for (const char* Name : {"SWAYSOCK", "I3SOCK"}) {
        if (std::string Path = Variable(Name); !Path.empty()) {
            return Path;
        }
    }
    const std::string Runtime = Variable("XDG_RUNTIME_DIR");
    if (Runtime.empty()) {
        return {};
    }
    const QDir Folder(QString::fromStdString(Runtime));
    for (const QString& Name : Folder.entryList({"sway-ipc.*.sock"}, QDir::System, QDir::Time)) {
        const std::string Path = Folder.filePath(Name).toStdString();
        if (ConnectTo(Path).Valid()) {
            return Path;
        }
    }
    return {};
}

TBackendVerdict TSwayConnection::Prove() {
    const std::string Path = SessionSocketPath();
    if (Path.empty()) {
        return {false, "no sway IPC socket (SWAYSOCK, I3SOCK and the runtime folder's sway-ipc.*.sock)"};
    }
    try {
        TSwayConnection Connection(Path);
        const QJsonObject Version = Connection.Ask(SwayIpc::GetVersion).object();
        const std::string Name = Version.value("human_readable").toString().toStdString();
        if (Version.value("variant").toString() != "sway") {
            return {false, "the IPC socket " + Path + " is not sway's (" + Name + ")"};
        }
        return {true, "sway " + Name + " answers on " + Path};
    } catch (const ESwayIpc& Error) {
        return {false, Error.what()};
    }
}

TSwayConnection::TSwayConnection(const std::string& Path, QObject* Parent)
    : QObject(Parent), SocketPath(Path), Socket(ConnectTo(Path)) {
    if (Socket.Get() < 0) {
        throw ESwayIpc("the sway socket " + Path + " does not answer");
    }
}

TSwayConnection::~TSwayConnection() = default;

QJsonDocument TSwayConnection::Ask(std::uint32_t Type, const QByteArray& Payload) {
    if (!SendAll(Socket.Get(),
                 EncodeSwayIpc(Type, {Payload.constData(), static_cast<std::size_t>(Payload.size())}))) {
        throw ESwayIpc("sway closed its socket " + SocketPath);
    }
    const auto Deadline = std::chrono::steady_clock::now() + AnswerTime;
    while (true) {
        while (const auto Message = Decoder.Next()) {
            if (Message->Type == Type) {
                return TJson(Message->Payload);
            }
        }
        const auto Bytes = ReceiveSome(Socket.Get(), Deadline);
        if (!Bytes) {
            throw ESwayIpc("sway did not answer on " + SocketPath);
        }
        if (Bytes->empty()) {
            throw ESwayIpc("sway closed its socket " + SocketPath);
        }
        Decoder.Append(*Bytes);
    }
}

void TSwayConnection::Listen(const QStringList& Events) {
    const QJsonObject Reply =
        Ask(SwayIpc::Subscribe,
            QJsonDocument(QJsonArray::fromStringList(Events)).toJson(QJsonDocument::Compact))
            .object();
    if (!Reply.value("success").toBool()) {
        throw ESwayIpc("sway refused to report its events");
    }
    Readable = std::make_unique<QSocketNotifier>(Socket.Get(), QSocketNotifier::Read);
    connect(Readable.get(), &QSocketNotifier::activated, this, &TSwayConnection::ReadEvents);
}

void TSwayConnection::ReadEvents() {
    try {
        const auto Bytes = ReceiveSome(Socket.Get(), std::chrono::steady_clock::now());
        if (!Bytes) {
            return;
        }
        if (Bytes->empty()) {
            throw ESwayIpc("sway closed its socket");
        }
        Decoder.Append(*Bytes);
        while (const auto Message = Decoder.Next()) {
            if ((Message->Type & SwayIpc::EventBit) != 0) {
                emit Event(Message->Type, TJson(Message->Payload).object());
            }
        }
    } catch (const ESwayIpc& Error) {
        Readable->setEnabled(false);
        emit Lost(QString::fromUtf8(Error.what()));
    }
}

}  // namespace tulma
