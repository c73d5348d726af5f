#include <gtest/gtest.h>

#include "HotKeyFixtures.h"
#include "KeyComboText.h"
#include "StreamBytes.h"
#include "Text.h"

namespace tulma {
namespace {

using test::Bytes;

TEST(HotKeyCommand, NewCommandRoundTripsWithItsDefaults) {
    THotKeyCommand Command;
    EXPECT_EQ(Command.ID, -1);
    EXPECT_EQ(Command.ExecMode, 0);
    auto Read = test::RoundTrip(Command);
    EXPECT_EQ(Read->ID, -1);
    EXPECT_EQ(Read->ExecMode, 0);
    EXPECT_TRUE(Read->Name.empty() && Read->Exec.empty() && Read->Parameters.empty() &&
                Read->Directory.empty() && Read->LookForWindow.empty());
}

TEST(HotKeyCommand, AllFieldsRoundTripAndCopy) {
    THotKeyCommand Command;
    Command.ID = 4;
    Command.Name = "Shell";
    Command.Exec = "%HOME%/bin/run";
    Command.Parameters = "-x \"a b\"";
    Command.Directory = "/tmp";
    Command.LookForWindow = "Terminal";
    Command.ExecMode = 3;
    for (const auto& Other : {test::RoundTrip(Command), std::make_unique<THotKeyCommand>()}) {
        if (Other->ID == -1) {
            Command.CopyTo(*Other);
        }
        EXPECT_EQ(Other->ID, 4);
        EXPECT_EQ(Other->Name, "Shell");
        EXPECT_EQ(Other->Exec, "%HOME%/bin/run");
        EXPECT_EQ(Other->Parameters, "-x \"a b\"");
        EXPECT_EQ(Other->Directory, "/tmp");
        EXPECT_EQ(Other->LookForWindow, "Terminal");
        EXPECT_EQ(Other->ExecMode, 3);
    }
}

TEST(HotKeyCommand, OlderLayoutEndsAfterExecMode) {
    TObjectStream Stream(0);
    Stream.WriteInteger(THotKeyCommand::ClassCode);
    Stream.WriteInteger(2);
    Stream.WriteString("old");
    Stream.WriteLongInt(100);
    Stream.WriteString("prog");
    Stream.WriteLongInt(1);
    Stream.WriteObject(*TText::CreateWithText("next"));
    TObjectStream Reader(0);
    Reader.LoadFromBytes(test::Written(Stream));
    auto Command = Reader.ReadObjectOf<THotKeyCommand>();
    EXPECT_EQ(Command->Exec, "prog");
    EXPECT_EQ(Command->ExecMode, 1);
    EXPECT_TRUE(Command->Parameters.empty() && Command->Directory.empty() && Command->LookForWindow.empty());
    EXPECT_EQ(Reader.ReadObjectOf<TText>()->GetText(), "next");
}

TEST(HotTulma, DescriptionShowsNameAndKey) {
    EXPECT_EQ(test::HotKey("Start", 0x2070)->GetDescription(0), "Start (Umsch+F1)");
    EXPECT_EQ(test::HotKey("Start", 0)->GetDescription(1), "Start ()");
    EXPECT_EQ(test::HotKey("Editor", 0xC045)->GetDescription(0), "Editor (Strg+Alt+E)");
}

TEST(HotTulma, CopyIsDeepAndKeepsTheDestinationsAtom) {
    auto Source = test::HotKey("Source", 0x4041);
    Source->Commands().Add(test::Command("one", "a"));
    Source->Commands().Add(test::Command("two", "b"));
    Source->Atom = 11;
    auto Dest = test::HotKey("Dest", 0);
    for (const char* Name : {"x", "y", "z"}) {
        Dest->Commands().Add(test::Command(Name, Name));
    }
    Dest->Atom = 0xC001;
    Source->CopyTo(*Dest);
    EXPECT_EQ(Dest->Name, "Source");
    EXPECT_EQ(Dest->HotKey, 0x4041);
    EXPECT_EQ(Dest->Atom, 0xC001);
    ASSERT_EQ(Dest->Commands().Count(), 2);
    EXPECT_EQ(Dest->Commands().LastID, Source->Commands().LastID);
    for (int32_t I = 0; I < 2; ++I) {
        const auto& Copied = Dest->Commands().ItemAs<THotKeyCommand>(I);
        const auto& Original = Source->Commands().ItemAs<THotKeyCommand>(I);
        EXPECT_NE(&Copied, &Original);
        EXPECT_EQ(Copied.ID, Original.ID);
        EXPECT_EQ(Copied.Exec, Original.Exec);
    }
}

TEST(HotTulma, ReadHotKeyHasNoAtom) {
    auto HotKey = test::HotKey("k", 0x41);
    HotKey->Atom = 5;
    EXPECT_EQ(test::RoundTrip(*HotKey)->Atom, 0);
}

TEST(HotKeyFile, WorkedExampleHasTheDocumentedBytes) {
    const Bytes Expected{0x9C, 0,    0,   0,    0x65, 0,   0,   0,    0,    0xEB, 3, 0, 0,   1,   0,   0,
                         0,    0x9B, 0,   0,    0,    0,   0,   0,    0,    6,    0, 0, 0,   'E', 'd', 'i',
                         't',  'o',  'r', 0x65, 0,    0,   0,   0x45, 0xC0, 0xEB, 3, 0, 0,   1,   0,   0,
                         0,    0xC9, 0,   0,    0,    0,   0,   0,    0,    7,    0, 0, 0,   'N', 'o', 't',
                         'e',  'p',  'a', 'd',  0x65, 0,   0,   0,    0x0B, 0,    0, 0, 'n', 'o', 't', 'e',
                         'p',  'a',  'd', '.',  'e',  'x', 'e', 0,    0,    0,    0, 0, 0,   0,   0,   0,
                         0,    0,    0,   0,    0,    0,   0,   0,    0,    0,    0, 0, 0,   0,   0};
    ASSERT_EQ(Expected.size(), 111u);
    EXPECT_EQ(test::WrittenObject(*test::WorkedExample()), Expected);
}

TEST(HotKeyFile, CopyIsDeepAndTakesTheFlag) {
    auto Source = test::WorkedExample();
    Source->MinimizeAtStartup = true;
    THotKeyFile Dest;
    Dest.HotKeyList().Add(test::HotKey("gone", 1));
    Source->CopyTo(Dest);
    EXPECT_TRUE(Dest.MinimizeAtStartup);
    ASSERT_EQ(Dest.HotKeyList().Count(), 1);
    EXPECT_EQ(Dest.HotKeyAt(0).Name, "Editor");
    EXPECT_NE(&Dest.HotKeyAt(0), &Source->HotKeyAt(0));
    EXPECT_EQ(Dest.HotKeyAt(0).Commands().Count(), 1);
}

TEST(HotKeyFile, ListsOfTheWrongClassAreRefused) {
    // A hotkey list whose item is a plain text instead of a hotkey.
    TObjectStream Stream(0);
    Stream.WriteInteger(THotKeyFile::ClassCode);
    Stream.WriteLongInt(101);
    Stream.WriteBoolean(false);
    TIDList Wrong;
    Wrong.AppendAsStored(TText::CreateWithText("intruder"));
    Stream.WriteObject(Wrong);
    EXPECT_THROW(test::ReadBack<THotKeyFile>(test::Written(Stream)), EReadError);
}

TEST(HotKeyFile, HotKeyListMustBeStoredAsAnIdentifierList) {
    enum class Outcome { Read, ReadError, ClassNotFound };
    const std::pair<int32_t, Outcome> Cases[] = {
        {TIDList::ClassCode, Outcome::Read},
        {108, Outcome::Read},
        {TObjectList::ClassCode, Outcome::ReadError},
        {TText::ClassCode, Outcome::ReadError},
        {999, Outcome::ClassNotFound},
    };
    for (const auto& [ListCode, Expected] : Cases) {
        TObjectStream Stream(0);
        Stream.WriteInteger(THotKeyFile::ClassCode);
        Stream.WriteLongInt(101);
        Stream.WriteBoolean(false);
        Stream.WriteInteger(ListCode);
        Stream.WriteInteger(0);
        Stream.WriteInteger(-1);
        const Bytes Data = test::Written(Stream);
        switch (Expected) {
            case Outcome::Read:
                EXPECT_EQ(test::ReadBack<THotKeyFile>(Data)->HotKeyList().Count(), 0) << ListCode;
                break;
            case Outcome::ReadError:
                EXPECT_THROW(test::ReadBack<THotKeyFile>(Data), EReadError) << ListCode;
                break;
            case Outcome::ClassNotFound:
                EXPECT_THROW(test::ReadBack<THotKeyFile>(Data), EClassNotFound) << ListCode;
                break;
        }
    }
}

TEST(KeyComboText, FixedNamesAndModifiers) {
    const std::pair<uint16_t, const char*> Cases[] = {
        {0xC045, "Strg+Alt+E"},
        {0x2070, "Umsch+F1"},
        {0, ""},
        {0x4025, "Strg+Linksbündig"},
        {0x8060, "Alt+0"},
        {0x87, "F24"},
        {0xE008, "Umsch+Strg+Alt+Rück"},
        {0x0D, "Enter"},
        {0x20, "Leertaste"},
        {0x26, "Nach oben"},
        {0x28, "Nach unten"},
        {0x2E, "Entf"},
        {0x69, "9"},
        {0x35, "5"},
        {0x21, "BildAuf"},
    };
    for (const auto& [Value, Text] : Cases) {
        EXPECT_EQ(KeyComboText(Value), Text) << std::hex << Value;
    }
}

TEST(KeyComboText, OtherKeysUseTheLayoutNameWhenItIsOneCharacter) {
    SetKeyNameLookup([](uint8_t Key) -> std::string {
        switch (Key) {
            case 0xBA:
                return "ü";
            case 0xBC:
                return ",";
            case 0x13:
                return "Pause";
            default:
                return "";
        }
    });
    EXPECT_EQ(KeyComboText(0x20BA), "Umsch+ü");
    EXPECT_EQ(KeyComboText(0x40BC), "Strg+,");
    EXPECT_EQ(KeyComboText(0x4013), "") << "longer names show nothing, modifiers neither";
    EXPECT_EQ(KeyComboText(0x40DD), "");
    SetKeyNameLookup(nullptr);
    EXPECT_EQ(KeyComboText(0x40BC), "");
}

}  // namespace
}  // namespace tulma
