#include "app/ui/PageView.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace quon {

PageView::PageView(QWidget* parent) : QWidget(parent)
{
    setObjectName("Image1");
    setAutoFillBackground(true);
    // Corner pointing shows the page position under the mouse without a
    // button held.
    setMouseTracking(true);
}

void PageView::setPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

void PageView::setShownSize(int width, int height) { setFixedSize(std::max(1, width), std::max(1, height)); }

void PageView::showBand(int left, int top, int right, int bottom)
{
    band_ = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    bandVisible_ = true;
    update();
}

void PageView::hideBand()
{
    if (!bandVisible_)
        return;
    bandVisible_ = false;
    update();
}

void PageView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!picture_.isNull()) {
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.drawImage(rect(), picture_);
    }
    if (bandVisible_ && band_.width() > 0 && band_.height() > 0) {
        // A dotted frame over a white one stays visible on ink and paper.
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::white, 1));
        p.drawRect(band_.adjusted(0, 0, -1, -1));
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(band_.adjusted(0, 0, -1, -1));
    }
}

void PageView::mousePressEvent(QMouseEvent* e) { emit mouseDown(e->button(), e->modifiers(), e->position().toPoint()); }

void PageView::mouseMoveEvent(QMouseEvent* e) { emit mouseMove(e->buttons(), e->modifiers(), e->position().toPoint()); }

void PageView::mouseReleaseEvent(QMouseEvent* e) { emit mouseUp(e->button(), e->modifiers(), e->position().toPoint()); }

} // namespace quon
