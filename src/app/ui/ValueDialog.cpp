#include "app/ui/ValueDialog.h"

#include "platform/ui/System.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace quon {

void layOutValueDialog(QDialog* dialog, QWidget* caption, QWidget* edit, QWidget* unit, QPushButton*& ok,
                       QPushButton*& cancel)
{
    ok = new QPushButton("OK", dialog);
    ok->setObjectName("BOK");
    ok->setDefault(true);
    cancel = new QPushButton("Cancel", dialog);
    cancel->setObjectName("BCancel");
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(caption);
    row->addWidget(edit);
    row->addWidget(unit);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(row);
    layout->addLayout(buttons);
    // Room for the caption.
    dialog->setMinimumWidth(sys::captionWidth(dialog));
}

} // namespace quon
