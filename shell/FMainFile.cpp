// The main window's file commands: Open, Save, Save as, Reload, the save question, and the end of a
// session with unsaved changes.
#include <iostream>

#include "AppMessages.h"
#include "BusyCursor.h"
#include "CurrentHotKeyFile.h"
#include "FMain.h"
#include "FileDialogs.h"
#include "HotKeyActivation.h"
#include "MessageBoxFunction.h"
#include "RecoveryCopy.h"

namespace tulma {

void TFormMain::BtnOpenClick() {
    const auto Chosen = FServices.FileDialogs.OpenFileName(this, HotKeyFileName());
    if (!Chosen || !QuerySaveChanges()) {
        return;
    }
    OpenHotKeyFile(*Chosen);
}

void TFormMain::OpenHotKeyFile(const std::string& FileName) {
    const std::string Previous = HotKeyFileName();
    HotKeyFileName() = FileName;
    try {
        LoadCurrentFile();
    } catch (...) {
        // The hotkeys in use stay those of the previous file, so a save must not go to the one that
        // could not be read.
        HotKeyFileName() = Previous;
        ShowFileNotice();
        throw;
    }
    ShowCurrentFileName();
}

void TFormMain::BtnSaveClick() {
    std::string KeptCopy;
    {
        TBusyCursor Busy;
        KeptCopy = SaveHotKeyFile();
    }
    FModified = false;
    ShowFileNotice(KeptCopy);
}

void TFormMain::BtnSaveAsClick() {
    const auto Chosen = FServices.FileDialogs.SaveFileName(this, HotKeyFileName());
    if (!Chosen) {
        return;
    }
    HotKeyFileName() = *Chosen;
    ShowCurrentFileName();
    ShowFileNotice(SaveHotKeyFile());
}

void TFormMain::BtnReloadClick() {
    if (QuerySaveChanges()) {
        LoadCurrentFile();
    }
}

bool TFormMain::QuerySaveChanges() {
    RestoreApplication();
    if (!FModified) {
        return true;
    }
    switch (ShowAppMessage(MessageNumber::SaveChanges)) {
        case MessageBoxResult::Cancel:
            return false;
        case MessageBoxResult::Yes:
            BtnSaveClick();
            return true;
        case MessageBoxResult::No:
            FModified = false;
            return true;
        default:
            return true;
    }
}

void TFormMain::LoadCurrentFile() {
    TBusyCursor Busy;
    FActivation->DeactivateAllHotKeys();
    try {
        LoadHotKeyFile();
    } catch (...) {
        FActivation->ActivateAllHotKeys();
        RefreshList();
        ShowFileNotice();
        throw;
    }
    FActivation->ActivateAllHotKeys();
    RefreshList();
    ShowFileNotice();
    FModified = false;
}

void TFormMain::EndSession() {
    // No box could be answered now: the outcome goes to standard error, and the program ends either way.
    if (FModified) {
        try {
            const std::string Copy = WriteRecoveryCopy(HotKeyFileName());
            std::cerr << "tulma: the session ended before the changes to " << HotKeyFileName()
                      << " were saved; they are kept in " << Copy << std::endl;
        } catch (const std::exception& Error) {
            std::cerr << "tulma: the session ended before the changes to " << HotKeyFileName()
                      << " were saved, and no recovery copy could be written: " << Error.what() << std::endl;
        }
        FModified = false;
    }
    hide();
    emit Closed();
}

void TFormMain::OfferRecoveryCopy() {
    const auto Copy = PendingRecoveryCopy(HotKeyFileName());
    if (!Copy) {
        return;
    }
    const std::string Question = "When the last session ended, the changes to " + HotKeyFileName() +
                                 " had not been saved. They were kept in " + *Copy +
                                 ".\n\nOpen that copy now? (\"Save as\" then puts it in place of the file.)";
    if (ShowMessageBox(Question, "Tulma", MessageBoxStyle::YesNo | MessageBoxStyle::IconQuestion) ==
        MessageBoxResult::Yes) {
        OpenHotKeyFile(*Copy);
    }
}

}  // namespace tulma
