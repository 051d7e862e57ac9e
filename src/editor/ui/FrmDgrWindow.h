// Window TFrmDgr (instance FrmDgr): the diagram window. It hosts the editing
// grid in a scroll area; "Новый" and the fill from recognition replace the
// grid (and with it the document) by a new one.
#pragma once

#include "editor/GoGridModel.h"

#include <QWidget>

#include <optional>

class QScrollArea;

namespace quon {

class tGoGrid;

class TFrmDgr : public QWidget {
    Q_OBJECT

  public:
    explicit TFrmDgr(QWidget* parent = nullptr);

    tGoGrid* grid() const { return grid_; }
    tDgrData& document();

    // Destroys the grid and makes a new one from the settings dialogs, then
    // a new diagram of the display dialog's kind (or of `settings`).
    void newView(std::optional<NewDiagramSettings> settings = std::nullopt);
    // "Новый файл" or the document's file name.
    void showFileName();

    QScrollArea* ScrollBox = nullptr;

  protected:
    bool event(QEvent* e) override;

  private:
    tGoGrid* grid_ = nullptr;
    bool placed_ = false;
};

extern TFrmDgr* FrmDgr;

} // namespace quon
