#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "AppMessageHook.h"
#include "MessageList.h"

// The program's one message catalogue and the calls by which code shows its messages.
namespace tulma {

// The catalogue, or none before CreateMessageList and after FreeMessageList.
TMessageList* AppMessages();

// Makes Catalogue the program's catalogue (freeing any earlier one) and loads "stdmess<Number>.mes"
// from the program directory; a negative Number reads no file. From now on the persistence code
// shows its messages through this catalogue. Errors of a damaged file propagate to the caller, and
// the catalogue keeps the messages added before the error.
void CreateMessageList(std::unique_ptr<TMessageList> Catalogue, int32_t Number);

template <class TCatalogue = TMessageList>
void CreateMessageList(int32_t Number) {
    CreateMessageList(std::make_unique<TCatalogue>(), Number);
}

void FreeMessageList();

// Message ID; returns the button pressed (1 OK, 2 Cancel, 6 Yes, 7 No), 0 when the message is missing.
// Without a catalogue every message is missing.
int32_t ShowAppMessage(int32_t ID);
// Message ID with its %d and %s placeholders filled from Args.
int32_t ShowAppMessageFmt(int32_t ID, const TMessageArgs& Args);

// The message file of catalogue Number in Directory.
std::string MessageFileName(const std::string& Directory, int32_t Number);

// The numbers of the messages that the program shows.
namespace MessageNumber {
constexpr int32_t SaveChanges = 0;
constexpr int32_t NothingSelected = 8;
constexpr int32_t ConfirmDelete = 9;
constexpr int32_t RequiredField = 10;
constexpr int32_t MoveCombination = 11;
constexpr int32_t NameInUse = 27;
}  // namespace MessageNumber

}  // namespace tulma
