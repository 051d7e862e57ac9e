#include "editor/ui/GoGridWidget.h"

#include "editor/Cp1251.h"
#include "editor/ui/NumOptWindow.h"
#include "platform/ui/RasterCanvas.h"

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

namespace quon {

namespace {

constexpr int32_t MinScreenStep = 10;
constexpr int32_t MaxScreenStep = 511;

GdiColour gdiColour(const QColor& c)
{
    return static_cast<GdiColour>(c.red()) | (static_cast<GdiColour>(c.green()) << 8) |
           (static_cast<GdiColour>(c.blue()) << 16);
}

} // namespace

tGoGrid::tGoGrid(tDgrData document, QScrollArea* scroller, QWidget* parent)
    : QWidget(parent), model_(std::move(document)), scroller_(scroller)
{
    setObjectName("GoGrid");
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    model_.setHost(this);
    Relayout();
    MakeFonts();
}

int32_t tGoGrid::stepX() const { return std::clamp(model_.Document().Display.StepX(), MinScreenStep, MaxScreenStep); }

int32_t tGoGrid::stepY() const { return std::clamp(model_.Document().Display.StepY(), MinScreenStep, MaxScreenStep); }

QRect tGoGrid::cellRect(int32_t x, int32_t y) const { return QRect(x * stepX(), y * stepY(), stepX(), stepY()); }

void tGoGrid::Relayout()
{
    const tDgrData& d = model_.Document();
    setFixedSize(d.Width() * stepX(), d.Height() * stepY());
    if (scroller_) {
        scroller_->horizontalScrollBar()->setSingleStep(stepX());
        scroller_->verticalScrollBar()->setSingleStep(stepY());
    }
    update();
}

void tGoGrid::MakeFonts()
{
    fonts_ = screenFonts(model_.Document().Display);
    update();
}

bool tGoGrid::CellVisible(int32_t x, int32_t y) const
{
    if (!scroller_)
        return true;
    const QRect cell = cellRect(x, y);
    const int32_t left = scroller_->horizontalScrollBar()->value();
    const int32_t top = scroller_->verticalScrollBar()->value();
    const QSize view = scroller_->viewport()->size();
    return cell.left() >= left && cell.left() + cell.width() <= left + view.width() && cell.top() >= top &&
           cell.top() + cell.height() <= top + view.height();
}

void tGoGrid::scrollOneStep(int dx, int dy)
{
    if (!scroller_)
        return;
    QScrollBar* h = scroller_->horizontalScrollBar();
    QScrollBar* v = scroller_->verticalScrollBar();
    h->setValue(h->value() + dx * h->singleStep());
    v->setValue(v->value() + dy * v->singleStep());
}

NextMove tGoGrid::nextMove() { return NumOpt ? NumOpt->nextMove() : GoGridHost::nextMove(); }

void tGoGrid::setNextMove(const NextMove& next)
{
    if (NumOpt)
        NumOpt->setNextMove(next);
    else
        GoGridHost::setNextMove(next);
}

void tGoGrid::redrawCell(int32_t x, int32_t y) { update(cellRect(x, y)); }

void tGoGrid::paintEvent(QPaintEvent* event)
{
    const tDgrData& d = model_.Document();
    QPainter painter(this);
    const QColor face = palette().color(QPalette::Button);
    const int32_t sx = stepX(), sy = stepY();
    const QRect dirty = event->rect();
    if (d.isEmpty()) {
        painter.fillRect(dirty, face);
        return;
    }
    const int32_t x0 = std::max(0, dirty.left() / sx), x1 = std::min(d.MaxX(), dirty.right() / sx);
    const int32_t y0 = std::max(0, dirty.top() / sy), y1 = std::min(d.MaxY(), dirty.bottom() / sy);
    // Each cell is drawn into an image of its own, so that lines meant to
    // reach the neighbour's first pixel stop at the cell's edge.
    QImage image(sx, sy, QImage::Format_RGB32);
    for (int32_t y = y0; y <= y1; ++y)
        for (int32_t x = x0; x <= x1; ++x) {
            const bool white = screenCellIsWhite(d.InBlock(x, y), d.Cursor == IntPoint{x, y});
            const QColor background = white ? QColor(Qt::white) : face;
            image.fill(background);
            RasterCanvas canvas(image);
            DrawScreenCell(canvas, d.Grid.GetCell(x, y), ScreenCellRect{0, 0, sx, sy}, gdiColour(background), fonts_);
            painter.drawImage(x * sx, y * sy, image);
        }
}

void tGoGrid::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        model_.GridKeyDown(GridKey::Left);
        return;
    case Qt::Key_Right:
        model_.GridKeyDown(GridKey::Right);
        return;
    case Qt::Key_Up:
        model_.GridKeyDown(GridKey::Up);
        return;
    case Qt::Key_Down:
        model_.GridKeyDown(GridKey::Down);
        return;
    default:
        break;
    }
    // Characters typed with Ctrl or Alt are shortcuts, never labels.
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        event->ignore();
        return;
    }
    const auto byte = typedCellByte(event->text().toStdString());
    if (!byte) {
        event->ignore();
        return;
    }
    model_.GridKeyPress(*byte);
}

// The press only takes the focus; a tool acts when the button is released.
void tGoGrid::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    event->accept();
}

void tGoGrid::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = event->position().toPoint();
    if (p.x() < 0 || p.y() < 0)
        return;
    const int32_t x = p.x() / stepX(), y = p.y() / stepY();
    if (model_.Document().Grid.contains(x, y))
        model_.ApplyTool(x, y, CurrentTool);
}

} // namespace quon
