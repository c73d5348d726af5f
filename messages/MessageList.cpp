#include "MessageList.h"

#include <filesystem>

#include "ClassRegistry.h"
#include "MessageBoxFunction.h"
#include "MessageFormat.h"
#include "ProgramTexts.h"

namespace tulma {
namespace {

constexpr int32_t FallbackStyle = MessageBoxStyle::Ok | MessageBoxStyle::IconExclamation;

std::string ClassNameOf(const TStreamableObject& Object) {
    const TRegistryEntry* Entry = ClassRegistry().GetEntryForID(Object.GetRegistrationCode(), false);
    return Entry == nullptr ? "class " + std::to_string(Object.GetRegistrationCode())
                            : Entry->ObjectClass.Name;
}

int32_t ShowNotFound(int32_t ID) {
    ShowMessageBox(ProgramText(TProgramText::MessageNotFound, {std::to_string(ID)}),
                   ProgramText(TProgramText::MessageCaption), FallbackStyle);
    return MessageBoxResult::None;
}

}  // namespace

TMessageList::TMessageList() = default;

TMessageList::~TMessageList() = default;

int32_t TMessageList::ShowMessageSimple(int32_t ID) {
    const TAppMessage* Message = GetMessage(ID);
    return Message == nullptr ? ShowNotFound(ID) : Message->ShowMessageSimple();
}

int32_t TMessageList::ShowMessage(int32_t ID, const TMessageArgs& Args) {
    const TAppMessage* Message = GetMessage(ID);
    return Message == nullptr ? ShowNotFound(ID) : Message->ShowMessage(Args);
}

void TMessageList::AddMessage(std::unique_ptr<TAppMessage> Message) {
    if (const TAppMessage* Present = GetMessage(Message->ID)) {
        const std::string Warning =
            FormatMessageText(ProgramText(TProgramText::DuplicateMessage),
                              {Message->ID, Message->Name().GetText(), Present->Name().GetText()});
        ShowMessageBox(Warning, ProgramText(TProgramText::MessageCaption), FallbackStyle);
        return;
    }
    FMessages.Add(std::move(Message));
}

void TMessageList::LoadMessageFile(const std::string& FileName) {
    std::error_code Ignored;
    if (!std::filesystem::exists(FileName, Ignored)) {
        ShowMessageBox("Messagefile not found!", "File not found", FallbackStyle);
        return;
    }
    const std::unique_ptr<TStreamableObject> Read =
        LoadObjectFromFile(TClassDescriptor::Of<TIDList>(), FileName);
    const auto* List = dynamic_cast<const TObjectList*>(Read.get());
    if (List == nullptr) {
        throw EReadError(FileName + ": the file holds a " + ClassNameOf(*Read) + ", not a list of messages");
    }
    for (int32_t I = 0; I < List->Count(); ++I) {
        AddMessage(OwnedAs<TAppMessage>(List->At(I)->CopyToNew()));
    }
}

}  // namespace tulma
