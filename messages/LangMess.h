#pragma once

#include <string>

#include "ID.h"

namespace tulma {

// The caption and text of one message in one language; ID is the message number. Memory only.
class TLangMess : public TID {
  public:
    std::string Caption;
    std::string Text;
};

}  // namespace tulma
