#include "MessageBoxScript.h"

#include <algorithm>
#include <stdexcept>

#include "MessageBox.h"

namespace tulma {
namespace {

TMessageBoxScript*& ActiveScript() {
    static TMessageBoxScript* Script = nullptr;
    return Script;
}

}  // namespace

TMessageBoxScript::TMessageBoxScript() {
    if (ActiveScript() != nullptr) {
        throw std::logic_error("a message box script is already in force");
    }
    ActiveScript() = this;
    TMessageBox::Install();
}

TMessageBoxScript::~TMessageBoxScript() {
    ActiveScript() = nullptr;
}

void TMessageBoxScript::SetNextAnswer(int32_t Result) {
    FAnswers.push_back(Result);
}

TMessageBoxScript* TMessageBoxScript::Active() {
    return ActiveScript();
}

int32_t TMessageBoxScript::Answer(const std::string& Text, const std::string& Caption, int32_t Style) {
    int32_t Result = TMessageBox::DefaultResult(Style);
    if (!FAnswers.empty()) {
        Result = FAnswers.front();
        FAnswers.pop_front();
    }
    FShown.push_back({Text, Caption, Style, Result});
    const auto Buttons = TMessageBox::ButtonResults(Style);
    if (std::find(Buttons.begin(), Buttons.end(), Result) == Buttons.end()) {
        throw std::logic_error("the scripted answer " + std::to_string(Result) +
                               " is no button of the box \"" + Text + "\" (style " + std::to_string(Style) +
                               ")");
    }
    return Result;
}

}  // namespace tulma
