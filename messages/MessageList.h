#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "AppMessage.h"
#include "AppMessageHook.h"
#include "IDList.h"

namespace tulma {

// The message catalogue: numbered messages read from a message file and shown on request. A number
// that the catalogue lacks shows a built-in "not found" box and yields 0.
class TMessageList {
  public:
    TMessageList();
    virtual ~TMessageList();
    TMessageList(const TMessageList&) = delete;
    TMessageList& operator=(const TMessageList&) = delete;

    // Message ID as stored; returns the button pressed, 0 when the message is missing.
    virtual int32_t ShowMessageSimple(int32_t ID);
    // Message ID with its text formatted with Args.
    virtual int32_t ShowMessage(int32_t ID, const TMessageArgs& Args);

    // Adds Message under its number; a number already taken keeps its first message, and the
    // newcomer is reported and discarded.
    void AddMessage(std::unique_ptr<TAppMessage> Message);
    // Adds every message of the file. A missing file is reported in a box and leaves the catalogue as
    // it is. A damaged file, a file that does not hold a list, or an item that is not a message raises
    // its error; the messages added before it stay.
    void LoadMessageFile(const std::string& FileName);

    TIDList& Messages() { return FMessages; }
    TAppMessage* GetMessage(int32_t ID) { return FMessages.GetAs<TAppMessage>(ID); }

  private:
    TIDList FMessages;
};

}  // namespace tulma
