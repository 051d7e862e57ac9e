// Window TDlgChooseDir (instance DlgChooseDir).
#pragma once

#include <QWidget>

namespace quon {

class TDlgChooseDir : public QWidget {
    Q_OBJECT

public:
    explicit TDlgChooseDir(QWidget* parent = nullptr);
};

extern TDlgChooseDir* DlgChooseDir;

} // namespace quon
