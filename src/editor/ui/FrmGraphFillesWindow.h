// Window TFrmGraphFilles (instance FrmGraphFilles): shows a picture file —
// a bitmap or one of the metafiles the editor writes. When it is activated
// it shows the last picture the program wrote.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QScrollArea;

namespace quon {

class TFrmGraphFilles : public QWidget {
    Q_OBJECT

  public:
    explicit TFrmGraphFilles(QWidget* parent = nullptr);

    // Shows the file by its extension (.BMP, .EMF, .WMF, any case); any other
    // kind, or a file that cannot be read, shows nothing.
    void ShowFile(const QString& fileName);
    void btnOpenClick();

    QPushButton* btnOpen = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QLabel* Image1 = nullptr;

  protected:
    bool event(QEvent* e) override;
};

extern TFrmGraphFilles* FrmGraphFilles;

} // namespace quon
