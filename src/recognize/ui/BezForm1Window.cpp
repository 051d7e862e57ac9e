#include "recognize/ui/BezForm1Window.h"

#include "platform/ui/Dialogs.h"
#include "recognize/TemplateEditing.h"
#include "recognize/ui/DigitSetLoading.h"
#include "recognize/ui/FCurPropWindow.h"
#include "recognize/ui/FInfoWindow.h"
#include "recognize/ui/FOptionsWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextEdit>
#include <QVBoxLayout>

#include <cmath>

namespace quon {

TBezForm1* BezForm1 = nullptr;

namespace {

// Sets a flag for the length of a scope.
struct Raise {
    explicit Raise(bool& f) : flag(f), old(f) { flag = true; }
    ~Raise() { flag = old; }
    bool& flag;
    bool old;
};

const Qt::GlobalColor HandleColours[4] = {Qt::gray, Qt::red, Qt::green, Qt::gray};

} // namespace

TBezForm1::TBezForm1(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("BezForm1");
    setWindowTitle(QString::fromUtf8("Quon Editor of Bezier Curves"));

    Image1 = new QWidget(this);
    Image1->setObjectName("Image1");
    Image1->setFixedSize(350, 600);
    Image1->setAttribute(Qt::WA_OpaquePaintEvent);
    Image1->installEventFilter(this);

    auto* fields = new QGridLayout;
    const double start[4][2] = {{30, 100}, {50, 100}, {0, 50}, {100, 50}};
    for (int n = 0; n < 4; ++n) {
        for (int k = 0; k < 2; ++k) {
            auto* box = new QDoubleSpinBox(this);
            box->setObjectName(QStringLiteral("E%1%2").arg(k == 0 ? 'x' : 'y').arg(n));
            box->setRange(-1000, 1000);
            box->setDecimals(0);
            box->setValue(start[n][k]);
            (k == 0 ? Ex : Ey)[n] = box;
            fields->addWidget(new QLabel(QStringLiteral("%1%2:").arg(k == 0 ? 'x' : 'y').arg(n), this), n, 2 * k);
            fields->addWidget(box, n, 2 * k + 1);
            connect(box, &QDoubleSpinBox::valueChanged, this, [this, n, k] { pointFieldChanged(n, k == 0); });
        }
    }

    auto spin = [this](const char* name, int min, int max, int value) {
        auto* s = new QSpinBox(this);
        s->setObjectName(name);
        s->setRange(min, max);
        s->setValue(value);
        return s;
    };
    EFigNo = spin("EFigNo", 1, 1, 1);
    ESName = new QLineEdit(this);
    ESName->setObjectName("ESName");
    RxSEModif1 = spin("RxSEModif1", 0, 99, 0);
    ECurveNo = spin("ECurveNo", 0, 0, 0);
    EArcNo = spin("EArcNo", 0, 0, 0);
    connect(EFigNo, &QSpinBox::valueChanged, this, [this] {
        if (!limiting_)
            figureSelected();
    });
    connect(ECurveNo, &QSpinBox::valueChanged, this, [this] {
        if (!limiting_)
            curveSelected();
    });
    connect(EArcNo, &QSpinBox::valueChanged, this, [this] {
        if (!limiting_)
            arcSelected();
    });
    connect(RxSEModif1, &QSpinBox::valueChanged, this, [this](int v) {
        if (TBezFigure* f = currentFigure(DigitPacket))
            f->Modif = v;
    });
    connect(ESName, &QLineEdit::textChanged, this, [](const QString& text) {
        if (TBezFigure* f = currentFigure(DigitPacket))
            renameFigure(*f, text.toStdString());
    });

    auto mask = [this](const char* name, const char* inputMask, const char* text) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        e->setInputMask(inputMask);
        e->setText(text);
        e->setMaximumWidth(40);
        return e;
    };
    MEd = mask("MEd", "#", "1");
    MEx = mask("MEx", "##", "16");
    MEy = mask("MEy", "##", "32");
    Button4 = new QPushButton("Show Ar", this);
    Button4->setObjectName("Button4");
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    REdit1 = new QTextEdit(this);
    REdit1->setObjectName("REdit1");
    REdit1->setMaximumHeight(80);

    auto* selectors = new QGridLayout;
    int r = 0;
    auto row = [&](const char* caption, QWidget* w) {
        selectors->addWidget(new QLabel(caption, this), r, 0);
        selectors->addWidget(w, r++, 1);
    };
    row("Figure #", EFigNo);
    row("Name", ESName);
    row("Modif #", RxSEModif1);
    row("Curve #", ECurveNo);
    row("Arc #", EArcNo);
    auto* preview = new QHBoxLayout;
    preview->addWidget(new QLabel("LThick", this));
    preview->addWidget(MEd);
    preview->addWidget(new QLabel("Size X:", this));
    preview->addWidget(MEx);
    preview->addWidget(new QLabel("Y", this));
    preview->addWidget(MEy);
    preview->addWidget(Button4);

    auto* side = new QVBoxLayout;
    side->addLayout(selectors);
    side->addLayout(fields);
    side->addLayout(preview);
    side->addWidget(REdit1);
    side->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addWidget(Image1, 0, Qt::AlignTop);
    body->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName("MainMenu1");
    layout->setMenuBar(MainMenu1);
    layout->addLayout(body);
    buildMenu();
}

void TBezForm1::buildMenu()
{
    auto menu = [this](const QString& title) { return MainMenu1->addMenu(title); };
    auto add = [this](QMenu* m, const QString& caption, void (TBezForm1::*command)(),
                      const QKeySequence& key = {}) {
        QAction* a = m->addAction(caption);
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
        if (command)
            connect(a, &QAction::triggered, this, [this, command] { (this->*command)(); });
        return a;
    };
    QMenu* file = menu("File");
    add(file, "New", &TBezForm1::NewClick);
    add(file, "Open", &TBezForm1::OpenClick);
    add(file, "Save", &TBezForm1::SaveClick);
    connect(add(file, "Options", nullptr), &QAction::triggered, this, [] {
        if (FOptions)
            FOptions->show();
    });
    connect(add(file, "Quit", nullptr), &QAction::triggered, this, &QWidget::hide);
    QMenu* packet = menu("Packet");
    add(packet, "Add packet", &TBezForm1::AddPacketClick);
    add(packet, "Change curves", nullptr)->setEnabled(false);
    add(packet, "Sort Figures", &TBezForm1::SortFiguresClick);
    add(packet, "Info", &TBezForm1::PacketInfoClick);
    QMenu* figure = menu("Figure");
    add(figure, "Add New Figure", &TBezForm1::AddNewFigureClick);
    add(figure, "Add from .Bez file", nullptr);
    add(figure, "Copy current Figure", &TBezForm1::CopyFigureClick);
    add(figure, "Info", &TBezForm1::FigureInfoClick);
    add(figure, "Delete Figure", &TBezForm1::DeleteFigureClick);
    QMenu* curve = menu("Curve");
    add(curve, "New Curve", &TBezForm1::NewCurveClick);
    add(curve, "Delete Curve", &TBezForm1::DeleteCurveClick);
    // The menu title and its first entry both claim Ctrl+A; the entry has it.
    QMenu* arc = menu("Arc");
    add(arc, "Add Arc", &TBezForm1::AddArcClick, QKeySequence("Ctrl+A"));
    add(arc, "Delete Arc", &TBezForm1::DeleteArcClick, QKeySequence("Ctrl+Y"));
    add(arc, "Delete all Arcs", &TBezForm1::DeleteAllArcsClick, QKeySequence("Ctrl+Alt+Y"));
    QMenu* grid = menu("Grid");
    connect(add(grid, "Show", nullptr), &QAction::triggered, this, [this] {
        if (showGridHook)
            showGridHook();
    });
    QMenu* help = menu("Help");
    add(help, "Contents", nullptr);
    add(help, "About", nullptr);
    for (QAction* a : MainMenu1->actions())
        for (QAction* entry : a->menu()->actions())
            addAction(entry); // shortcuts work with the menus closed
}

QAction* TBezForm1::action(const QString& menu, const QString& entry) const
{
    for (QAction* a : MainMenu1->actions())
        if (a->text() == menu)
            for (QAction* e : a->menu()->actions())
                if (e->text() == entry)
                    return e;
    return nullptr;
}

// ---- Selectors ------------------------------------------------------------------

void TBezForm1::ChangeMaxLim(int level)
{
    Raise guard(limiting_);
    TBezFigure* f = currentFigure(DigitPacket);
    TCurves* c = currentCurve(DigitPacket);
    if (level >= 1) {
        if (f && f->NCurves > 0 && c) {
            EArcNo->setRange(std::min(1, c->NArcs), c->NArcs);
            EArcNo->setValue(c->CurArc);
        } else {
            EArcNo->setRange(0, 0);
        }
    }
    if (level >= 2) {
        if (f && f->NCurves > 0) {
            ECurveNo->setRange(1, f->NCurves);
            ECurveNo->setValue(f->CurCurve);
        } else {
            ECurveNo->setRange(0, 0);
        }
    }
    if (level >= 3) {
        EFigNo->setRange(std::min(1, DigitPacket.NFigs), std::max(1, DigitPacket.NFigs));
        EFigNo->setValue(std::max(1, DigitPacket.CurFig));
    }
}

void TBezForm1::figureSelected()
{
    if (DigitPacket.NFigs <= 0)
        return;
    DigitPacket.CurFig = std::clamp(EFigNo->value(), 1, DigitPacket.NFigs);
    TBezFigure& f = DigitPacket.Figures[DigitPacket.CurFig];
    // The name shown is the digit, and the figure is renamed so: names are
    // not kept in files.
    ESName->setText(QString::number(f.Digit));
    RxSEModif1->setValue(f.Modif);
    if (f.NCurves > 0) {
        if (f.CurCurve < 1 || f.CurCurve > f.NCurves)
            f.CurCurve = 1;
        ChangeMaxLim(2);
        curveSelected();
    } else {
        ChangeMaxLim(2);
        redraw();
    }
}

void TBezForm1::curveSelected()
{
    TBezFigure* f = currentFigure(DigitPacket);
    if (!f || ECurveNo->value() == 0 || f->NCurves == 0)
        return;
    f->CurCurve = ECurveNo->value();
    TCurves& c = f->Curves[f->CurCurve];
    if (c.CurArc < 1 || c.CurArc > c.NArcs)
        c.CurArc = std::min(1, c.NArcs);
    ChangeMaxLim(1);
    if (f->CurCurve > 0 && f->CurCurve <= f->NCurves)
        arcSelected();
}

void TBezForm1::arcSelected()
{
    TCurves* c = currentCurve(DigitPacket);
    if (!c || c->NArcs == 0)
        return;
    c->SelectArc(EArcNo->value());
    writeFields(4);
    redraw();
}

// ---- Point fields -----------------------------------------------------------------

void TBezForm1::pointFieldChanged(int n, bool x)
{
    // The program's own writes into the fields never move points.
    if (suspend_ || !hasCurrentArc(DigitPacket))
        return;
    IntPoint p = DragHandles[n];
    if (x)
        p.X = percentToPixelX(static_cast<int32_t>(std::lround(Ex[n]->value())));
    else
        p.Y = percentToPixelY(static_cast<int32_t>(std::lround(Ey[n]->value())));
    moveArcPoint(DigitPacket, n, p);
    redraw();
}

void TBezForm1::writeFields(int handle)
{
    Raise guard(suspend_);
    for (int i = 0; i <= 3; ++i) {
        if (handle != 4 && i != handle)
            continue;
        Ex[i]->setValue(pixelToPercentX(DragHandles[i].X));
        Ey[i]->setValue(pixelToPercentY(DragHandles[i].Y));
    }
    if (handle == 4)
        REdit1->clear();
}

// ---- Drawing ------------------------------------------------------------------------

void TBezForm1::redraw()
{
    drawn_ = true;
    Image1->update();
}

void TBezForm1::paintImage()
{
    QPainter p(Image1);
    p.fillRect(Image1->rect(), Qt::white);
    if (!drawn_)
        return;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::blue, 1, Qt::DotLine));
    for (int k = 0; k <= 5; ++k)
        p.drawLine(50 + k * 50, 50, 50 + k * 50, 550);
    for (int k = 0; k <= 10; ++k)
        p.drawLine(50, 50 + k * 50, 300, 50 + k * 50);

    TBezFigure* f = currentFigure(DigitPacket);
    if (!f)
        return;
    const bool arc = hasCurrentArc(DigitPacket);
    if (arc) {
        p.setPen(QPen(Qt::black, 1));
        for (int i = 0; i <= 3; ++i) {
            p.setBrush(HandleColours[i]);
            p.drawEllipse(QPoint(DragHandles[i].X, DragHandles[i].Y), 5, 5);
        }
        p.drawLine(DragHandles[0].X, DragHandles[0].Y, DragHandles[1].X, DragHandles[1].Y);
        p.drawLine(DragHandles[2].X, DragHandles[2].Y, DragHandles[3].X, DragHandles[3].Y);
        p.setBrush(Qt::NoBrush);
    }
    auto arcPath = [](const IntPoint* pts) {
        QPainterPath path(QPointF(pts[0].X, pts[0].Y));
        path.cubicTo(pts[1].X, pts[1].Y, pts[2].X, pts[2].Y, pts[3].X, pts[3].Y);
        return path;
    };
    p.setPen(QPen(Qt::black, 5));
    for (int c = 1; c <= f->NCurves; ++c) {
        const TCurves& curve = f->Curves[c];
        for (int a = 1; a <= curve.NArcs; ++a) {
            IntPoint pts[4];
            for (int i = 0; i < 4; ++i)
                pts[i] = curve.ArcPoints[3 * (a - 1) + i];
            p.drawPath(arcPath(pts));
        }
    }
    if (arc) {
        IntPoint pts[4];
        for (int i = 0; i < 4; ++i)
            pts[i] = DragHandles[i];
        p.setPen(QPen(Qt::red, 5));
        p.drawPath(arcPath(pts));
    }
}

bool TBezForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != Image1)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Paint:
        paintImage();
        return true;
    case QEvent::MouseButtonPress: {
        const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
        dragged_ = handleAt(DigitPacket, {pos.x(), pos.y()});
        return true;
    }
    case QEvent::MouseMove: {
        if (dragged_ == NoHandle)
            return true;
        const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (moveArcPoint(DigitPacket, dragged_, {pos.x(), pos.y()})) {
            if (FOptions && FOptions->CBExactCoord1->isChecked())
                writeFields(dragged_);
            redraw();
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (hasCurrentArc(DigitPacket))
            writeFields(4);
        dragged_ = NoHandle;
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

// ---- Commands ------------------------------------------------------------------------

void TBezForm1::showSet()
{
    ChangeMaxLim(3);
    figureSelected();
    redraw();
}

void TBezForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    showSet();
}

void TBezForm1::clearEditor()
{
    DigitPacket.Clear();
    {
        Raise guard(limiting_);
        ECurveNo->setRange(0, 0);
        EArcNo->setRange(0, 0);
    }
    dragged_ = NoHandle;
    drawn_ = false;
    Image1->update();
    REdit1->clear();
}

void TBezForm1::NewClick()
{
    clearEditor();
    // The reader works with the new, empty set from now on.
    DigitPacket = TBezPacket{};
    DigitPacket.AddFigure();
    showSet();
}

void TBezForm1::OpenClick()
{
    const QString file = Dialogs::current().openFile(digitSetOpenDialog());
    if (file.isEmpty())
        return;
    // A file that cannot be read leaves the set as it was.
    if (loadDigitPacket(file)) {
        dragged_ = NoHandle;
        REdit1->clear();
    }
    showSet();
}

void TBezForm1::SaveClick()
{
    FileDialogSpec spec = digitSetSaveDialog();
    spec.fileName = QString::fromStdString(DigitPacket.FileName);
    const QString file = Dialogs::current().saveFile(spec);
    if (file.isEmpty())
        return;
    std::string error;
    if (!DigitPacket.SaveToFile(QFile::encodeName(file).toStdString(), error))
        Dialogs::current().information(QString::fromStdString(error));
}

void TBezForm1::AddPacketClick()
{
    const QString file = Dialogs::current().openFile(digitSetOpenDialog());
    if (file.isEmpty())
        return;
    std::string error;
    if (!DigitPacket.AppendFile(QFile::encodeName(file).toStdString(), error))
        Dialogs::current().information(QString::fromStdString(error));
    ChangeMaxLim(3);
}

void TBezForm1::SortFiguresClick()
{
    DigitPacket.SortFigures();
    showSet();
}

void TBezForm1::PacketInfoClick()
{
    if (!FInfo)
        return;
    FInfo->Memo1->setPlainText(QString::fromStdString(DigitPacket.ShowInfo()));
    FInfo->show();
}

static ArcPercent fieldArc(QDoubleSpinBox* const ex[4], QDoubleSpinBox* const ey[4])
{
    ArcPercent arc;
    for (size_t i = 0; i < 4; ++i)
        arc[i] = {static_cast<int32_t>(std::lround(ex[i]->value())), static_cast<int32_t>(std::lround(ey[i]->value()))};
    return arc;
}

void TBezForm1::AddNewFigureClick()
{
    if (!DigitPacket.AddFigure())
        return;
    NewCurveClick();
    showSet();
}

void TBezForm1::CopyFigureClick()
{
    DigitPacket.DuplicateCurrent();
    showSet();
}

void TBezForm1::FigureInfoClick()
{
    if (!FCurProp)
        return;
    FCurProp->changedHook = [this] { showSet(); };
    FCurProp->show();
}

void TBezForm1::DeleteFigureClick()
{
    DigitPacket.DeleteFigure();
    showSet();
}

void TBezForm1::NewCurveClick()
{
    TBezFigure* f = currentFigure(DigitPacket);
    if (!f || !f->NewCurve(fieldArc(Ex, Ey)))
        return;
    ChangeMaxLim(2);
    curveSelected();
}

void TBezForm1::DeleteCurveClick()
{
    TBezFigure* f = currentFigure(DigitPacket);
    if (!f || !f->DeleteCurve())
        return;
    ChangeMaxLim(2);
    curveSelected();
    redraw();
}

void TBezForm1::AddArcClick()
{
    // A figure without curves gets its first one.
    if (!addArc(DigitPacket, fieldArc(Ex, Ey)))
        return;
    ChangeMaxLim(2);
    curveSelected();
}

void TBezForm1::DeleteArcClick()
{
    TCurves* c = currentCurve(DigitPacket);
    if (!c || !c->DeleteArc())
        return;
    ChangeMaxLim(1);
    arcSelected();
}

void TBezForm1::DeleteAllArcsClick()
{
    // Clears the drawing only: the arcs stay in the figure.
    drawn_ = false;
    Image1->update();
    dragged_ = NoHandle;
    REdit1->clear();
}

void TBezForm1::Button4Click()
{
    const TBezFigure* f = currentFigure(DigitPacket);
    if (!f)
        return;
    const int w = MEx->text().trimmed().toInt();
    const int h = MEy->text().trimmed().toInt();
    if (w < 1 || h < 1)
        return;
    // A blank thickness is the reader's own.
    const int d = std::max(1, MEd->text().trimmed().toInt());
    if (showRasterHook)
        showRasterHook(previewRaster(*f, w, h, d), w, h);
}

} // namespace quon
