#include "ShellTestSupport.h"

#include <memory>

#include "AppMessages.h"
#include "HotKeyCommand.h"
#include "HotKeyFile.h"
#include "HotTulma.h"
#include "MessageBoxFunction.h"
#include "ObjectStream.h"

namespace tulma::test {
namespace {

void AddMessage(int32_t ID, const std::string& Text, int32_t Flags) {
    auto Message = std::make_unique<TAppMessage>();
    Message->ID = ID;
    Message->Caption().SetText("Tulma");
    Message->Text().SetText(Text);
    Message->Flags = Flags;
    AppMessages()->AddMessage(std::move(Message));
}

}  // namespace

void WriteHotKeyFile(const std::string& FileName, const std::vector<THotKeyOutline>& HotKeys,
                     bool MinimizeAtStartup) {
    THotKeyFile File;
    File.MinimizeAtStartup = MinimizeAtStartup;
    for (const THotKeyOutline& Outline : HotKeys) {
        auto HotKey = std::make_unique<THotTulma>();
        HotKey->Name = Outline.Name;
        HotKey->HotKey = Outline.HotKey;
        auto Command = std::make_unique<THotKeyCommand>();
        Command->Name = Outline.Name;
        Command->Exec = Outline.Exec;
        Command->Parameters = Outline.Parameters;
        Command->LookForWindow = Outline.LookForWindow;
        HotKey->Commands().Add(std::move(Command));
        File.HotKeyList().Add(std::move(HotKey));
    }
    TObjectStream Stream(THotKeyFile::StreamSize);
    Stream.WriteObject(File);
    Stream.SaveToFile(FileName);
}

void InstallTestCatalogue(bool WithSaveQuestion) {
    CreateMessageList(std::make_unique<TMessageList>(), -1);
    if (WithSaveQuestion) {
        AddMessage(MessageNumber::SaveChanges, SaveQuestionText,
                   MessageBoxStyle::YesNoCancel | MessageBoxStyle::IconQuestion);
    }
    AddMessage(MessageNumber::NothingSelected, NothingSelectedText, MessageBoxStyle::IconExclamation);
    AddMessage(MessageNumber::ConfirmDelete, ConfirmDeleteText,
               MessageBoxStyle::YesNo | MessageBoxStyle::IconQuestion);
}

}  // namespace tulma::test
