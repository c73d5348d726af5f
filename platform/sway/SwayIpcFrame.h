#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tulma {

// The message types of sway's IPC socket (i3's protocol) that Tulma sends; replies carry the same type.
namespace SwayIpc {
constexpr std::uint32_t RunCommand = 0;
constexpr std::uint32_t Subscribe = 2;
constexpr std::uint32_t GetTree = 4;
constexpr std::uint32_t GetVersion = 7;
constexpr std::uint32_t GetConfig = 9;
// Events have the top bit set; the rest is the event's number.
constexpr std::uint32_t EventBit = 0x80000000U;
constexpr std::uint32_t WorkspaceEvent = EventBit | 0;
constexpr std::uint32_t ShutdownEvent = EventBit | 6;
constexpr std::uint32_t BindingEvent = EventBit | 5;
// "i3-ipc", the payload's length and the type, both in the machine's byte order.
constexpr std::size_t HeaderBytes = 14;
// No reply of a desktop comes near this (a tree of a thousand windows is a few megabytes); a length
// beyond it is a stream out of step, not a message.
constexpr std::uint32_t MaxPayloadBytes = 64U << 20U;
}  // namespace SwayIpc

// Bytes on the socket that are no message of the protocol.
class ESwayIpc : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct TSwayIpcMessage {
    std::uint32_t Type = 0;
    std::string Payload;
};

// One message as it goes on the socket.
std::string EncodeSwayIpc(std::uint32_t Type, std::string_view Payload);

// Cuts the byte stream of a socket into messages. Throws ESwayIpc on a header that is not the
// protocol's or announces more than MaxPayloadBytes; what it holds is bounded by that.
class TSwayIpcDecoder {
  public:
    void Append(std::string_view Bytes) { Buffer.append(Bytes); }
    // The next whole message, if one has arrived.
    std::optional<TSwayIpcMessage> Next();

  private:
    std::string Buffer;
};

}  // namespace tulma
