#include "recognize/ui/FInfoWindow.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quon {

TFInfo* FInfo = nullptr;

TFInfo::TFInfo(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("FInfo");
    setWindowTitle(QString::fromUtf8("Info"));
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    BOK1 = new QPushButton("OK", this);
    BOK1->setObjectName("BOK1");
    connect(BOK1, &QPushButton::clicked, this, &QWidget::hide);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Memo1);
    layout->addWidget(BOK1, 0, Qt::AlignRight);
    resize(360, 420);
}

} // namespace quon
