#include "AppMessageHook.h"

#include <utility>

namespace tulma {
namespace {

TAppMessageHook& InstalledHook() {
    static TAppMessageHook Hook;
    return Hook;
}

}  // namespace

void SetAppMessageHook(TAppMessageHook Hook) {
    InstalledHook() = std::move(Hook);
}

int32_t ShowHookedAppMessage(int32_t ID, const TMessageArgs& Args) {
    const TAppMessageHook& Hook = InstalledHook();
    return Hook ? Hook(ID, Args) : 0;
}

}  // namespace tulma
