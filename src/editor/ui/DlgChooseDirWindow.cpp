#include "editor/ui/DlgChooseDirWindow.h"

#include "model/ui/OptionsWindow.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace quon {

TDlgChooseDir* DlgChooseDir = nullptr;

TDlgChooseDir::TDlgChooseDir(QWidget* parent) : QDialog(parent)
{
    setObjectName("DlgChooseDir");
    setWindowTitle("Dialog");
    setModal(true);
    auto* grid = new QGridLayout(this);
    // Both start in the user's home folder: there are no drive letters here.
    DEFromDir = new DirectoryEdit(this);
    DEFromDir->setObjectName("DEFromDir");
    DEFromDir->setText(QDir::toNativeSeparators(QDir::homePath()));
    DEToDir = new DirectoryEdit(this);
    DEToDir->setObjectName("DEToDir");
    DEToDir->setText(QDir::toNativeSeparators(QDir::homePath()));
    grid->addWidget(new QLabel("From Dir", this), 0, 0);
    grid->addWidget(DEFromDir, 0, 1);
    grid->addWidget(new QLabel("To Dir", this), 1, 0);
    grid->addWidget(DEToDir, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton("Cancel", this);
    CancelBtn->setObjectName("CancelBtn");
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    grid->addLayout(buttons, 2, 0, 1, 2);
    setMinimumWidth(420);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

} // namespace quon
