// The layout the program's one-value dialogs share: a caption, the edit and
// its unit on one row, OK and Cancel below.
#pragma once

class QDialog;
class QPushButton;
class QWidget;

namespace quon {

// Lays out `dialog` and creates its "OK" (default, accepts) and "Cancel"
// (rejects) buttons, named BOK and BCancel.
void layOutValueDialog(QDialog* dialog, QWidget* caption, QWidget* edit, QWidget* unit, QPushButton*& ok,
                       QPushButton*& cancel);

} // namespace quon
