// Window TFrmSetBMP (instance FrmSetBMP): the picture settings of the editor
// — cell size, line and edge widths, the stones' inset and the picture
// fonts — with a 5 x 5 preview diagram drawn as the pictures are. Kept under
// the Picture key of the registry: read when the dialog is made, written when
// the program ends and by "Запомнить уст.".
#pragma once

#include "editor/DgrData.h"
#include "editor/ui/StoredFields.h"

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;
class QScrollArea;
class QSpinBox;

namespace quon {

class TFrmSetBMP : public QDialog {
    Q_OBJECT

  public:
    explicit TFrmSetBMP(QWidget* parent = nullptr);

    static const QString RegistryKey;

    // The defaults column: cells 22 x 22, sample cell number 0, black stone,
    // star point, line 1, edge 2, inset 0, widths 0, 5, 4, weights 4, 4, 4.
    void SetDefaults();
    // The preview's picture settings and its sample cell (2, 2) from the fields.
    void ReadControls();
    // The sample-cell fields from the preview's cell (2, 2).
    void ShowSampleCell();
    // ReadControls, then the preview drawn into Image1.
    void Repaint();

    tDgrData& previewDocument() { return preview_; }
    // The picture values a new document takes.
    DgrNewSettings newDocumentSettings(int32_t displayStepX, int32_t displayStepY) const;

    void FormCreate();
    void FormDestroy();

    QSpinBox* seStepX = nullptr;
    QSpinBox* seStepY = nullptr;
    QSpinBox* seNumber = nullptr;
    QSpinBox* seStone = nullptr;
    QSpinBox* seElem = nullptr;
    QSpinBox* seLine = nullptr;
    QSpinBox* seBorder = nullptr;
    QSpinBox* seRad = nullptr;
    std::array<QSpinBox*, 3> seWidth{};
    std::array<QSpinBox*, 3> seVes{};
    std::array<QPushButton*, 3> btnFont{};
    QPushButton* BtnRepaint = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QLabel* Image1 = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    std::vector<StoredField> fields() const;
    void makePreview();
    tDgrData preview_;
};

extern TFrmSetBMP* FrmSetBMP;

} // namespace quon
