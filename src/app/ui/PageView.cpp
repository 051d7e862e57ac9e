#include "app/ui/PageView.h"

#include <QPainter>

#include <algorithm>

namespace quon {

PageView::PageView(QWidget* parent) : QWidget(parent)
{
    setObjectName("Image1");
    setAutoFillBackground(true);
}

void PageView::setPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

void PageView::setShownSize(int width, int height) { setFixedSize(std::max(1, width), std::max(1, height)); }

void PageView::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(rect(), picture_);
}

} // namespace quon
