// Window TDebug1 (instance Debug1): the recognition log and the point list.
#pragma once

#include <QWidget>

class QListWidget;

namespace quon {

class TDebug1 : public QWidget {
    Q_OBJECT

public:
    explicit TDebug1(QWidget* parent = nullptr);
    ~TDebug1() override;

    QListWidget* ListBox1 = nullptr; // the recognition log
    QListWidget* ListBox2 = nullptr; // the values of one grid point

private:
    void showLog();
};

extern TDebug1* Debug1;

} // namespace quon
