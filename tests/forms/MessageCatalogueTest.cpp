#include <gtest/gtest.h>

#include <fstream>

#include "AppMessages.h"
#include "ClassRegistration.h"
#include "IntlMessages.h"
#include "MessageFileFixture.h"
#include "MessageFormat.h"
#include "ObjectStream.h"
#include "ProgramDirectory.h"
#include "TempDir.h"

namespace tulma {
namespace {

using test::MakeMessage;
using test::TempDir;
using test::TRecordingBoxes;
using test::WriteMessageFile;

constexpr int32_t Exclamation = MessageBoxStyle::Ok | MessageBoxStyle::IconExclamation;

class MessageCatalogueTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static const bool Registered = (RegisterAllClasses(), true);
        (void)Registered;
    }
    void TearDown() override { FreeMessageList(); }

    TRecordingBoxes Boxes;
    TempDir Directory;
    TMessageList Catalogue;
};

std::vector<uint8_t> Bytes(std::initializer_list<int> Values) {
    return {Values.begin(), Values.end()};
}

TEST_F(MessageCatalogueTest, MessageLayoutPutsFlagsBetweenTextAndRemark) {
    auto Message = MakeMessage(9, "Del", "T", 0x24, "C");
    TObjectStream Stream(0);
    Message->Store(Stream);
    EXPECT_EQ(Stream.Bytes(), Bytes({0x09, 0,    0, 0, 0x64, 0, 0, 0,                 // ID, version 100
                                     0xE8, 0x03, 0, 0, 3,    0, 0, 0, 'D', 'e', 'l',  // Name
                                     0xE8, 0x03, 0, 0, 1,    0, 0, 0, 'C',            // Caption
                                     0xE8, 0x03, 0, 0, 1,    0, 0, 0, 'T',            // Text
                                     0x24, 0,    0, 0,                                // Flags
                                     0xE8, 0x03, 0, 0, 0,    0, 0, 0}));              // Bemerkung

    Message->Bemerkung().SetText("for translators");
    TObjectStream Written(0);
    Written.WriteObject(*Message);
    TObjectStream Reading(0);
    Reading.LoadFromBytes(Written.Bytes());
    const auto Read = Reading.ReadObjectOf<TAppMessage>();
    EXPECT_EQ(Reading.Remaining(), 0);
    EXPECT_EQ(Read->ID, 9);
    EXPECT_EQ(Read->Name().GetText(), "Del");
    EXPECT_EQ(Read->Caption().GetText(), "C");
    EXPECT_EQ(Read->Text().GetText(), "T");
    EXPECT_EQ(Read->Flags, 0x24);
    EXPECT_EQ(Read->Bemerkung().GetText(), "for translators");
}

TEST_F(MessageCatalogueTest, CopyKeepsTheDestinationsTextObjects) {
    const auto Source = MakeMessage(4, "Four", "Text %s", 0x30, "Caption");
    TAppMessage Dest;
    const TText* DestName = &Dest.Name();
    Source->CopyTo(Dest);
    EXPECT_EQ(&Dest.Name(), DestName);
    EXPECT_EQ(Dest.ID, 4);
    EXPECT_EQ(Dest.Name().GetText(), "Four");
    EXPECT_EQ(Dest.Text().GetText(), "Text %s");
    EXPECT_EQ(Dest.Caption().GetText(), "Caption");
    EXPECT_EQ(Dest.Flags, 0x30);

    TSimpleListEntry Other;
    EXPECT_THROW(Source->CopyTo(Other), EInvalidCast);
    const auto Copy = Source->CopyToNew();
    EXPECT_NE(dynamic_cast<TAppMessage*>(Copy.get()), nullptr);
}

TEST_F(MessageCatalogueTest, DescriptionShowsNumberAndNameButSortsByNumber) {
    const auto Save = MakeMessage(0, "Save", "");
    EXPECT_EQ(Save->GetDescription(TListEntry::DisplayKind), "0: Save");
    EXPECT_EQ(Save->GetDescription(TListEntry::SortKind), "10000");
    EXPECT_EQ(MakeMessage(27, "NameInUse", "")->GetDescription(TListEntry::SortKind), "10027");
    EXPECT_EQ(MakeMessage(27, "NameInUse", "")->GetDescription(5), "10027");
}

TEST_F(MessageCatalogueTest, MissingNumberShowsTheNotFoundBoxAndYieldsZero) {
    Catalogue.AddMessage(MakeMessage(9, "Delete", "Delete?", MessageBoxStyle::YesNo));
    Boxes.Answer = MessageBoxResult::Ok;
    EXPECT_EQ(Catalogue.ShowMessageSimple(12), 0);
    EXPECT_EQ(Catalogue.ShowMessage(13, {1}), 0);
    ASSERT_EQ(Boxes.Shown.size(), 2u);
    EXPECT_EQ(Boxes.Shown[0].Text, "Meldung 12 nicht gefunden.");
    EXPECT_EQ(Boxes.Shown[0].Caption, "Meldung");
    EXPECT_EQ(Boxes.Shown[0].Style, 48);
    EXPECT_EQ(Boxes.Shown[1].Text, "Meldung 13 nicht gefunden.");
}

TEST_F(MessageCatalogueTest, FoundMessageShowsItsBoxAndReturnsTheButton) {
    Catalogue.AddMessage(
        MakeMessage(9, "Delete", "Delete it?", 0x7FFF0000 | MessageBoxStyle::YesNo, "Tulma"));
    Boxes.Answer = MessageBoxResult::Yes;
    EXPECT_EQ(Catalogue.ShowMessageSimple(9), MessageBoxResult::Yes);
    ASSERT_EQ(Boxes.Shown.size(), 1u);
    EXPECT_EQ(Boxes.Shown[0].Text, "Delete it?");
    EXPECT_EQ(Boxes.Shown[0].Caption, "Tulma");
    EXPECT_EQ(Boxes.Shown[0].Style, MessageBoxStyle::YesNo);
}

TEST_F(MessageCatalogueTest, DuplicateNumberIsReportedAndTheFirstMessageStays) {
    std::vector<std::unique_ptr<TAppMessage>> Messages;
    Messages.push_back(MakeMessage(9, "First", "first"));
    Messages.push_back(MakeMessage(9, "Second", "second"));
    Messages.push_back(MakeMessage(10, "Ten", "ten"));
    WriteMessageFile(Directory.Path() / "dup.mes", std::move(Messages));

    Catalogue.LoadMessageFile(Directory.File("dup.mes"));
    ASSERT_EQ(Boxes.Shown.size(), 1u);
    EXPECT_EQ(Boxes.Shown[0].Text,
              "Mess-ID 9 wird von Meldung Second angefordert und bereits von Meldung First verwendet.");
    EXPECT_EQ(Boxes.Shown[0].Caption, "Meldung");
    EXPECT_EQ(Boxes.Shown[0].Style, 48);
    EXPECT_EQ(Catalogue.Messages().Count(), 2);
    EXPECT_EQ(Catalogue.GetMessage(9)->Text().GetText(), "first");
    EXPECT_EQ(Catalogue.GetMessage(10)->Text().GetText(), "ten");
}

TEST_F(MessageCatalogueTest, MissingFileIsReportedOnceAndLeavesTheCatalogueEmpty) {
    Catalogue.LoadMessageFile(Directory.File("stdmess0.mes"));
    ASSERT_EQ(Boxes.Shown.size(), 1u);
    EXPECT_EQ(Boxes.Shown[0].Text, "Messagefile not found!");
    EXPECT_EQ(Boxes.Shown[0].Caption, "File not found");
    EXPECT_EQ(Boxes.Shown[0].Style, 48);
    EXPECT_EQ(Catalogue.Messages().Count(), 0);
}

TEST_F(MessageCatalogueTest, NegativeCatalogueNumberReadsNoFile) {
    CreateMessageList(-1);
    ASSERT_NE(AppMessages(), nullptr);
    EXPECT_EQ(AppMessages()->Messages().Count(), 0);
    EXPECT_TRUE(Boxes.Shown.empty());

    // A number without a file beside the program is looked for there and reported.
    CreateMessageList(4711);
    ASSERT_EQ(Boxes.Shown.size(), 1u);
    EXPECT_EQ(Boxes.Shown[0].Text, "Messagefile not found!");
}

TEST_F(MessageCatalogueTest, AppMessagesFormatPlaceholdersAndServeThePersistenceCode) {
    CreateMessageList(-1);
    AppMessages()->AddMessage(
        MakeMessage(27, "NameInUse", "The name \"%s\" is already in use.", Exclamation));
    Boxes.Answer = MessageBoxResult::Ok;
    EXPECT_EQ(ShowAppMessageFmt(27, {std::string("abc")}), MessageBoxResult::Ok);
    ASSERT_EQ(Boxes.Shown.size(), 1u);
    EXPECT_EQ(Boxes.Shown[0].Text, "The name \"abc\" is already in use.");

    EXPECT_EQ(ShowHookedAppMessage(27, {std::string("Editor")}), MessageBoxResult::Ok);
    ASSERT_EQ(Boxes.Shown.size(), 2u);
    EXPECT_EQ(Boxes.Shown[1].Text, "The name \"Editor\" is already in use.");

    FreeMessageList();
    EXPECT_EQ(AppMessages(), nullptr);
    EXPECT_EQ(ShowHookedAppMessage(27, {std::string("x")}), 0);
    EXPECT_EQ(Boxes.Shown.size(), 2u);
    EXPECT_EQ(ShowAppMessage(27), 0);
    ASSERT_EQ(Boxes.Shown.size(), 3u);
    EXPECT_EQ(Boxes.Shown[2].Text, "Meldung 27 nicht gefunden.");
}

TEST(MessageFormatTest, FillsPlaceholdersInOrderAndLeavesMismatchesVisible) {
    EXPECT_EQ(FormatMessageText("%d of %s", {3, std::string("five")}), "3 of five");
    EXPECT_EQ(FormatMessageText("100%% %s", {std::string("sure")}), "100% sure");
    EXPECT_EQ(FormatMessageText("%s and %s", {std::string("one")}), "one and %s");
    EXPECT_EQ(FormatMessageText("%x %5d %", {1}), "%x %5d %");
    EXPECT_EQ(FormatMessageText("%d/%s", {std::string("a"), 2}), "a/2");
    EXPECT_EQ(FormatMessageText("no placeholders", {1, 2}), "no placeholders");
}

TEST(MessageFileNameTest, PutsTheNumberedFileIntoTheDirectory) {
    EXPECT_EQ(MessageFileName("/opt/tools/", 0), "/opt/tools/stdmess0.mes");
    EXPECT_EQ(MessageFileName("/opt/tools", 0), "/opt/tools/stdmess0.mes");
    EXPECT_EQ(MessageFileName("/", 0), "/stdmess0.mes");
    EXPECT_EQ(MessageFileName("/opt", 12), "/opt/stdmess12.mes");
    EXPECT_FALSE(ProgramDirectory().empty());
    EXPECT_NE(ProgramDirectory().back(), '/');
}

class DamagedMessageFileTest : public MessageCatalogueTest {
  protected:
    std::string Write(const std::vector<uint8_t>& Content) {
        const auto File = Directory.Path() / "damaged.mes";
        std::ofstream(File, std::ios::binary)
            .write(reinterpret_cast<const char*>(Content.data()),
                   static_cast<std::streamsize>(Content.size()));
        return File.string();
    }

    std::vector<uint8_t> GoodFile() {
        std::vector<std::unique_ptr<TAppMessage>> Messages;
        Messages.push_back(MakeMessage(8, "NothingSelected", "Select something."));
        Messages.push_back(MakeMessage(10, "RequiredField", "Fill it in."));
        WriteMessageFile(Directory.Path() / "good.mes", std::move(Messages));
        TObjectStream Stream(0);
        Stream.LoadFromFile(Directory.File("good.mes"));
        return Stream.Bytes();
    }
};

TEST_F(DamagedMessageFileTest, TruncatedFileRaisesAReadErrorAndAddsNothing) {
    auto Content = GoodFile();
    Content.resize(60);
    try {
        Catalogue.LoadMessageFile(Write(Content));
        FAIL() << "a truncated file was accepted";
    } catch (const EReadError& Error) {
        EXPECT_NE(std::string(Error.what()).find("Stream-Read-Fehler"), std::string::npos);
        EXPECT_NE(std::string(Error.what()).find("damaged.mes"), std::string::npos);
    }
    EXPECT_EQ(Catalogue.Messages().Count(), 0);
    EXPECT_EQ(Catalogue.ShowMessageSimple(8), 0);
}

TEST_F(DamagedMessageFileTest, FileThatHoldsNoListIsRefused) {
    TObjectStream Stream(TObjectStream::GeneralSize);
    Stream.WriteObject(*MakeMessage(8, "Alone", "not in a list"));
    Stream.SaveToFile(Directory.File("single.mes"));
    try {
        Catalogue.LoadMessageFile(Directory.File("single.mes"));
        FAIL() << "a file without a list was accepted";
    } catch (const EReadError& Error) {
        EXPECT_NE(std::string(Error.what()).find("TAppMessage, not a list of messages"), std::string::npos);
    }
    EXPECT_EQ(Catalogue.Messages().Count(), 0);
}

TEST_F(DamagedMessageFileTest, ItemThatIsNoMessageKeepsTheMessagesBeforeIt) {
    TIDList List;
    List.AppendAsStored(MakeMessage(8, "NothingSelected", "Select something."));
    List.AppendAsStored(TID::CreateWithID(9));
    List.AppendAsStored(MakeMessage(10, "RequiredField", "Fill it in."));
    TObjectStream Stream(TObjectStream::GeneralSize);
    Stream.WriteObject(List);
    Stream.SaveToFile(Directory.File("mixed.mes"));

    EXPECT_THROW(Catalogue.LoadMessageFile(Directory.File("mixed.mes")), EInvalidCast);
    EXPECT_NE(Catalogue.GetMessage(8), nullptr);
    EXPECT_EQ(Catalogue.GetMessage(10), nullptr);
}

TEST_F(DamagedMessageFileTest, UnknownClassCodeAndHugeCountsRaiseStreamErrors) {
    EXPECT_THROW(Catalogue.LoadMessageFile(Write(Bytes({0xE7, 0x03, 0, 0}))), EClassNotFound);
    EXPECT_THROW(Catalogue.LoadMessageFile(Write(Bytes({0xEB, 0x03, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F}))),
                 EReadError);
    EXPECT_THROW(Catalogue.LoadMessageFile(Write({})), EReadError);
    EXPECT_EQ(Catalogue.Messages().Count(), 0);
    EXPECT_TRUE(Boxes.Shown.empty());
}

TEST(IntlMessagesTest, KeepsTheLatestTextPerLanguageAndNumber) {
    TIntlMessages Table;
    EXPECT_EQ(Table.GetText(7, 1), "");
    Table.AddText(7, 1, "First caption", "First text");
    Table.AddText(7, 1, "Second caption", "Second text");
    Table.AddText(9, 1, "Other language", "Anderer Text");
    EXPECT_EQ(Table.GetText(7, 1), "Second text");
    EXPECT_EQ(Table.GetCaption(7, 1), "Second caption");
    EXPECT_EQ(Table.GetText(9, 1), "Anderer Text");
    EXPECT_EQ(Table.GetText(7, 2), "");
    EXPECT_EQ(Table.GetCaption(8, 1), "");
    EXPECT_EQ(Table.LangMessages().Count(), 2);
    EXPECT_EQ(IntlMessages().LangMessages().Count(), 0);
}

}  // namespace
}  // namespace tulma
