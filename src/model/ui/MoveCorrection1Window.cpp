#include "model/ui/MoveCorrection1Window.h"

#include "model/Recotypes.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace quon {

TMoveCorrection1* MoveCorrection1 = nullptr;

TMoveCorrection1::TMoveCorrection1(QWidget* parent) : QDialog(parent)
{
    setObjectName("MoveCorrection1");
    setWindowTitle(QString::fromUtf8("Correction Move #"));
    setModal(true);

    Label1 = new QLabel(QString::fromUtf8("Wrong move. Input correct number:"), this);
    Label1->setObjectName("Label1");
    RxSE1 = new QSpinBox(this);
    RxSE1->setObjectName("RxSE1");
    // A move number indexes the move table: nothing past it can be used.
    RxSE1->setRange(0, MaxMoves);
    cbNoMove = new QComboBox(this);
    cbNoMove->setObjectName("cbNoMove");
    // The callers put the candidates in the order they want shown (the
    // recognition inserts each at the top), so the list keeps that order.
    cbNoMove->setInsertPolicy(QComboBox::NoInsert);
    Button1 = new QPushButton(QString::fromUtf8("OK"), this);
    Button1->setObjectName("Button1");
    Button3 = new QPushButton(QString::fromUtf8("No Move"), this);
    Button3->setObjectName("Button3");
    Button2 = new QPushButton(QString::fromUtf8("Cancel"), this);
    Button2->setObjectName("Button2");
    for (QPushButton* b : {Button1, Button3, Button2})
        b->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0, 1, 2);
    grid->addWidget(RxSE1, 1, 0);
    grid->addWidget(cbNoMove, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(Button3);
    buttons->addWidget(Button2);
    grid->addLayout(buttons, 2, 0, 1, 2);

    connect(Button1, &QPushButton::clicked, this, [this] { done(ResultOk); });
    connect(Button3, &QPushButton::clicked, this, [this] { done(ResultNoMove); });
    connect(Button2, &QPushButton::clicked, this, [this] { done(ResultCancel); });
    connect(cbNoMove, &QComboBox::activated, this, &TMoveCorrection1::cbNoMoveSelect);

    // Enter closes with OK from the number and from the list; the filter
    // sees it before the spin box or the combo box act on it.
    RxSE1->installEventFilter(this);
    cbNoMove->installEventFilter(this);
}

void TMoveCorrection1::cbNoMoveSelect(int index)
{
    if (index < 0 || index >= cbNoMove->count())
        return;
    const QString text = cbNoMove->itemText(index).trimmed();
    if (text.isEmpty())
        return;
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < RxSE1->minimum() || n > RxSE1->maximum())
        return;
    RxSE1->setValue(n);
    const int first = cbNoMove->findText(cbNoMove->itemText(index), Qt::MatchExactly);
    if (first >= 0)
        cbNoMove->removeItem(first);
    done(ResultOk);
}

void TMoveCorrection1::reject() { done(ResultCancel); }

bool TMoveCorrection1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && (watched == RxSE1 || watched == cbNoMove)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            RxSE1->interpretText();
            done(ResultOk);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace quon
