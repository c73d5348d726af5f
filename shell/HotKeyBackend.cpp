#include "HotKeyBackend.h"

namespace tulma {

bool UsePortalHotKeys(TProgramOptions::THotKeys Choice, bool WaylandSession,
                      const std::function<bool()>& PortalOffered) {
    switch (Choice) {
        case TProgramOptions::THotKeys::X11:
            return false;
        case TProgramOptions::THotKeys::Portal:
            if (!PortalOffered()) {
                throw std::runtime_error("the desktop offers no global shortcuts portal");
            }
            return true;
        case TProgramOptions::THotKeys::Automatic:
            break;
    }
    return WaylandSession && PortalOffered();
}

}  // namespace tulma
