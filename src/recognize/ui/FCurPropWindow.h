// Window TFCurProp (instance FCurProp): "Curve Properties", the digit and
// the variant number of the current figure.
#pragma once

#include <QWidget>

#include <functional>

class QLineEdit;
class QPushButton;

namespace quon {

class TFCurProp : public QWidget {
    Q_OBJECT

public:
    explicit TFCurProp(QWidget* parent = nullptr);

    QLineEdit* ME1 = nullptr; // "Symbol Name"
    QLineEdit* ME2 = nullptr; // "Modification Number"
    QPushButton* Button1 = nullptr; // "OK"
    QPushButton* Button2 = nullptr; // "Cancel"

    // OK: the current figure takes the name, digit and variant typed.
    void Button1Click();
    // Told when OK changed the figure (the editor shows it again).
    std::function<void()> changedHook;
};

extern TFCurProp* FCurProp;

} // namespace quon
