#include "app/ui/ManualPtWindow.h"

#include "app/CornerPointing.h"
#include "model/Recotypes.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/System.h"
#include "app/ui/MainWindow.h"
#include "app/ui/PageView.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace quon {

TManualPt* ManualPt = nullptr;

namespace {
QString text(const std::string& s) { return QString::fromStdString(s); }
} // namespace

TManualPt::TManualPt(QWidget* parent) : QWidget(parent, Qt::Tool)
{
    setObjectName("ManualPt");
    setWindowTitle("Manual Corners Pointing");
    auto label = [this](const char* name, const char* caption) {
        auto* l = new QLabel(caption, this);
        l->setObjectName(name);
        return l;
    };
    Label1 = label("Label1", "Corner");
    Label2 = label("Label2", "X=");
    Label3 = label("Label3", "Y=");
    Lbl2 = label("Lbl2", "1");
    Lbl4 = label("Lbl4", "1");
    Lbl6 = label("Lbl6", "1");
    Lbl8 = label("Lbl8", "1");
    auto button = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        return b;
    };
    Button1 = button("Button1", "Next");
    Button2 = button("Button2", "Cancel");
    Button3 = button("Button3", "Exit");
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(Button1); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button1Click(Button3); });
    // Cancel has no command.

    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0, 1, 3);
    layout->addWidget(Label2, 1, 0);
    layout->addWidget(Label3, 1, 1);
    layout->addWidget(Lbl2, 2, 0, 1, 3);
    layout->addWidget(Lbl4, 3, 0, 1, 3);
    layout->addWidget(Lbl6, 4, 0, 1, 3);
    layout->addWidget(Lbl8, 5, 0, 1, 3);
    layout->addWidget(Button1, 6, 0);
    layout->addWidget(Button3, 6, 1);
    layout->addWidget(Button2, 6, 2);
    setMinimumWidth(300);
}

QLabel* TManualPt::cornerLabel(uint8_t corner) const
{
    switch (corner) {
    case 2:
        return Lbl2;
    case 4:
        return Lbl4;
    case 6:
        return Lbl6;
    case 8:
        return Lbl8;
    default:
        return nullptr;
    }
}

void TManualPt::showEvent(QShowEvent* e)
{
    if (width() < sys::captionWidth(this))
        resize(sys::captionWidth(this), height());
    placeAwayFromCorner();
    QWidget::showEvent(e);
}

void TManualPt::placeAwayFromCorner()
{
    if (!Form1)
        return;
    // The corner of the page as it is shown, on the screen.
    const int x = CurrentCorner == 4 || CurrentCorner == 6 ? Form1->ShownWidth : 0;
    const int y = CurrentCorner == 6 || CurrentCorner == 8 ? Form1->ShownHeight : 0;
    sys::placeBeside(this, Form1, Form1->Image1->mapToGlobal(QPoint(x, y)));
}

void TManualPt::startPointing()
{
    CurrentCorner = FirstCorner;
    Label1->setText(text(cornerTitle(CurrentCorner)));
    for (uint8_t k : {2, 4, 6, 8})
        cornerLabel(k)->setText(text(cornerLineReset(k)));
}

void TManualPt::NextClick()
{
    CurrentCorner = nextCorner(CurrentCorner);
    Label1->setText(text(cornerTitle(CurrentCorner)));
    if (isVisible())
        placeAwayFromCorner();
}

void TManualPt::Button1Click(QPushButton* sender)
{
    if (sender->text() == "Next")
        NextClick();
    else if (sender->text() == "Exit")
        exitPointing();
}

bool TManualPt::exitPointing()
{
    bool enough = false;
    try {
        enough = enoughCornersPointed();
    } catch (const RangeError&) {
        // The diagram window was changed to one off the board meanwhile:
        // nothing usable was pointed.
    }
    if (enough) {
        Reco.CornerMode = 0;
        hide();
        Reco.CornersPointed = 1;
        return true;
    }
    if (!Dialogs::current().question("Too few corners pointed. Are you sure to exit?"))
        return false;
    Reco.CornerMode = 0;
    hide();
    Reco.CornersPointed = 0;
    return true;
}

void TManualPt::showMousePosition(const IntPoint& page)
{
    Label2->setText(QStringLiteral("X=%1").arg(page.X));
    Label3->setText(QStringLiteral("Y=%1").arg(page.Y));
}

void TManualPt::showCorner(uint8_t corner, const IntPoint& page)
{
    if (QLabel* l = cornerLabel(corner))
        l->setText(text(cornerLine(corner, page)));
}

void TManualPt::closeEvent(QCloseEvent* e)
{
    if (Reco.CornerMode == 1 && !exitPointing()) {
        e->ignore();
        return;
    }
    e->accept();
}

} // namespace quon
