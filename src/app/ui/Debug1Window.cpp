#include "app/ui/Debug1Window.h"

#include "app/ui/MainWindow.h"
#include "model/RecognitionLog.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace quon {

TDebug1* Debug1 = nullptr;

TDebug1::TDebug1(QWidget* parent) : QDialog(parent)
{
    setObjectName("Debug1");
    setWindowTitle("Debug1");
    // Placed by hand: the point list is moved to its place whenever it is
    // filled, and the dumps write into fixed fields.
    resize(640, 470);
    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setGeometry(5, 5, 81, 81);
    Image1->setFrameShape(QFrame::Box);
    Image2 = new QLabel(this);
    Image2->setObjectName("Image2");
    Image2->setGeometry(95, 5, 16, 16);
    Image2->setFrameShape(QFrame::Box);
    auto edit = [this](const char* name, int top) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        e->setGeometry(95, top, 100, 24);
        return e;
    };
    ESize1 = edit("ESize1", 30);
    Edit1 = edit("Edit1", 90);
    Edit2 = edit("Edit2", 120);
    Edit3 = edit("Edit3", 150);
    ListBox2 = new QListWidget(this);
    ListBox2->setObjectName("ListBox2");
    ListBox2->setGeometry(5, 205, 190, 220);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setGeometry(205, 5, 430, 420);
    auto button = [this](const char* name, const char* caption, int left) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setGeometry(left, 435, 90, 28);
        return b;
    };
    Button1 = button("Button1", "OK", 355);
    Button3 = button("Button3", "Continue", 450);
    Button2 = button("Button2", "Cancel", 545);
    connect(Button1, &QPushButton::clicked, this, [this] { done(ResultOK); });
    connect(Button3, &QPushButton::clicked, this, [this] { done(ResultContinue); });
    connect(Button2, &QPushButton::clicked, this, [this] {
        if (Form1 && Form1->DebugMode1)
            Form1->DebugMode1->setChecked(false);
        done(ResultCancel);
    });

    RecoLog.onChange = [this] { showLog(); };
    showLog();
}

TDebug1::~TDebug1() { RecoLog.onChange = nullptr; }

void TDebug1::showLog()
{
    const auto& lines = RecoLog.lines();
    // The log only grows between clears, so append what is new.
    if (static_cast<size_t>(ListBox1->count()) > lines.size())
        ListBox1->clear();
    for (size_t i = static_cast<size_t>(ListBox1->count()); i < lines.size(); ++i)
        ListBox1->addItem(QString::fromStdString(lines[i]));
}

} // namespace quon
