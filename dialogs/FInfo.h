#pragma once

#include "QBForm.h"

class QPushButton;

namespace tulma {

// The about box: the program's icon, name, version and date. One instance lives for the whole run;
// each showing is modal and closing it only hides it.
class TFormInfo : public TQBForm {
    Q_OBJECT

  public:
    explicit TFormInfo(QWidget* Owner = nullptr);

  protected:
    void showEvent(QShowEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;

  private:
    QPushButton* BtnClose;
};

}  // namespace tulma
