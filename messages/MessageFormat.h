#pragma once

#include <string>

#include "AppMessageHook.h"

namespace tulma {

// Pattern with its placeholders replaced by Args in order: %d takes an integer, %s a string, %%
// stands for one percent sign. The text comes from an editable file, so a mismatch never fails: an
// integer at %s or a string at %d is shown as it is, and a placeholder without an argument, or one
// of another kind, stays in the text unchanged.
std::string FormatMessageText(const std::string& Pattern, const TMessageArgs& Args);

}  // namespace tulma
