#include "app/ui/Debug1Window.h"

#include "model/RecognitionLog.h"

#include <QHBoxLayout>
#include <QListWidget>

namespace quon {

TDebug1* Debug1 = nullptr;

TDebug1::TDebug1(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("Debug1");
    setWindowTitle("Debug1");
    auto* layout = new QHBoxLayout(this);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    ListBox2 = new QListWidget(this);
    ListBox2->setObjectName("ListBox2");
    layout->addWidget(ListBox1, 3);
    layout->addWidget(ListBox2, 1);
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
