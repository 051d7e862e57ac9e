// Window TDlgChooseDir (instance DlgChooseDir): the two folders of the batch
// export, the one the dgr files are read from and the one the pictures go to.
#pragma once

#include <QDialog>

class QPushButton;

namespace quon {

class DirectoryEdit;

class TDlgChooseDir : public QDialog {
    Q_OBJECT

  public:
    explicit TDlgChooseDir(QWidget* parent = nullptr);

    DirectoryEdit* DEFromDir = nullptr;
    DirectoryEdit* DEToDir = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};

extern TDlgChooseDir* DlgChooseDir;

} // namespace quon
