#pragma once

#include <QString>

#include "FileDialogs.h"

namespace tulma {

// A filter in the "Description|pattern|Description|pattern" form as the toolkit's dialogs take it:
// "Tulma-Files (*.tul)|*.tul" becomes "Tulma-Files (*.tul)".
QString QtNameFilters(const std::string& Filter);

// QFileDialog with the filter "Tulma-Files (*.tul)|*.tul" (in English "Tulma files (*.tul)") and the
// default suffix "tul".
class TQtFileDialogs : public IFileDialogs {
  public:
    static constexpr const char* Filter = "Tulma-Files (*.tul)|*.tul";
    static constexpr const char* DefaultSuffix = "tul";

    std::optional<std::string> OpenFileName(QWidget* Owner, const std::string& Preset) override;
    std::optional<std::string> SaveFileName(QWidget* Owner, const std::string& Preset) override;
};

}  // namespace tulma
