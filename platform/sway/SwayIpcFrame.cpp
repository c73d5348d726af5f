#include "SwayIpcFrame.h"

#include <algorithm>
#include <cstring>

namespace tulma {
namespace {

constexpr std::string_view Magic = "i3-ipc";

std::uint32_t ReadNumber(const std::string& Bytes, std::size_t At) {
    std::uint32_t Value = 0;
    std::memcpy(&Value, Bytes.data() + At, sizeof Value);
    return Value;
}

void AppendNumber(std::string& Bytes, std::uint32_t Value) {
    char Raw[sizeof Value];
    std::memcpy(Raw, &Value, sizeof Value);
    Bytes.append(Raw, sizeof Value);
}

}  // namespace

std::string EncodeSwayIpc(std::uint32_t Type, std::string_view Payload) {
    std::string Bytes(Magic);
    AppendNumber(Bytes, static_cast<std::uint32_t>(Payload.size()));
    AppendNumber(Bytes, Type);
    Bytes.append(Payload);
    return Bytes;
}

std::optional<TSwayIpcMessage> TSwayIpcDecoder::Next() {
    // A wrong start is told as soon as it can be seen, not when a whole header has come.
    const std::size_t Seen = std::min(Buffer.size(), Magic.size());
    if (Buffer.compare(0, Seen, Magic.substr(0, Seen)) != 0) {
        throw ESwayIpc("the sway socket sent bytes that are not its protocol");
    }
    if (Buffer.size() < SwayIpc::HeaderBytes) {
        return std::nullopt;
    }
    const std::uint32_t Length = ReadNumber(Buffer, Magic.size());
    if (Length > SwayIpc::MaxPayloadBytes) {
        throw ESwayIpc("the sway socket announced a message of " + std::to_string(Length) + " bytes");
    }
    if (Buffer.size() - SwayIpc::HeaderBytes < Length) {
        return std::nullopt;
    }
    TSwayIpcMessage Message{ReadNumber(Buffer, Magic.size() + 4),
                            Buffer.substr(SwayIpc::HeaderBytes, Length)};
    Buffer.erase(0, SwayIpc::HeaderBytes + Length);
    return Message;
}

}  // namespace tulma
