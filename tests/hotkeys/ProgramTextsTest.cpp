#include <gtest/gtest.h>

#include <map>
#include <string>

#include "CurrentHotKeyFile.h"
#include "Errors.h"
#include "KeyComboText.h"
#include "ProgramTexts.h"
#include "TempDir.h"
#include "TestFiles.h"

namespace tulma {
namespace {

// A translation as the program puts in place at start, for the texts these tests look at.
void UseEnglish() {
    static const std::map<std::string, std::string, std::less<>> English = {
        {"ShiftPrefix", "Shift+"},
        {"CtrlPrefix", "Ctrl+"},
        {"KeyLeft", "Left"},
        {"ClassNotFound", "Class %1 not found."},
        {"NotAHotKeyFile", "%1 is not a Tulma hotkey file."},
        {"DamagedHotKeyFile", "%1 is damaged and cannot be read: %2"},
    };
    TranslateProgramTexts([](std::string_view, std::string_view Name) {
        const auto Found = English.find(Name);
        return Found == English.end() ? std::string() : Found->second;
    });
}

class ProgramTexts : public testing::Test {
  protected:
    void SetUp() override { InitHotKeyModule(Dir.Path().string()); }
    void TearDown() override {
        UseBuiltInTexts();
        EndHotKeyModule();
    }

    // The message of loading a file of these bytes.
    std::string LoadError(const std::string& Name, const std::vector<uint8_t>& Content) {
        HotKeyFileName() = Dir.File(Name);
        test::WriteFileBytes(HotKeyFileName(), Content);
        try {
            LoadHotKeyFile();
        } catch (const EStreamError& Error) {
            return Error.what();
        }
        return "loaded";
    }

    test::TempDir Dir;
};

TEST_F(ProgramTexts, KeyNamesFollowTheTranslationAndComeBack) {
    const uint16_t Combinations[] = {0x6025, 0xE045, 0x0008};
    const char* German[] = {"Umsch+Strg+Linksbündig", "Umsch+Strg+Alt+E", "Rück"};
    const char* English[] = {"Shift+Ctrl+Left", "Shift+Ctrl+Alt+E", "Rück"};  // untranslated: built in
    UseEnglish();
    for (size_t I = 0; I < std::size(Combinations); ++I) {
        EXPECT_EQ(KeyComboText(Combinations[I]), English[I]);
    }
    UseBuiltInTexts();
    for (size_t I = 0; I < std::size(Combinations); ++I) {
        EXPECT_EQ(KeyComboText(Combinations[I]), German[I]);
    }
}

TEST_F(ProgramTexts, PlaceholdersTakeTheirArgumentsAndKeepTheRest) {
    EXPECT_EQ(ProgramText(TProgramText::CannotOpenFile, {"a%1.tul"}), "Kann Datei a%1.tul nicht öffnen");
    EXPECT_EQ(ProgramText(TProgramText::NotAHotKeyFile, {"x.tul"}), "%2");
    EXPECT_EQ(EClassNotFound(999).what(), std::string("Klasse 999 nicht gefunden."));
}

// German keeps the stream's own words; English names the file and says what is wrong with it.
TEST_F(ProgramTexts, FileErrorsNameTheFileInEnglish) {
    const struct {
        const char* Name;
        std::vector<uint8_t> Content;
        std::string German;
        std::string English;
    } Cases[] = {
        {"unknown.tul", {0xE7, 3, 0, 0}, "Klasse 999 nicht gefunden.", "@ is not a Tulma hotkey file."},
        {"empty.tul", {}, "Stream-Read-Fehler: @: ", "@ is not a Tulma hotkey file."},
        {"inner.tul",
         {0x9C, 0, 0, 0, 0x65, 0, 0, 0, 0, 0xE7, 3, 0, 0},
         "Klasse 999 nicht gefunden.",
         "@ is damaged and cannot be read: Class 999 not found."},
        {"truncated.tul", {0x9C, 0, 0, 0, 0x65, 0, 0}, "Stream-Read-Fehler: @: ", "Stream-Read-Fehler: @: "},
    };
    for (const auto& Case : Cases) {
        const std::string File = Dir.File(Case.Name);
        for (const bool InEnglish : {false, true}) {
            InEnglish ? UseEnglish() : UseBuiltInTexts();
            std::string Expected = InEnglish ? Case.English : Case.German;
            if (const auto At = Expected.find('@'); At != std::string::npos) {
                Expected.replace(At, 1, File);
            }
            const std::string Message = LoadError(Case.Name, Case.Content);
            EXPECT_EQ(Message.substr(0, Expected.size()), Expected)
                << Case.Name << (InEnglish ? " en" : " de");
        }
    }
}

}  // namespace
}  // namespace tulma
