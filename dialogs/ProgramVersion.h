#pragma once

namespace tulma {

// The version and date that the about box and "tulma --version" show.
inline constexpr const char* ProgramVersion = "1.02";
inline constexpr const char* ProgramDate = "1998/04/11";

}  // namespace tulma
