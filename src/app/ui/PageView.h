// The page picture of the main window, drawn at its shown size.
#pragma once

#include <QImage>
#include <QWidget>

namespace quon {

class PageView : public QWidget {
    Q_OBJECT

public:
    explicit PageView(QWidget* parent = nullptr);

    const QImage& picture() const { return picture_; }
    void setPicture(const QImage& picture);
    // The size the picture is stretched to, at least 1 x 1.
    void setShownSize(int width, int height);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QImage picture_;
};

} // namespace quon
