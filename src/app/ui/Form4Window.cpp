#include "app/ui/Form4Window.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace quon {

TForm4* Form4 = nullptr;

TForm4::TForm4(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("Form4");
    setWindowTitle(QString::fromUtf8("Form4"));
    auto* layout = new QVBoxLayout(this);
    Button1 = new QPushButton("Stop Scanning", this);
    Button1->setObjectName("Button1");
    layout->addWidget(Button1);
    setMinimumWidth(220);
    connect(Button1, &QPushButton::clicked, this, [this] {
        stop_ = true;
        hide();
    });
}

void TForm4::startWatching(QWidget* over)
{
    stop_ = false;
    if (!isVisible() && over) {
        adjustSize();
        move(over->frameGeometry().center() - rect().center());
    }
    show();
    raise();
}

void TForm4::stopWatching() { hide(); }

} // namespace quon
