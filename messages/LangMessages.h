#pragma once

#include <cstdint>
#include <string>

#include "IDList.h"
#include "LangMess.h"

namespace tulma {

// The messages of one language; ID is the language number. Memory only.
class TLangMessages : public TID {
  public:
    // Replaces the caption and text of message ID, adding the message when it is new.
    void AddText(int32_t ID, const std::string& Caption, const std::string& Text);
    // Empty when the message is absent.
    std::string GetText(int32_t ID);
    std::string GetCaption(int32_t ID);

    TIDList& Messages() { return FMessages; }

  private:
    TIDList FMessages;
};

}  // namespace tulma
