#include "editor/ui/FrmToolsWindow.h"

#include "editor/GoGridDrawing.h"
#include "editor/GoGridModel.h"
#include "editor/ui/FrmDgrWindow.h"
#include "editor/ui/FrmMainWindow.h"
#include "editor/ui/GoGridWidget.h"
#include "editor/ui/NumOptWindow.h"
#include "platform/ui/RasterCanvas.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace quon {

TFrmTools* FrmTools = nullptr;

namespace {

struct ToolEntry {
    uint8_t tool;
    const char* name;
    const char* hint;   // empty: none
    const char* cursor; // empty: the plain pointer
    DgrCell glyph;      // drawn as a grid cell when `text` is empty
    const char* text;
};

// clang-format off
const ToolEntry toolTable[] = {
    {ToolPointer, "btnDefault", "Обычный курсор", "", {}, "↖"},
    {ToolBlack, "btnBlack", "Рисует черный камень", "GoCurBlack", {0, ElemCross, StoneBlack, 0, 0}, ""},
    {ToolWhite, "btnWhite", "Рисует белый камень", "GoCurWhite", {0, ElemCross, StoneWhite, 0, 0}, ""},
    {ToolCrossing, "btnCentr", "Рисует элемент доски", "GoCurCenter", {0, ElemCross, 0, 0, 0}, ""},
    {ToolStarPoint, "btnHoshi", "Рисует элемент доски", "GoCurHoshi", {0, ElemStar, 0, 0, 0}, ""},
    {ToolLeftEdge, "btnLeft", "Рисует элемент доски", "GoCurLeft", {0, ElemLeft, 0, 0, 0}, ""},
    {ToolRightEdge, "btnRight", "Рисует элемент доски", "GoCurRight", {0, ElemRight, 0, 0, 0}, ""},
    {ToolTopEdge, "btnUp", "Рисует элемент доски", "GoCurUp", {0, ElemTop, 0, 0, 0}, ""},
    {ToolBottomEdge, "btnDown", "Рисует элемент доски", "GoCurDown", {0, ElemBottom, 0, 0, 0}, ""},
    {ToolTopLeft, "btnUpLeft", "Рисует элемент доски", "GoCurUpLeft", {0, ElemTopLeft, 0, 0, 0}, ""},
    {ToolTopRight, "btnUpRight", "Рисует элемент доски", "GoCurUpRight", {0, ElemTopRight, 0, 0, 0}, ""},
    {ToolBottomLeft, "btnDownLeft", "Рисует элемент доски", "GoCurDownLeft", {0, ElemBottomLeft, 0, 0, 0}, ""},
    {ToolBottomRight, "btnDownRigth", "Рисует элемент доски", "GoCurDownRight", {0, ElemBottomRight, 0, 0, 0}, ""},
    {ToolDeleteStone, "btnDelStone", "Стирает камень", "GoCurDelStone", {}, "×"},
    {ToolDeleteAll, "btnDelAll", "Стирает камень и элемент доски", "GoCurDelAll", {}, "⌧"},
    {ToolBoard19, "btn19", "Рисует доску 19х19", "GoCur19", {}, "19"},
    {ToolBoard13, "btn13", "Рисует доску 13х13", "GoCur13", {}, "13"},
    {ToolBoard11, "SpeedButton9", "", "GoCur13", {}, "11"},
    {ToolBoard9, "btn9", "Рисует доску 9х9", "GoCur9", {}, "9"},
    {ToolBoard9, "SpeedButton10", "", "GoCur9", {}, " "},
    {ToolSquare, "btnKvadr", "Рисует квадрат", "GoCurKvadr", {0, ElemCross, 0, MarkSquare, 0}, ""},
    {ToolTriangle, "btnTreug", "Рисует треугольник", "GoCurTreug", {0, ElemCross, 0, MarkTriangle, 0}, ""},
    {ToolArrow, "btnStrelka", "Рисует стрелку", "GoCurStrelka", {0, ElemCross, 0, MarkArrow, 0}, ""},
    {ToolNextMove, "btnAuto", "Рисует следующий ход", "GoCurAuto", {1, ElemCross, StoneBlack, 0, 0}, ""},
    {ToolBlockStart, "SpeedButton5", "Начало блока", "", {}, "┌"},
    {ToolBlockEnd, "SpeedButton6", "Конец блока", "", {}, "┘"},
    {ToolCrossMark, "btnCross", "Рисует крестик", "GoCurDelAll", {0, ElemCross, 0, MarkCross, 0}, ""},
    // The circle's hint as it was meant to read.
    {ToolCircle, "btnCircle", "Рисует кружок", "GoCurWhite", {0, ElemCross, 0, MarkCircle, 0}, ""},
};
// clang-format on

constexpr int GlyphSide = 24;

QImage glyph(const ToolEntry& e)
{
    QImage image(GlyphSide, GlyphSide, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    if (*e.text) {
        QPainter p(&image);
        p.setPen(Qt::black);
        QFont f = p.font();
        f.setPixelSize(13);
        f.setBold(true);
        p.setFont(f);
        p.drawText(image.rect(), Qt::AlignCenter, QString::fromUtf8(e.text));
        return image;
    }
    image.fill(Qt::white);
    RasterCanvas canvas(image);
    static const std::array<GdiFont, 3> fonts = screenFonts(DgrDisplayBlock::makeNew(GlyphSide, GlyphSide));
    DrawScreenCell(canvas, e.glyph, ScreenCellRect{0, 0, GlyphSide, GlyphSide}, 0xFFFFFFu, fonts);
    return image;
}

QHash<QString, QCursor>& cursors()
{
    static QHash<QString, QCursor> table;
    if (table.isEmpty())
        for (const ToolEntry& e : toolTable)
            if (*e.cursor && !table.contains(e.cursor))
                table.insert(e.cursor, QCursor(QPixmap::fromImage(glyph(e)), GlyphSide / 2, GlyphSide / 2));
    return table;
}

tGoGrid* currentGrid() { return FrmDgr ? FrmDgr->grid() : nullptr; }

} // namespace

QCursor TFrmTools::toolCursor(const QString& name) { return cursors().value(name, QCursor(Qt::ArrowCursor)); }

QString TFrmTools::cursorName(uint8_t tool)
{
    for (const ToolEntry& e : toolTable)
        if (e.tool == tool)
            return QString::fromLatin1(e.cursor);
    return {};
}

TFrmTools::TFrmTools(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("FrmTools");
    setWindowTitle(QString::fromUtf8("Инструменты"));
    auto* top = new QVBoxLayout(this);
    auto* header = new QLabel(QString::fromUtf8("Инструменты"), this);
    top->addWidget(header);
    auto* grid = new QGridLayout;
    grid->setSpacing(1);
    tools = new QButtonGroup(this);
    tools->setExclusive(true);
    int i = 0;
    for (const ToolEntry& e : toolTable) {
        auto* b = new QToolButton(this);
        b->setObjectName(e.name);
        b->setCheckable(true);
        b->setAutoRaise(false);
        b->setIcon(QIcon(QPixmap::fromImage(glyph(e))));
        b->setIconSize(QSize(GlyphSide, GlyphSide));
        b->setProperty("tool", e.tool);
        b->setProperty("hintText", QString::fromUtf8(e.hint));
        tools->addButton(b);
        grid->addWidget(b, i / 4, i % 4);
        ++i;
        connect(b, &QToolButton::clicked, this, [this, b] { toolClicked(b); });
    }
    toolButton("SpeedButton6")->setChecked(true);
    top->addLayout(grid);

    auto* box = new QGroupBox(QString::fromUtf8("Команды"), this);
    auto* boxColumn = new QVBoxLayout(box);
    auto command = [&](QPushButton*& b, const char* name, const char* caption, const char* hint) {
        b = new QPushButton(QString::fromUtf8(caption), box);
        b->setObjectName(name);
        b->setProperty("hintText", QString::fromUtf8(hint));
        boxColumn->addWidget(b);
        commands_.push_back(b);
    };
    command(btntoStatic, "btntoStatic", "To Static ", "");
    command(btnBrd19, "btnBrd19", "19 x 19", "доска 19 x 19 в текущую позицию");
    command(btnToBufer, "btnToBufer", "В буфер", "Блок в буфер");
    command(btnFromBufer, "btnFromBufer", "Из буфера", "Буфер в текущую позицию");
    command(btnCycle, "btnCycle", "Цикл", "Цикл по блоку текущим инструментом");
    command(btnTect, "btnTect", "Тест", "Проверка правильности по блоку");
    command(btnUndo, "btnUndo", "Отмена", "Отмена предыдущей команды");
    btnFromBufer->setEnabled(false);
    top->addWidget(box);
    cbxHint = new QCheckBox(QString::fromUtf8("Подсказка"), this);
    cbxHint->setObjectName("cbxHint");
    top->addWidget(cbxHint);
    connect(cbxHint, &QCheckBox::toggled, this, &TFrmTools::setHintsShown);

    auto onGrid = [](auto action) {
        return [action] {
            if (tGoGrid* g = currentGrid()) {
                action(g->model());
                g->RepaintAll();
            }
        };
    };
    // Taking every number off is a grid-wide change like the others: it can
    // be undone.
    connect(btntoStatic, &QPushButton::clicked, this, onGrid([](GoGridModel& m) {
                m.TakeUndo();
                tDgr& grid = m.Document().Grid;
                for (int32_t y = 0; y < grid.Height(); ++y)
                    for (int32_t x = 0; x < grid.Width(); ++x) {
                        DgrCell c = grid.GetCell(x, y);
                        c.Number = 0;
                        grid.PutCell(x, y, c);
                    }
            }));
    connect(btnBrd19, &QPushButton::clicked, this, onGrid([](GoGridModel& m) {
                m.TakeUndo();
                m.Paste19();
            }));
    connect(btnToBufer, &QPushButton::clicked, this, [this] {
        if (tGoGrid* g = currentGrid()) {
            g->model().BlockToBuffer();
            btnFromBufer->setEnabled(true);
        }
    });
    connect(btnFromBufer, &QPushButton::clicked, this, onGrid([](GoGridModel& m) {
                m.TakeUndo();
                m.BufferToCursor();
            }));
    connect(btnCycle, &QPushButton::clicked, this, onGrid([](GoGridModel& m) {
                m.TakeUndo();
                m.CycleBlock(CurrentTool);
            }));
    connect(btnTect, &QPushButton::clicked, this, onGrid([](GoGridModel& m) {
                m.TakeUndo();
                m.ClearTestFlags();
                m.TestNumbers();
            }));
    connect(btnUndo, &QPushButton::clicked, this, onGrid([](GoGridModel& m) { m.Undo(); }));
}

void TFrmTools::showEvent(QShowEvent* event)
{
    // The first time it shows: at the left screen edge, right below the
    // editor's main window (whose frame is known only once it is shown).
    if (!placed_ && FrmMain && FrmMain->isVisible()) {
        placed_ = true;
        // Before the window manager has framed the main window its frame is
        // not known yet; the title bar's usual height stands in for it.
        const QRect inner = FrmMain->geometry(), outer = FrmMain->frameGeometry();
        const int titleBar = inner.top() > outer.top() ? 0 : style()->pixelMetric(QStyle::PM_TitleBarHeight) + 8;
        move(0, outer.bottom() + 1 + titleBar);
    }
    QWidget::showEvent(event);
}

QToolButton* TFrmTools::toolButton(const char* name) const { return findChild<QToolButton*>(name); }

void TFrmTools::toolClicked(QToolButton* button)
{
    CurrentTool = static_cast<uint8_t>(button->property("tool").toInt());
    applyCursorToGrid();
    if (CurrentTool == ToolNextMove && NumOpt) {
        NumOpt->reset();
        NumOpt->show();
    }
}

void TFrmTools::showTool(uint8_t tool)
{
    for (QAbstractButton* b : tools->buttons())
        if (b->property("tool").toInt() == tool) {
            b->setChecked(true);
            break;
        }
    applyCursorToGrid();
}

void TFrmTools::applyCursorToGrid()
{
    tGoGrid* g = currentGrid();
    if (!g)
        return;
    const QString name = cursorName(CurrentTool);
    g->setProperty("toolCursor", name);
    if (name.isEmpty())
        g->unsetCursor();
    else
        g->setCursor(toolCursor(name));
}

void TFrmTools::bufferEmptied() { btnFromBufer->setEnabled(false); }

void TFrmTools::setHintsShown(bool shown)
{
    for (QAbstractButton* b : tools->buttons())
        b->setToolTip(shown ? b->property("hintText").toString() : QString());
    for (QPushButton* b : commands_)
        b->setToolTip(shown ? b->property("hintText").toString() : QString());
}

} // namespace quon
