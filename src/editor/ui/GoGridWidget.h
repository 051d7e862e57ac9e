// tGoGrid: the editor's grid on screen. It owns the editing model (and with
// it the document), draws each cell through the shared cell drawing, and
// turns clicks, arrow keys and typed characters into calls of the model.
// It sits in a scroll area, which it scrolls one cell at a time to keep the
// cursor in view.
#pragma once

#include "editor/GoGridDrawing.h"
#include "editor/GoGridModel.h"

#include <QColor>
#include <QWidget>

class QScrollArea;

namespace quon {

class tGoGrid : public QWidget, private GoGridHost {
    Q_OBJECT

  public:
    // `scroller` is the scroll area the grid is shown in (may be null).
    tGoGrid(tDgrData document, QScrollArea* scroller, QWidget* parent = nullptr);

    GoGridModel& model() { return model_; }
    tDgrData& document() { return model_.Document(); }

    // Size and scroll steps from the grid and the display settings.
    void Relayout();
    // The screen fonts from the document's display settings.
    void MakeFonts();
    void RepaintAll() { update(); }
    // True when the cell lies wholly inside the visible part of the scroll area.
    bool CellVisible(int32_t x, int32_t y) const;

    // Screen cell size: the display settings' steps, kept to what the
    // display settings dialog offers.
    int32_t stepX() const;
    int32_t stepY() const;
    QRect cellRect(int32_t x, int32_t y) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void redrawCell(int32_t x, int32_t y) override;
    void redrawAll() override { RepaintAll(); }
    void relayout() override { Relayout(); }
    bool cellVisible(int32_t x, int32_t y) override { return CellVisible(x, y); }
    void scrollOneStep(int dx, int dy) override;
    // The next-move tool's number and colour live in the numbering window.
    NextMove nextMove() override;
    void setNextMove(const NextMove& next) override;

    GoGridModel model_;
    QScrollArea* scroller_;
    std::array<GdiFont, 3> fonts_;
};

} // namespace quon
