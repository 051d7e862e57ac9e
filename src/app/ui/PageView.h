// The page picture of the main window, drawn at its shown size, with the
// rubber band of a crop. Mouse presses, moves and releases are passed on
// in view pixels; the main window maps them to the page.
#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>

namespace quon {

class PageView : public QWidget {
    Q_OBJECT

  public:
    explicit PageView(QWidget* parent = nullptr);

    const QImage& picture() const { return picture_; }
    bool hasPicture() const { return !picture_.isNull() && picture_.width() > 0 && picture_.height() > 0; }
    void setPicture(const QImage& picture);
    // The size the picture is stretched to, at least 1 x 1.
    void setShownSize(int width, int height);

    // The rubber band, as edges (left, top, right, bottom) in view pixels;
    // the right and bottom edges lie just outside it.
    void showBand(int left, int top, int right, int bottom);
    void hideBand();
    bool bandVisible() const { return bandVisible_; }
    QRect band() const { return band_; }

  signals:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    QImage picture_;
    QRect band_;
    bool bandVisible_ = false;
};

} // namespace quon
