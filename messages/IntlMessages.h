#pragma once

#include <cstdint>
#include <string>

#include "IDList.h"
#include "LangMessages.h"

namespace tulma {

// Message captions and texts by language and number, kept in memory only. The program makes one at
// start-up and shows its boxes from the catalogue instead.
class TIntlMessages {
  public:
    void AddText(int32_t Language, int32_t ID, const std::string& Caption, const std::string& Text);
    // Empty when the language or the message is absent.
    std::string GetText(int32_t Language, int32_t ID);
    std::string GetCaption(int32_t Language, int32_t ID);

    TIDList& LangMessages() { return FLangMessages; }

  private:
    TIDList FLangMessages;
};

// The program's one table.
TIntlMessages& IntlMessages();

}  // namespace tulma
