#pragma once

#include <QObject>

namespace tulma {

// Keeps a modal window reachable: a minimise of any of the program's windows while a modal window is
// open (the minimise button of the window behind it, which many window managers apply to the modal
// window too) is undone at once, and the modal window comes back to the front. Watches the whole
// application from its creation to its end.
class TModalWindowKeeper : public QObject {
    Q_OBJECT
  public:
    explicit TModalWindowKeeper(QObject* Parent = nullptr);
    ~TModalWindowKeeper() override;

  protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

  private:
    bool BringBackPending = false;

    void BringBack();
};

}  // namespace tulma
