#pragma once

#include <QObject>
#include <QString>

class QAbstractItemModel;
class QLabel;
class QListWidget;

namespace tulma {

// A text inside an empty list that says what to do; it goes once the list has a line and comes back
// when the last one goes. It takes no clicks: they reach the list as before. It lives as long as the
// list's viewport, which holds its text.
class TEmptyListHint : public QObject {
    Q_OBJECT
  public:
    TEmptyListHint(QListWidget* List, const QString& Text);

  protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

  private:
    QLabel* FLabel;
    QAbstractItemModel* FModel;

    void Update();
};

}  // namespace tulma
