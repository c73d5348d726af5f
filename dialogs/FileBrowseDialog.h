#pragma once

#include <QFileDialog>

namespace tulma {

class TFileKindFilter;

// The file dialog of the command dialog: an existing file, offered as programs (executable files),
// applications (desktop entries), documents or all files. For as long as the program runs it opens
// where the last one was left, with its filter; the first time in the user's home.
class TFileBrowseDialog : public QFileDialog {
    Q_OBJECT

  public:
    explicit TFileBrowseDialog(QWidget* Owner);

    // Opens with File selected, under the filter that shows it, when it names an existing file.
    void StartAt(const QString& File);

    void done(int Result) override;

  private:
    TFileKindFilter* FFilter;
};

}  // namespace tulma
