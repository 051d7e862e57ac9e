// TBoard: the board control of the game window. It owns the position (with
// its rules and orientation, see model/BoardPosition.h), draws it off screen
// and copies the drawing to the screen, reports clicks on board points and
// snaps the mouse pointer to point centres.
//
// Drawing: Layout prepares a background (wood texture, grid, star points)
// and cell-sized stone sprites with disc masks; RedrawAll draws every point
// from the background, RedrawPoints only the points whose value changed since
// they were last drawn; Repaint copies the buffer to the screen. A board
// picture that cannot be loaded is replaced by plain drawing in its colour.
//
// Coordinates: PointCenter and PointRect take board coordinates (as shown on
// the screen); GamePointCenter and everything forwarded to the position take
// game coordinates.
#pragma once

#include "model/BoardPosition.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>

namespace quon {

// One picture of the board: a stone or the board texture.
struct TPaper {
    QString FileName;
    QColor Colour;
    bool UsePicture = false;
    QImage Picture; // as loaded; null when no file could be read
    QImage Work;    // stone: the picture stretched to one cell; board: the texture tiled over the control
    bool HasPicture() const { return UsePicture && !Picture.isNull() && Picture.width() > 0 && Picture.height() > 0; }
};

class TBoard : public QWidget {
    Q_OBJECT

  public:
    static constexpr int N = 19; // the control always shows the whole 19 x 19 board

    explicit TBoard(QWidget* owner);
    ~TBoard() override;

    // Rules on, stone pictures "white.bmp" and "black.bmp".
    void Start();
    // Loads a picture by bare file name: from the current directory, then
    // the program's data folders, then the copy built into the program.
    // False (and plain drawing) when none can be read.
    bool LoadPaper(TPaper& paper, const QString& fileName);
    // The board texture; the game window sets "LIGHTPIN.BMP".
    bool SetBoardPicture(const QString& fileName);
    TPaper& WhitePaper() { return white_; }
    TPaper& BlackPaper() { return black_; }
    TPaper& BoardPaper() { return board_; }

    // Geometry and drawing.
    void SetSize(int width, int height);
    // Each side at least 150, then both the smaller; true when unchanged.
    static bool FitSize(int& width, int& height);
    void Layout();
    void RedrawAll();
    void RedrawPoints();
    void Repaint();
    QPoint PointCenter(int x, int y) const;
    QRect PointRect(int x, int y) const;
    QPoint GamePointCenter(int x, int y) const;
    int Cell() const { return cell_; }
    int Margin() const { return margin_; }
    const QImage& Buffer() const { return buffer_; }
    const QImage& Background() const { return background_; }

    // Fired for a left click on a board point, in game coordinates.
    std::function<void(TBoard* sender, int x, int y)> OnPointClick;

    // The position, in game coordinates (model/BoardPosition.h).
    BoardPosition& Position() { return pos_; }
    void SetBoardSize(int n) { pos_.SetBoardSize(n); }
    bool OnBoard(int x, int y) const { return pos_.OnBoard(x, y); }
    CellValue GetPoint(int x, int y) { return pos_.GetPoint(x, y); }
    void SetPoint(int x, int y, CellValue v) { pos_.SetPoint(x, y, v); }
    uint8_t TakeError() { return pos_.TakeError(); }
    void SetLastMove(BoardPoint p) { pos_.SetLastMove(p); }
    BoardPoint GetLastMove() const { return pos_.GetLastMove(); }
    void SetCaptureDirs(uint8_t dirs) { pos_.SetCaptureDirs(dirs); }
    uint8_t GetCaptureDirs() const { return pos_.GetCaptureDirs(); }
    void UndoCaptures() { pos_.UndoCaptures(); }
    void ApplyOrientation(int change) { pos_.ApplyOrientation(change); }
    int Orientation() const { return pos_.Orientation(); }
    void SetRulesFlag(bool on) { pos_.SetRulesFlag(on); }
    bool RulesFlag() const { return pos_.RulesFlag(); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    void DrawPoint(int x, int y, CellValue v);
    void MakeSprites();
    void MakeFonts();

    BoardPosition pos_;
    int width_ = 0;
    int height_ = 0;
    int cell_ = 0;
    int margin_ = 0;
    QImage buffer_;
    QImage background_;
    QImage hatchA_, hatchB_;
    QImage whiteMask_, blackMask_;
    Array1<Array1<CellValue, 1, N>, 1, N> drawn_{};
    TPaper white_, black_, board_;
    int accX_ = 0, accY_ = 0; // pointer offset from its point's centre, summed over moves
    QPoint lastMove_{-1, -1};
    QFont letterFont_;
    QFont numberFont_[5]; // by digit count 1..4
};

} // namespace quon
