// A titled group of radio buttons with one chosen item, the way the dialogs
// use them: itemIndex() and setItemIndex(). Choosing another item, by a
// click or by setItemIndex(), emits clicked() once; choosing the item that is
// already chosen emits nothing.
#pragma once

#include <QGroupBox>
#include <QStringList>

#include <vector>

class QButtonGroup;
class QRadioButton;

namespace quon {

class RadioGroup : public QGroupBox {
    Q_OBJECT

  public:
    RadioGroup(const QString& caption, const QStringList& items, int itemIndex, QWidget* parent = nullptr,
               int columns = 1);

    int count() const { return static_cast<int>(buttons_.size()); }
    int itemIndex() const; // -1 when no item is chosen
    // An index outside 0..count()-1 chooses no item.
    void setItemIndex(int index);
    QString itemText(int index) const;
    QString currentText() const; // empty when no item is chosen
    QRadioButton* button(int index) const;

  signals:
    void clicked();

  private:
    QButtonGroup* group_ = nullptr;
    std::vector<QRadioButton*> buttons_;
};

} // namespace quon
