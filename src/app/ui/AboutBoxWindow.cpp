#include "app/ui/AboutBoxWindow.h"

#include "platform/ui/Dialogs.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace quon {

TAboutBox* AboutBox = nullptr;

QString TAboutBox::contactAddress() { return QStringLiteral("quon-ocr@example.org"); }

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName("AboutBox");
    setWindowTitle(QString::fromUtf8("About"));
    setModal(true);

    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName("ProgramIcon");
    ProgramIcon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    ProductName = new QLabel(QStringLiteral("Quon OCR %1").arg(QStringLiteral(QUON_VERSION)), this);
    ProductName->setObjectName("ProductName");
    Contact = new QLabel(QStringLiteral("<a href=\"mailto:%1\">%1</a>").arg(contactAddress()), this);
    Contact->setObjectName("Contact");
    Contact->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(Contact, &QLabel::linkActivated, this, [this] { openContactLink(); });

    lvVersionInfo = new QTreeWidget(this);
    lvVersionInfo->setObjectName("lvVersionInfo");
    lvVersionInfo->setColumnCount(2);
    lvVersionInfo->setHeaderLabels({"Name", "Value"});
    lvVersionInfo->setRootIsDecorated(false);
    lvVersionInfo->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvVersionInfo->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvVersionInfo->setStyleSheet("QTreeView::item { border: 1px solid #d0d0d0; }"); // grid lines
    lvVersionInfo->setColumnWidth(0, 100);
    lvVersionInfo->setColumnWidth(1, 150);

    OKButton = new QPushButton("OK", this);
    OKButton->setObjectName("OKButton");
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(ProgramIcon);
    auto* texts = new QVBoxLayout;
    texts->addWidget(ProductName);
    texts->addWidget(Contact);
    top->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(lvVersionInfo, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addStretch();
    layout->addLayout(buttons);
    resize(300, 320);

    source_ = buildVersionSource();
    fillVersionInfo(QCoreApplication::applicationFilePath().toStdString(), *source_);
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::fillVersionInfo(const std::string& fileName, VersionSource& source)
{
    lvVersionInfo->clear();
    info_.reset();
    versionError_.clear();
    std::unique_ptr<TVerInfoRes> info;
    try {
        info = std::make_unique<TVerInfoRes>(fileName, source);
    } catch (const std::exception& e) {
        versionError_ = QString::fromStdString(e.what());
        Dialogs::current().information(versionError_);
        return;
    }
    auto row = [this](const QString& name, const QString& value) {
        new QTreeWidgetItem(lvVersionInfo, QStringList{name, value});
    };
    for (int i = 0; i < 10; ++i)
        if (const std::string v = info->GetVerInfoStr(i); !v.empty())
            row(VerInfoKeys[i], QString::fromStdString(v));
    if (const std::string author = info->GetVerInfoStr(std::string("Author")); !author.empty())
        row("Author", QString::fromStdString(author));
    row("Build", QString::fromStdString(info->ProductVersion()));
    row("Operating System", QString::fromStdString(info->OSText()));
    info_ = std::move(info);
}

void TAboutBox::openContactLink()
{
    if (!QDesktopServices::openUrl(QUrl("mailto:" + contactAddress())))
        Dialogs::current().information(
            QStringLiteral("No mail program could be started. The address is %1.").arg(contactAddress()));
}

} // namespace quon
