#include "recognize/ui/FCurPropWindow.h"

#include "recognize/TemplateEditing.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace quon {

TFCurProp* FCurProp = nullptr;

TFCurProp::TFCurProp(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("FCurProp");
    setWindowTitle(QString::fromUtf8("Curve Properties"));
    ME1 = new QLineEdit(this);
    ME1->setObjectName("ME1");
    ME1->setInputMask("##");
    ME1->setText("0 ");
    ME2 = new QLineEdit(this);
    ME2->setObjectName("ME2");
    ME2->setInputMask("##");
    ME2->setText("1 ");
    Button1 = new QPushButton("OK", this);
    Button1->setObjectName("Button1");
    Button2 = new QPushButton("Cancel", this);
    Button2->setObjectName("Button2");
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, &QWidget::hide);
    auto* form = new QFormLayout(this);
    form->addRow("Symbol Name", ME1);
    form->addRow("Modification Number", ME2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    form->addRow(buttons);
}

void TFCurProp::Button1Click()
{
    if (TBezFigure* f = currentFigure(DigitPacket)) {
        // A field left blank keeps what the figure had.
        bool digitOk = false, modifOk = false;
        const int digit = ME1->text().trimmed().toInt(&digitOk);
        const int modif = ME2->text().trimmed().toInt(&modifOk);
        if (digitOk) {
            f->Name = ME1->text().trimmed().toStdString();
            f->Digit = digit;
        }
        if (modifOk)
            f->Modif = modif;
        if (changedHook)
            changedHook();
    }
    hide();
}

} // namespace quon
