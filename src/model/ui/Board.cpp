#include "model/ui/Board.h"

#include "platform/DataFiles.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/System.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <filesystem>
#include <system_error>

// The pictures built into the program live in this static library; they must
// be registered by hand, and from outside any namespace.
static void registerBoardPictures() { Q_INIT_RESOURCE(BoardPictures); }

namespace quon {

using canvas::RasterOp;

namespace {

const QColor kWood(222, 184, 135);

constexpr BoardPoint kStarPoints[] = {{10, 10}, {10, 4}, {10, 16}, {4, 10}, {16, 10},
                                      {4, 4},   {4, 16}, {16, 16}, {16, 4}};

int digitCount(int n) { return n >= 1000 ? 4 : n >= 100 ? 3 : n >= 10 ? 2 : 1; }

} // namespace

TBoard::TBoard(QWidget* owner) : QWidget(owner)
{
    static const bool registered = (registerBoardPictures(), true);
    (void)registered;
    setObjectName("Board");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    setMouseTracking(true);
    pos_.SetBoardSize(N);
    white_.Colour = Qt::white;
    black_.Colour = Qt::black;
    board_.Colour = kWood;
}

TBoard::~TBoard() = default;

void TBoard::Start()
{
    pos_.SetRulesFlag(true);
    LoadPaper(white_, "white.bmp");
    white_.Colour = Qt::white;
    white_.UsePicture = true;
    LoadPaper(black_, "black.bmp");
    black_.Colour = Qt::black;
    black_.UsePicture = true;
}

bool TBoard::LoadPaper(TPaper& paper, const QString& fileName)
{
    paper.FileName = fileName;
    paper.Picture = QImage();
    std::error_code ec;
    const std::filesystem::path here = std::filesystem::current_path(ec);
    const std::filesystem::path file = findDataFile(fileName.toStdString(), ec ? std::filesystem::path() : here);
    QImage picture;
    if (!file.empty())
        picture.load(QString::fromStdString(file.string()));
    if (picture.isNull())
        picture.load(":/board/" + fileName);
    if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0) {
        qWarning("Board picture \"%s\" could not be loaded; the board is drawn without it", qPrintable(fileName));
        return false;
    }
    paper.Picture = picture.convertToFormat(QImage::Format_RGB32);
    return true;
}

bool TBoard::SetBoardPicture(const QString& fileName)
{
    const bool loaded = LoadPaper(board_, fileName);
    board_.UsePicture = true;
    return loaded;
}

void TBoard::SetSize(int width, int height)
{
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    buffer_ = QImage();
    if (width_ > 0 && height_ > 0) {
        buffer_ = QImage(width_, height_, QImage::Format_RGB32);
        buffer_.fill(board_.Colour);
    }
    setGeometry(0, 0, width_, height_);
}

bool TBoard::FitSize(int& width, int& height)
{
    const int w = std::max(width, 150), h = std::max(height, 150);
    const int side = std::min(w, h);
    const bool unchanged = side == width && side == height;
    width = side;
    height = side;
    return unchanged;
}

QPoint TBoard::PointCenter(int x, int y) const
{
    const int base = margin_ + cell_ / 2 + 1;
    return {base + cell_ * (x - 1), base + cell_ * (y - 1)};
}

QRect TBoard::PointRect(int x, int y) const
{
    const int l = margin_ + 1 + cell_ * (x - 1), t = margin_ + 1 + cell_ * (y - 1);
    return canvas::winRect(l, t, l + cell_, t + cell_);
}

QPoint TBoard::GamePointCenter(int x, int y) const
{
    const BoardPoint p = pos_.TransformPoint({x, y}, pos_.Orientation());
    return PointCenter(p.x, p.y);
}

void TBoard::Layout()
{
    cell_ = width_ / N;
    margin_ = (width_ % N) / 2;
    if (width_ <= 0 || height_ <= 0) {
        background_ = buffer_ = board_.Work = QImage();
        return;
    }
    // The texture, tiled from the top left; plain wood colour without a picture.
    board_.Work = QImage(width_, height_, QImage::Format_RGB32);
    if (board_.HasPicture()) {
        QPainter p(&board_.Work);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        for (int y = 0; y < height_; y += board_.Picture.height())
            for (int x = 0; x < width_; x += board_.Picture.width())
                p.drawImage(x, y, board_.Picture);
    } else {
        board_.Work.fill(board_.Colour);
    }
    background_ = board_.Work.copy();
    if (cell_ > 0) {
        QPainter p(&background_);
        p.setPen(canvas::winPen(Qt::black, 1));
        const int n = pos_.BoardSize();
        for (int x = 1; x <= n; ++x) {
            const QPoint a = PointCenter(x, 1), b = PointCenter(x, n);
            canvas::lineTo(p, a.x(), a.y(), b.x(), b.y() + 1);
        }
        for (int y = 1; y <= n; ++y) {
            const QPoint a = PointCenter(1, y), b = PointCenter(n, y);
            canvas::lineTo(p, a.x(), a.y(), b.x() + 1, b.y());
        }
        const int r = std::min(cell_ / 6, 10);
        if (r > 0) {
            p.setBrush(Qt::black);
            for (const BoardPoint& s : kStarPoints) {
                if (!pos_.OnBoard(s.x, s.y))
                    continue;
                const QPoint c = PointCenter(s.x, s.y);
                canvas::ellipse(p, c.x() - r, c.y() - r, c.x() + r + 1, c.y() + r + 1);
            }
        }
        p.end();
        MakeSprites();
        MakeFonts();
    }
    buffer_ = background_.copy();
}

void TBoard::MakeSprites()
{
    const int c = cell_;
    auto sprite = [c](TPaper& paper, const QColor& outside) {
        if (paper.HasPicture()) {
            paper.Work = paper.Picture.scaled(c, c, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                             .convertToFormat(QImage::Format_RGB32);
            return;
        }
        // Plain drawing: a disc of the paper's colour with a black outline.
        paper.Work = QImage(c, c, QImage::Format_RGB32);
        paper.Work.fill(outside);
        QPainter p(&paper.Work);
        p.setPen(canvas::winPen(Qt::black, 1));
        p.setBrush(paper.Colour);
        canvas::ellipse(p, 0, 0, c, c);
    };
    sprite(black_, Qt::black);
    sprite(white_, Qt::white);

    auto mask = [c](const QColor& square, const QColor& disc) {
        QImage m(c, c, QImage::Format_RGB32);
        m.fill(square);
        QPainter p(&m);
        p.setPen(canvas::winPen(disc, 1));
        p.setBrush(disc);
        canvas::ellipse(p, 0, 0, c, c);
        return m;
    };
    whiteMask_ = mask(Qt::black, Qt::white);
    blackMask_ = mask(Qt::white, Qt::black);

    hatchA_ = QImage(c, c, QImage::Format_RGB32);
    hatchB_ = QImage(c, c, QImage::Format_RGB32);
    for (int y = 0; y < c; ++y)
        for (int x = 0; x < c; ++x) {
            const bool odd = (x + y) % 2 == 1;
            hatchA_.setPixel(x, y, odd ? 0xFFFFFFFFu : 0xFF000000u);
            hatchB_.setPixel(x, y, odd ? 0xFF000000u : 0xFFFFFFFFu);
        }
}

void TBoard::MakeFonts()
{
    const int c = cell_;
    letterFont_ = canvas::makeFont("Courier New", -(c - c / 4), true);
    const int sizes[5] = {0, c - c / 4, c - c / 2, c / 3, c / 4};
    for (int d = 1; d <= 4; ++d)
        numberFont_[d] = canvas::makeFont("Courier New", sizes[d], d <= 2);
}

void TBoard::DrawPoint(int x, int y, CellValue v)
{
    if (buffer_.isNull() || cell_ <= 0)
        return;
    const QRect r = PointRect(x, y);
    if (v == 0) {
        canvas::bitBlt(buffer_, r.x(), r.y(), background_, RasterOp::Copy, r);
        return;
    }
    const int stone = cell::stone(v);
    switch (stone) {
    case 0: // only drawn content: the plain texture, without grid lines
        canvas::bitBlt(buffer_, r.x(), r.y(), board_.Work, RasterOp::Copy, r);
        break;
    case 1:
        canvas::bitBlt(buffer_, r.x(), r.y(), blackMask_, RasterOp::And);
        canvas::bitBlt(buffer_, r.x(), r.y(), black_.Work, RasterOp::Or);
        break;
    case 2:
        canvas::bitBlt(buffer_, r.x(), r.y(), whiteMask_, RasterOp::Or);
        canvas::bitBlt(buffer_, r.x(), r.y(), white_.Work, RasterOp::And);
        break;
    default:
        break;
    }

    const int c = cell_;
    const int L = r.left(), T = r.top(), R = L + c, B = T + c;
    const QColor ink = stone == 1 ? Qt::white : Qt::black;
    {
        QPainter p(&buffer_);
        if (const int letter = cell::letter(v)) {
            p.save();
            p.setClipRect(r);
            p.setFont(letterFont_);
            p.setPen(ink);
            canvas::textOut(p, L + c / 4, T, QString(QChar::fromLatin1(static_cast<char>(letter))));
            p.restore();
        }
        if (const int number = cell::number(v)) {
            const int d = digitCount(number);
            int tx = L, ty = T;
            switch (d) {
            case 1:
                tx = L + c / 4 - c / 16;
                break;
            case 2:
                tx = L + c / 8;
                ty = T + c / 8;
                break;
            case 3:
                tx = L + c / 4 - c / 8 - c / 16;
                ty = T + c / 2 - c / 4;
                break;
            default:
                tx = L + c / 12;
                ty = T + c / 2 - c / 4;
                break;
            }
            p.save();
            p.setClipRect(r);
            p.setFont(numberFont_[d]);
            p.setPen(ink);
            canvas::textOut(p, tx, ty, QString::number(number));
            p.restore();
        }
        if ((cell::bits(v) >> 25) != 0) {
            const int s = cell::markerShape(v);
            const bool plain = (cell::bits(v) >> 29) == 0;
            const bool large = s % 2 == 1;
            const int width = large ? c / 10 : c / 13;
            const int d = large ? c / 5 : c / 3;
            const int e = c / 16;
            p.setBrush(Qt::NoBrush);
            p.setPen(canvas::winPen(plain ? ink : QColor(Qt::black), width));
            canvas::setInvertingPen(p, !plain);
            const int cx = (L + R) / 2, cy = (T + B) / 2;
            auto triangle = [&p](QPoint a, QPoint b, QPoint t) {
                const QPoint pts[3] = {a, b, t};
                canvas::polygon(p, pts, 3);
            };
            switch (s) {
            case 1:
            case 2:
                canvas::lineTo(p, L + d, T + d, R - d, B - d);
                canvas::lineTo(p, R - d, T + d, L + d, B - d);
                break;
            case 3:
            case 4:
                canvas::rectangle(p, L + d, T + d, R - d, B - d);
                break;
            case 5:
            case 6:
                canvas::ellipse(p, L + d, T + d, R - d, B - d);
                break;
            case 7:
            case 8:
                triangle({L + d, T + d + e}, {R - d, T + d + e}, {cx, B - d + e});
                break;
            case 9:
            case 10:
                triangle({R - d - e, B - d}, {L + d - e, cy}, {R - d - e, T + d});
                break;
            case 11:
            case 12:
                triangle({L + d + e, B - d}, {R - d + e, cy}, {L + d + e, T + d});
                break;
            case 13:
            case 14:
                triangle({L + d, B - d - e}, {R - d, B - d - e}, {cx, T + d - e});
                break;
            default:
                break;
            }
        }
    }
    if (cell::locked(v)) {
        // With an odd cell the checkerboard flips from point to point so that
        // it runs on across neighbours.
        const QImage& hatch = (c % 2 == 0 || (x + y) % 2 == 1) ? hatchA_ : hatchB_;
        canvas::bitBlt(buffer_, L, T, hatch, RasterOp::And);
    }
}

void TBoard::RedrawAll()
{
    if (!background_.isNull())
        buffer_ = background_.copy();
    const int n = pos_.BoardSize();
    for (int x = 1; x <= N; ++x)
        for (int y = 1; y <= N; ++y) {
            const CellValue v = x <= n && y <= n ? pos_.CellAt(x, y) : 0;
            if (v != 0)
                DrawPoint(x, y, v);
            drawn_[x][y] = v;
        }
}

void TBoard::RedrawPoints()
{
    const int n = pos_.BoardSize();
    for (int x = 1; x <= n; ++x)
        for (int y = 1; y <= n; ++y) {
            const CellValue v = pos_.CellAt(x, y);
            if (v == drawn_[x][y])
                continue;
            if (drawn_[x][y] != 0)
                DrawPoint(x, y, 0);
            DrawPoint(x, y, v);
            drawn_[x][y] = v;
        }
}

void TBoard::Repaint()
{
    if (!isVisible())
        show();
    repaint();
}

void TBoard::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    const QRect area = event->rect();
    if (!buffer_.isNull())
        p.drawImage(area.topLeft(), buffer_, area);
    // The control is opaque: whatever the buffer does not cover is filled.
    const QRegion rest = QRegion(area) - QRegion(buffer_.rect());
    for (const QRect& r : rest)
        p.fillRect(r, board_.Colour);
}

void TBoard::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !OnPointClick || at.x() <= 0 || at.y() <= 0 || cell_ <= 0)
        return;
    const int column = (at.x() - margin_) / cell_ + 1;
    const int row = (at.y() - margin_) / cell_ + 1;
    if (!pos_.OnBoard(column, row))
        return;
    const BoardPoint game = pos_.TransformPoint({column, row}, pos_.InverseOrientation());
    OnPointClick(this, game.x, game.y);
}

void TBoard::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (at == lastMove_ || cell_ <= 0)
        return;
    lastMove_ = at;
    const QPoint origin = event->globalPosition().toPoint() - at;
    int column = (at.x() - margin_) / cell_ + 1;
    int row = (at.y() - margin_) / cell_ + 1;
    const QPoint centre = PointCenter(column, row);
    accX_ += at.x() - centre.x();
    accY_ += at.y() - centre.y();
    // Move on to the neighbouring point only after more than half a cell.
    auto settle = [this](int& index, int& acc) {
        if (acc < -(cell_ / 2) - 1) {
            --index;
            acc += cell_;
        }
        if (acc > cell_ / 2 + 1) {
            ++index;
            acc -= cell_;
        }
    };
    settle(column, accX_);
    settle(row, accY_);
    sys::setCursorPos(origin + PointCenter(column, row));
}

} // namespace quon
