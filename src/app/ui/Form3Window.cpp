#include "app/ui/Form3Window.h"

#include "app/ui/MainWindow.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quon {

TForm3* Form3 = nullptr;

TForm3::TForm3(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("Form3");
    setWindowTitle("Form3");
    // Cells get items only when something is written into them, so the
    // 25,600 cells cost little while empty.
    SGgame = new QTableWidget(160, 160, this);
    SGgame->setObjectName("SGgame");
    SGgame->horizontalHeader()->hide();
    SGgame->verticalHeader()->hide();
    SGgame->horizontalHeader()->setMinimumSectionSize(4);
    SGgame->verticalHeader()->setMinimumSectionSize(4);
    SGgame->horizontalHeader()->setDefaultSectionSize(18);
    SGgame->verticalHeader()->setDefaultSectionSize(12);
    SGgame->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    OK = new QPushButton("OK", this);
    OK->setObjectName("OK");
    Button1 = new QPushButton("Cancel", this);
    Button1->setObjectName("Button1");
    connect(OK, &QPushButton::clicked, this, &QWidget::hide);
    connect(Button1, &QPushButton::clicked, this, [] {
        if (Form1 && Form1->DebugRecDigits1)
            Form1->DebugRecDigits1->setChecked(false);
    });
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Edit1);
    bottom->addStretch();
    bottom->addWidget(OK);
    bottom->addWidget(Button1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SGgame);
    layout->addLayout(bottom);
    resize(800, 600);
}

} // namespace quon
