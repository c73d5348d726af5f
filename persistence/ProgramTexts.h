#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

// The program's own texts that the core shows: error messages, key names and the message catalogue's
// fallbacks. The German texts are built in; at start the program may put a translation of each in its
// place, so the core speaks the user's language without a toolkit of its own.
namespace tulma {

// %1, %2... in a text stand for its arguments.
enum class TProgramText : std::uint8_t {
    ClassNotFound,     // %1 the class code
    StreamReadError,   // heads the details of damaged data
    CannotOpenFile,    // %1 the file
    CannotCreateFile,  // %1 the file
    InOutError,        // %1 the error number
    ListIndexError,
    InvalidCast,
    NotAHotKeyFile,     // %1 the file, %2 what reading it met
    DamagedHotKeyFile,  // %1 the file, %2 what reading it met
    MessageNotFound,    // %1 the message number
    MessageCaption,     // the caption of the catalogue's own boxes
    DuplicateMessage,   // printf-style: %d the number, %s the new message's name, %s the present one's
    ShiftPrefix,
    CtrlPrefix,
    KeyBackspace,
    KeySpace,
    KeyPageUp,
    KeyPageDown,
    KeyEnd,
    KeyHome,
    KeyLeft,
    KeyUp,
    KeyRight,
    KeyDown,
    KeyInsert,
    KeyDelete,
    Count
};

// The built-in (German) text.
std::string_view BuiltInText(TProgramText Text);

// The text in force.
const std::string& ProgramText(TProgramText Text);
// The text in force, its %1, %2... replaced by Args.
std::string ProgramText(TProgramText Text, std::initializer_list<std::string_view> Args);

// Puts Translate(built-in text, name) in place of every text; an empty answer keeps the built-in one.
// Name is the text's name here (NotAHotKeyFile), which tells apart texts that read the same in German.
using TTextTranslation = std::function<std::string(std::string_view BuiltIn, std::string_view Name)>;
void TranslateProgramTexts(const TTextTranslation& Translate);
// Back to the built-in texts.
void UseBuiltInTexts();

}  // namespace tulma
