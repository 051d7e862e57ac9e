// Window TAboutBox (instance AboutBox): the program's name and version, a
// mail link to the maker, and the version data of the program as a list.
#pragma once

#include "platform/VersionInfo.h"

#include <QDialog>

#include <memory>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace quon {

class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);
    ~TAboutBox() override;

    // The rows from a version source; the version reader's message is kept
    // and reported when it fails, and the list is left empty.
    void fillVersionInfo(const std::string& fileName, VersionSource& source);
    QString versionError() const { return versionError_; }
    // The address the contact label's link writes to.
    static QString contactAddress();

    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Contact = nullptr;
    QPushButton* OKButton = nullptr;
    QTreeWidget* lvVersionInfo = nullptr;

private:
    void openContactLink();

    std::unique_ptr<VersionSource> source_;
    std::unique_ptr<TVerInfoRes> info_;
    QString versionError_;
};

extern TAboutBox* AboutBox;

} // namespace quon
