#pragma once

#include <QDialog>

#include <string>
#include <vector>

#include "DesktopWindows.h"

namespace tulma {

// Shows which windows a command's window text matches right now, topmost first, or that none does and the
// command would start its program. Looks only; changes nothing.
class TFormWindowMatches : public QDialog {
    Q_OBJECT

  public:
    TFormWindowMatches(QWidget* Owner, const std::string& Text, const std::vector<TWindowInfo>& Matches);
};

}  // namespace tulma
