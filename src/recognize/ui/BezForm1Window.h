// Window TBezForm1 (instance BezForm1): "Quon Editor of Bezier Curves", the
// editor of the digit set DigitPacket. Figures, curves and arcs are chosen
// with the selectors; the four points of the current arc are dragged on the
// drawing or typed as percent of the glyph box; "Show Ar" shows the current
// figure as the reader renders it.
#pragma once

#include <QWidget>

#include <cstdint>
#include <functional>
#include <vector>

class QAction;
class QDoubleSpinBox;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QSpinBox;
class QTextEdit;

namespace quon {

class TBezForm1 : public QWidget {
    Q_OBJECT

public:
    explicit TBezForm1(QWidget* parent = nullptr);

    QWidget* Image1 = nullptr; // the drawing, 350 x 600
    QDoubleSpinBox* Ex[4] = {};
    QDoubleSpinBox* Ey[4] = {};
    QSpinBox* EFigNo = nullptr;
    QLineEdit* ESName = nullptr;
    QSpinBox* RxSEModif1 = nullptr;
    QSpinBox* ECurveNo = nullptr;
    QSpinBox* EArcNo = nullptr;
    QLineEdit* MEd = nullptr; // preview thickness
    QLineEdit* MEx = nullptr; // preview width
    QLineEdit* MEy = nullptr; // preview height
    QPushButton* Button4 = nullptr; // "Show Ar"
    QTextEdit* REdit1 = nullptr;
    QMenuBar* MainMenu1 = nullptr;

    // The menu entries by their captions, e.g. action("Arc", "Add Arc").
    QAction* action(const QString& menu, const QString& entry) const;

    // The commands of the menu.
    void NewClick();
    void OpenClick();
    void SaveClick();
    void AddPacketClick();
    void SortFiguresClick();
    void PacketInfoClick();
    void AddNewFigureClick();
    void CopyFigureClick();
    void FigureInfoClick();
    void DeleteFigureClick();
    void NewCurveClick();
    void DeleteCurveClick();
    void AddArcClick();
    void DeleteArcClick();
    void DeleteAllArcsClick();
    void Button4Click(); // "Show Ar"

    // Shows the set as it is now: selectors, fields and drawing.
    void showSet();
    // Which handle is being dragged (0..3), or 4 for none.
    int draggedHandle() const { return dragged_; }
    // False after "Delete all Arcs" until the next redraw.
    bool drawingShown() const { return drawn_; }

    // Where "Show Ar" puts the raster (the digit-raster view): cells column
    // first, w x h. Installed by the main window.
    std::function<void(const std::vector<uint16_t>& cells, int32_t w, int32_t h)> showRasterHook;
    // "Grid" > "Show": shows the digit-raster view.
    std::function<void()> showGridHook;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    void ChangeMaxLim(int level);
    void figureSelected();
    void curveSelected();
    void arcSelected();
    void pointFieldChanged(int n, bool x);
    void writeFields(int handle); // 0..3 one handle, 4 all four
    void redraw();
    void paintImage();
    void clearEditor();

    int dragged_ = 4;
    bool suspend_ = false; // on while the program itself writes the point fields
    bool limiting_ = false;
    bool drawn_ = true;
};

extern TBezForm1* BezForm1;

} // namespace quon
