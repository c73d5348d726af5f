// The framing of sway's IPC socket on bytes as they may arrive: whole, in pieces, several at once, or
// wrong.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SwayIpcFrame.h"

namespace tulma::test {
namespace {

std::string Header(std::string_view Magic, std::uint32_t Length, std::uint32_t Type) {
    std::string Bytes(Magic);
    Bytes.append(reinterpret_cast<const char*>(&Length), sizeof Length);
    Bytes.append(reinterpret_cast<const char*>(&Type), sizeof Type);
    return Bytes;
}

// Feeds Bytes in pieces of Piece bytes and collects every message, or the error.
std::vector<std::string> Decoded(const std::string& Bytes, std::size_t Piece) {
    TSwayIpcDecoder Decoder;
    std::vector<std::string> Found;
    try {
        for (std::size_t At = 0; At < Bytes.size(); At += Piece) {
            Decoder.Append(std::string_view(Bytes).substr(At, Piece));
            while (const auto Message = Decoder.Next()) {
                Found.push_back(std::to_string(Message->Type) + ":" + Message->Payload);
            }
        }
    } catch (const ESwayIpc&) {
        Found.push_back("error");
    }
    return Found;
}

TEST(SwayIpcFrame, MessagesComeWholeHoweverTheBytesArrive) {
    const std::string Two =
        EncodeSwayIpc(7, R"({"variant":"sway"})") + EncodeSwayIpc(SwayIpc::BindingEvent, "{}");
    const std::vector<std::string> Expected{"7:{\"variant\":\"sway\"}",
                                            std::to_string(SwayIpc::BindingEvent) + ":{}"};
    for (const std::size_t Piece : {std::size_t{1}, std::size_t{5}, std::size_t{14}, Two.size()}) {
        EXPECT_EQ(Decoded(Two, Piece), Expected) << "pieces of " << Piece;
    }
    EXPECT_EQ(Decoded(EncodeSwayIpc(0, ""), 3), std::vector<std::string>{"0:"});
}

TEST(SwayIpcFrame, BytesThatAreNotTheProtocolAreRefusedWithoutWaitingOrAllocating) {
    const struct {
        const char* Case;
        std::string Bytes;
        std::vector<std::string> Expected;
    } Cases[] = {
        {"wrong magic", Header("i3-ipx", 2, 0) + "{}", {"error"}},
        {"wrong first byte, told at once", "x", {"error"}},
        {"length beyond the limit", Header("i3-ipc", SwayIpc::MaxPayloadBytes + 1, 0), {"error"}},
        {"largest length, not yet arrived", Header("i3-ipc", 0xFFFFFFFFU, 4), {"error"}},
        {"a header cut short", Header("i3-ipc", 2, 0).substr(0, 9), {}},
        {"a payload cut short", Header("i3-ipc", 10, 0) + "{}", {}},
        {"garbage after a message", EncodeSwayIpc(4, "[]") + "junk", {"4:[]", "error"}},
    };
    for (const auto& Case : Cases) {
        EXPECT_EQ(Decoded(Case.Bytes, 1), Case.Expected) << Case.Case;
    }
}

}  // namespace
}  // namespace tulma::test
