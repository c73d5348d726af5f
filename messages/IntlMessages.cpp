#include "IntlMessages.h"

#include <memory>

namespace tulma {

void TIntlMessages::AddText(int32_t Language, int32_t ID, const std::string& Caption,
                            const std::string& Text) {
    TLangMessages* Messages = FLangMessages.GetAs<TLangMessages>(Language);
    if (Messages == nullptr) {
        auto Added = std::make_unique<TLangMessages>();
        Added->ID = Language;
        Messages = Added.get();
        FLangMessages.Add(std::move(Added));
    }
    Messages->AddText(ID, Caption, Text);
}

std::string TIntlMessages::GetText(int32_t Language, int32_t ID) {
    TLangMessages* Messages = FLangMessages.GetAs<TLangMessages>(Language);
    return Messages == nullptr ? std::string() : Messages->GetText(ID);
}

std::string TIntlMessages::GetCaption(int32_t Language, int32_t ID) {
    TLangMessages* Messages = FLangMessages.GetAs<TLangMessages>(Language);
    return Messages == nullptr ? std::string() : Messages->GetCaption(ID);
}

TIntlMessages& IntlMessages() {
    static TIntlMessages Table;
    return Table;
}

}  // namespace tulma
