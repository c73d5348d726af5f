#pragma once

namespace tulma {

// Registers every persistent class of the program, in the fixed start-up order. Runs once, before any
// file is read.
void RegisterAllClasses();

}  // namespace tulma
