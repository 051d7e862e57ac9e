// Window TExistGm (instance ExistGm): the game information. For now it
// holds only the date, which the options keep in the registry.
#pragma once

#include <QWidget>

class QLineEdit;

namespace quon {

class TExistGm : public QWidget {
    Q_OBJECT

  public:
    explicit TExistGm(QWidget* parent = nullptr);

    QLineEdit* EDate = nullptr; // "Date" of the game, DT of the record
};

extern TExistGm* ExistGm;

} // namespace quon
