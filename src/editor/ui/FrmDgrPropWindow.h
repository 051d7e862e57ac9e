// Window TFrmDgrProp (instance FrmDgrProp): the display settings of the
// editor — the screen cell size, the size, kind and board part of a new
// diagram, and the screen fonts. Kept under the Display key of the registry:
// read when the dialog is made, written when the program ends.
#pragma once

#include "editor/DgrSettings.h"
#include "editor/GoGridModel.h"
#include "editor/ui/StoredFields.h"

#include <QDialog>

#include <array>

class QComboBox;
class QPushButton;
class QSpinBox;

namespace quon {

class TFrmDgrProp : public QDialog {
    Q_OBJECT

  public:
    explicit TFrmDgrProp(QWidget* parent = nullptr);

    static const QString RegistryKey;

    // The defaults column: 19 x 19 cells of 20 pixels, a 19 x 19 board, the
    // full board, extents 12 and 12, widths 10, 8, 6, weights 6, 4, 4.
    void SetDefaults();
    // Screen font record n (1..3) with the n-th width and weight field.
    LogFontA GetScreenFont(int n) const;
    // What a new diagram is built from.
    NewDiagramSettings newDiagramSettings() const;

    void FormCreate();  // reads the registry
    void FormDestroy(); // writes it

    QSpinBox* seSizeX = nullptr;
    QSpinBox* seSizeY = nullptr;
    QSpinBox* seStepX = nullptr;
    QSpinBox* seStepY = nullptr;
    QComboBox* CBTypDia = nullptr;
    QComboBox* CBPartBoard = nullptr;
    QSpinBox* SE_X = nullptr;
    QSpinBox* SE_Y = nullptr;
    std::array<QSpinBox*, 3> seWidth{};
    std::array<QSpinBox*, 3> seVes{};
    std::array<QPushButton*, 3> btnFont{};
    QPushButton* Button1 = nullptr;
    QPushButton* btnSetFonts = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

  private:
    std::vector<StoredField> fields() const;
    std::array<LogFontA, 3> screenFonts_{};
};

extern TFrmDgrProp* FrmDgrProp;

} // namespace quon
