#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "AppMessages.h"
#include "ClassRegistration.h"
#include "MessageFileFixture.h"
#include "ProgramDirectory.h"
#include "TempDir.h"

// The message file that ships with the program must hold the messages the program asks for, with
// the buttons their callers act on.
namespace tulma {
namespace {

using test::TRecordingBoxes;

class StandardMessageFileTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static const bool Registered = (RegisterAllClasses(), true);
        (void)Registered;
    }

    void SetUp() override {
#ifdef TULMA_BUILT_MESSAGE_FILE
        // The build puts stdmess0.mes beside every program, this test included.
        CreateMessageList(0);
#else
        // Without the build tool, the file is written here from the same source.
        test::WriteMessageFile(Directory.Path() / "stdmess0.mes", MessagesFromSource());
        CreateMessageList(-1);
        AppMessages()->LoadMessageFile(Directory.File("stdmess0.mes"));
#endif
    }
    void TearDown() override {
        FreeMessageList();
    }

#ifndef TULMA_BUILT_MESSAGE_FILE
    static std::vector<std::unique_ptr<TAppMessage>> MessagesFromSource() {
        const auto Source = nlohmann::json::parse(std::ifstream(TULMA_MESSAGE_SOURCE));
        EXPECT_EQ(Source.at("class"), "TIDList");
        std::vector<std::unique_ptr<TAppMessage>> Messages;
        for (const auto& Item : Source.at("Items")) {
            EXPECT_EQ(Item.at("class"), "TAppMessage");
            auto Message =
                test::MakeMessage(Item.at("ID"), Item.at("Name").at("Text"), Item.at("Text").at("Text"),
                                  Item.at("Flags"), Item.at("Caption").at("Text"));
            Message->Bemerkung().SetText(Item.at("Bemerkung").at("Text").get<std::string>());
            Messages.push_back(std::move(Message));
        }
        return Messages;
    }

    test::TempDir Directory;
#endif
    TRecordingBoxes Boxes;
};

TEST_F(StandardMessageFileTest, HoldsTheProgramsMessagesWithTheButtonsTheirCallersExpect) {
    EXPECT_TRUE(Boxes.Shown.empty()) << Boxes.Shown.front().Text;
    const std::vector<std::pair<int32_t, int32_t>> Expected = {
        {MessageNumber::SaveChanges, MessageBoxStyle::YesNoCancel},
        {MessageNumber::NothingSelected, MessageBoxStyle::Ok},
        {MessageNumber::ConfirmDelete, MessageBoxStyle::YesNo},
        {MessageNumber::RequiredField, MessageBoxStyle::Ok},
        {MessageNumber::MoveCombination, MessageBoxStyle::YesNo},
        {MessageNumber::NameInUse, MessageBoxStyle::Ok}};
    ASSERT_EQ(AppMessages()->Messages().Count(), 6);
    for (const auto& [Number, Buttons] : Expected) {
        const TAppMessage* Message = AppMessages()->GetMessage(Number);
        ASSERT_NE(Message, nullptr) << "message " << Number;
        EXPECT_EQ(Message->Style() & MessageBoxStyle::ButtonMask, Buttons) << "message " << Number;
        EXPECT_FALSE(Message->Text().GetText().empty()) << "message " << Number;
        EXPECT_FALSE(Message->Caption().GetText().empty()) << "message " << Number;
        EXPECT_FALSE(Message->Name().GetText().empty()) << "message " << Number;
    }
}

TEST_F(StandardMessageFileTest, NameInUseTakesTheClashingNameAsItsOnlyArgument) {
    const std::string& Text = AppMessages()->GetMessage(MessageNumber::NameInUse)->Text().GetText();
    EXPECT_EQ(Text.find("%s"), Text.rfind("%s"));
    EXPECT_EQ(Text.find("%d"), std::string::npos);
    ShowAppMessageFmt(MessageNumber::NameInUse, {std::string("Editor (2)")});
    ASSERT_FALSE(Boxes.Shown.empty());
    EXPECT_NE(Boxes.Shown.back().Text.find("Editor (2)"), std::string::npos);
    EXPECT_EQ(Boxes.Shown.back().Text.find('%'), std::string::npos);
}

}  // namespace
}  // namespace tulma
