#include "model/ui/GoToMoveNumberWindow.h"

#include "model/Recotypes.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSlider>

#include <algorithm>

namespace quon {

TGoToMoveNumber* GoToMoveNumber = nullptr;

namespace {

// The text as a number: empty or not a number is 0.
long long numberOf(const QString& text)
{
    bool ok = false;
    const long long v = text.trimmed().toLongLong(&ok);
    return ok ? v : 0;
}

} // namespace

TMoveSpinEdit::TMoveSpinEdit(QWidget* parent) : QSpinBox(parent) {}

QValidator::State TMoveSpinEdit::validate(QString& input, int&) const
{
    for (const QChar c : input)
        if (!c.isDigit())
            return QValidator::Invalid;
    return input.size() <= 9 ? QValidator::Acceptable : QValidator::Invalid;
}

TGoToMoveNumber::TGoToMoveNumber(QWidget* parent) : QDialog(parent)
{
    setObjectName("GoToMoveNumber");
    setWindowTitle(QString::fromUtf8("Go To Move Number"));
    setModal(true);
    // A dialog border: no resizing, no minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    Label1 = new QLabel(QString::fromUtf8("Select move number to go to:"), this);
    Label1->setObjectName("Label1");
    Label2 = new QLabel(QString::fromUtf8("Go to move number:"), this);
    Label2->setObjectName("Label2");
    FromNumberLabel = new QLabel(QString::fromUtf8("0"), this);
    FromNumberLabel->setObjectName("FromNumberLabel");
    ToNumberLabel = new QLabel(QString::fromUtf8("1"), this);
    ToNumberLabel->setObjectName("ToNumberLabel");
    MoveChooseSlider = new QSlider(Qt::Horizontal, this);
    MoveChooseSlider->setObjectName("MoveChooseSlider");
    MoveChooseSlider->setRange(0, 1);
    MoveChooseSlider->setSingleStep(1);
    MoveChooseSlider->setPageStep(1);
    MoveChooseSlider->setTickPosition(QSlider::TicksBelow);
    MoveChooseSlider->setTickInterval(1);
    MoveChooseSpinEdit = new TMoveSpinEdit(this);
    MoveChooseSpinEdit->setObjectName("MoveChooseSpinEdit");
    MoveChooseSpinEdit->setRange(0, 1);
    OKButton = new QPushButton(QString::fromUtf8("&OK"), this);
    OKButton->setObjectName("OKButton");
    CancelButton = new QPushButton(QString::fromUtf8("&Cancel"), this);
    CancelButton->setObjectName("CancelButton");
    for (QPushButton* b : {OKButton, CancelButton})
        b->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0, 1, 3);
    grid->addWidget(FromNumberLabel, 1, 0);
    grid->addWidget(MoveChooseSlider, 1, 1);
    grid->addWidget(ToNumberLabel, 1, 2);
    grid->addWidget(Label2, 2, 0, 1, 2);
    grid->addWidget(MoveChooseSpinEdit, 2, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    grid->addLayout(buttons, 3, 0, 1, 3);
    setFixedSize(sizeHint().expandedTo(QSize(320, 0)));

    connect(OKButton, &QPushButton::clicked, this, [this] { done(ResultOk); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { done(ResultCancel); });
    connect(MoveChooseSlider, &QSlider::valueChanged, this, [this](int v) {
        if (!trimming_ && numberOf(MoveChooseSpinEdit->editor()->text()) != v)
            MoveChooseSpinEdit->setValue(v);
    });
    connect(MoveChooseSpinEdit->editor(), &QLineEdit::textChanged, this, &TGoToMoveNumber::MoveChooseSpinEditChange);

    MoveChooseSlider->installEventFilter(this);
    MoveChooseSpinEdit->installEventFilter(this);
}

int TGoToMoveNumber::GetMoveNumber() const { return MoveChooseSlider->value(); }

void TGoToMoveNumber::SetMoveNumber(int n)
{
    n = std::max(n, 0);
    MoveChooseSlider->setValue(n);
    MoveChooseSpinEdit->setValue(n);
}

void TGoToMoveNumber::SetMaxNumber(int n)
{
    n = std::clamp(n, 1, static_cast<int>(MaxMoves));
    ToNumberLabel->setText(QString::number(n));
    MoveChooseSlider->setMaximum(n);
    MoveChooseSpinEdit->setMaximum(n);
}

TGoToMoveNumber::Trimmed TGoToMoveNumber::TrimToMax(const QString& text, int caret, int max)
{
    Trimmed t{text, caret};
    while (!t.text.isEmpty() && numberOf(t.text) > max) {
        t.text.chop(1);
        if (t.caret > t.text.size())
            t.caret = static_cast<int>(t.text.size());
    }
    return t;
}

void TGoToMoveNumber::MoveChooseSpinEditChange(const QString& text)
{
    if (trimming_)
        return;
    QLineEdit* edit = MoveChooseSpinEdit->editor();
    const Trimmed t = TrimToMax(text, edit->cursorPosition(), MoveChooseSpinEdit->maximum());
    if (t.text != text) {
        trimming_ = true;
        edit->setText(t.text);
        edit->setCursorPosition(t.caret);
        trimming_ = false;
    }
    MoveChooseSlider->setValue(static_cast<int>(numberOf(t.text)));
}

void TGoToMoveNumber::reject() { done(ResultCancel); }

void TGoToMoveNumber::showEvent(QShowEvent* event)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

bool TGoToMoveNumber::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && (watched == MoveChooseSlider || watched == MoveChooseSpinEdit)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            done(ResultOk);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace quon
