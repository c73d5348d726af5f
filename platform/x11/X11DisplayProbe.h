#pragma once

#include "XcbConnection.h"

namespace tulma {

// An X connection held while Qt makes its own: Qt would end the program if no display answered, and an
// X server that has lost its last client resets itself, refusing connections for a moment.
class TX11DisplayProbe {
  public:
    bool Reachable() const { return !Connection.Failed(); }

  private:
    TXcbConnection Connection;
};

}  // namespace tulma
