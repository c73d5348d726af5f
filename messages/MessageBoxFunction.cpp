#include "MessageBoxFunction.h"

#include <iostream>
#include <utility>

namespace tulma {
namespace {

TMessageBoxFunction& InstalledFunction() {
    static TMessageBoxFunction Function;
    return Function;
}

}  // namespace

void SetMessageBoxFunction(TMessageBoxFunction Function) {
    InstalledFunction() = std::move(Function);
}

int32_t ShowMessageBox(const std::string& Text, const std::string& Caption, int32_t Style) {
    if (const TMessageBoxFunction& Function = InstalledFunction()) {
        return Function(Text, Caption, Style);
    }
    std::cerr << Caption << ": " << Text << std::endl;
    return MessageBoxResult::None;
}

}  // namespace tulma
