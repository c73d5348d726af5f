#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "AppMessage.h"
#include "MessageBoxFunction.h"

namespace tulma::test {

// A message with the given fields; the texts are plain for brevity.
std::unique_ptr<TAppMessage> MakeMessage(int32_t ID, const std::string& Name, const std::string& Text,
                                         int32_t Flags = 0, const std::string& Caption = "Tulma");

// Writes Messages, in the order given, as a message file.
void WriteMessageFile(const std::filesystem::path& File, std::vector<std::unique_ptr<TAppMessage>> Messages);

// Records every box instead of showing it and answers with Answer; installed for its lifetime.
class TRecordingBoxes {
  public:
    struct TBox {
        std::string Text;
        std::string Caption;
        int32_t Style = 0;
    };

    explicit TRecordingBoxes(int32_t Answer = MessageBoxResult::Ok);
    ~TRecordingBoxes();
    TRecordingBoxes(const TRecordingBoxes&) = delete;
    TRecordingBoxes& operator=(const TRecordingBoxes&) = delete;

    std::vector<TBox> Shown;
    int32_t Answer;
};

}  // namespace tulma::test
