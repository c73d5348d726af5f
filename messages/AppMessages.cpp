#include "AppMessages.h"

#include <utility>

#include "ProgramDirectory.h"

namespace tulma {
namespace {

std::unique_ptr<TMessageList>& Catalogue() {
    static std::unique_ptr<TMessageList> Instance;
    return Instance;
}

// Answers for the catalogue while there is none: every message is missing.
TMessageList& EmptyCatalogue() {
    static TMessageList Empty;
    return Empty;
}

TMessageList& CurrentCatalogue() {
    TMessageList* Current = AppMessages();
    return Current == nullptr ? EmptyCatalogue() : *Current;
}

}  // namespace

TMessageList* AppMessages() {
    return Catalogue().get();
}

void CreateMessageList(std::unique_ptr<TMessageList> NewCatalogue, int32_t Number) {
    Catalogue() = std::move(NewCatalogue);
    SetAppMessageHook(ShowAppMessageFmt);
    if (Number >= 0) {
        Catalogue()->LoadMessageFile(MessageFileName(ProgramDirectory(), Number));
    }
}

void FreeMessageList() {
    SetAppMessageHook({});
    Catalogue().reset();
}

int32_t ShowAppMessage(int32_t ID) {
    return CurrentCatalogue().ShowMessageSimple(ID);
}

int32_t ShowAppMessageFmt(int32_t ID, const TMessageArgs& Args) {
    return CurrentCatalogue().ShowMessage(ID, Args);
}

std::string MessageFileName(const std::string& Directory, int32_t Number) {
    return AddFileName(Directory, "stdmess" + std::to_string(Number) + ".mes");
}

}  // namespace tulma
