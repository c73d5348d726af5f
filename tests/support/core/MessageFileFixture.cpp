#include "MessageFileFixture.h"

#include "IDList.h"
#include "ObjectStream.h"

namespace tulma::test {

std::unique_ptr<TAppMessage> MakeMessage(int32_t ID, const std::string& Name, const std::string& Text,
                                         int32_t Flags, const std::string& Caption) {
    auto Message = std::make_unique<TAppMessage>();
    Message->ID = ID;
    Message->Name().SetText(Name);
    Message->Caption().SetText(Caption);
    Message->Text().SetText(Text);
    Message->Flags = Flags;
    return Message;
}

void WriteMessageFile(const std::filesystem::path& File, std::vector<std::unique_ptr<TAppMessage>> Messages) {
    TIDList List;
    for (auto& Message : Messages) {
        List.LastID = std::max(List.LastID, Message->ID);
        List.AppendAsStored(std::move(Message));
    }
    TObjectStream Stream(TObjectStream::GeneralSize);
    Stream.WriteObject(List);
    Stream.SaveToFile(File.string());
}

TRecordingBoxes::TRecordingBoxes(int32_t Answer) : Answer(Answer) {
    SetMessageBoxFunction([this](const std::string& Text, const std::string& Caption, int32_t Style) {
        Shown.push_back({Text, Caption, Style});
        return this->Answer;
    });
}

TRecordingBoxes::~TRecordingBoxes() {
    SetMessageBoxFunction({});
}

}  // namespace tulma::test
