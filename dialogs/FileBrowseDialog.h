#pragma once

#include <QFileDialog>

namespace tulma {

class TApplicationFilter;

// The file dialog of the command dialog: an existing file, offered as applications, batch files or all
// files. "Applications" are .exe files and, on this system, every executable file. A name typed without
// an extension that names no file is taken with ".exe" when such a file exists.
class TFileBrowseDialog : public QFileDialog {
    Q_OBJECT

  public:
    explicit TFileBrowseDialog(QWidget* Owner);

    static constexpr const char* DefaultExtension = "exe";

    void accept() override;

  private:
    TApplicationFilter* FFilter;
};

}  // namespace tulma
