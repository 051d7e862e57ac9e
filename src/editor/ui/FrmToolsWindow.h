// Window TFrmTools (instance FrmTools): the editor's tool palette. Each tool
// button chooses the tool the grid applies to a clicked cell and the grid's
// mouse pointer; the command buttons act on the diagram at once.
#pragma once

#include <QCursor>
#include <QWidget>

#include <cstdint>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QPushButton;
class QToolButton;

namespace quon {

class TFrmTools : public QWidget {
    Q_OBJECT

  public:
    explicit TFrmTools(QWidget* parent = nullptr);

    // The pointer registered under a tool cursor's name ("GoCurBlack", ...);
    // the plain arrow for an unknown name.
    static QCursor toolCursor(const QString& name);
    // The cursor name of a tool; empty for the plain pointer.
    static QString cursorName(uint8_t tool);

    // Shows `tool` as the chosen one and gives the grid its pointer (for a
    // tool chosen elsewhere: a new diagram, the numbering window).
    void showTool(uint8_t tool);
    // Puts the current tool's pointer on the grid (a new grid has none yet).
    void applyCursorToGrid();
    // A new diagram has no buffer to paste yet.
    void bufferEmptied();

    QToolButton* toolButton(const char* name) const;

    QButtonGroup* tools = nullptr;
    QPushButton* btntoStatic = nullptr;
    QPushButton* btnBrd19 = nullptr;
    QPushButton* btnToBufer = nullptr;
    QPushButton* btnFromBufer = nullptr;
    QPushButton* btnCycle = nullptr;
    QPushButton* btnTect = nullptr;
    QPushButton* btnUndo = nullptr;
    QCheckBox* cbxHint = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void toolClicked(QToolButton* button);
    void setHintsShown(bool shown);
    std::vector<QPushButton*> commands_;
    bool placed_ = false;
};

extern TFrmTools* FrmTools;

} // namespace quon
