#include "LangMessages.h"

#include <memory>

namespace tulma {

void TLangMessages::AddText(int32_t ID, const std::string& Caption, const std::string& Text) {
    TLangMess* Message = FMessages.GetAs<TLangMess>(ID);
    if (Message == nullptr) {
        auto Added = std::make_unique<TLangMess>();
        Added->ID = ID;
        Message = Added.get();
        FMessages.Add(std::move(Added));
    }
    Message->Caption = Caption;
    Message->Text = Text;
}

std::string TLangMessages::GetText(int32_t ID) {
    const TLangMess* Message = FMessages.GetAs<TLangMess>(ID);
    return Message == nullptr ? std::string() : Message->Text;
}

std::string TLangMessages::GetCaption(int32_t ID) {
    const TLangMess* Message = FMessages.GetAs<TLangMess>(ID);
    return Message == nullptr ? std::string() : Message->Caption;
}

}  // namespace tulma
