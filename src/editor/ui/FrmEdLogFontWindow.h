// Window TFrmEdLogFont (instance FrmEdLogFont).
#pragma once

#include <QWidget>

namespace quon {

class TFrmEdLogFont : public QWidget {
    Q_OBJECT

public:
    explicit TFrmEdLogFont(QWidget* parent = nullptr);
};

extern TFrmEdLogFont* FrmEdLogFont;

} // namespace quon
