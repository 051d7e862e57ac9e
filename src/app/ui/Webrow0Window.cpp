#include "app/ui/Webrow0Window.h"

#include "platform/DataFiles.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace quon {

TWebrow0* Webrow0 = nullptr;

TWebrow0::TWebrow0(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("Webrow0");
    setWindowTitle(QString::fromUtf8("Web Browser"));
    WebBrowser1 = new QTextBrowser(this);
    WebBrowser1->setObjectName("WebBrowser1");
    WebBrowser1->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(WebBrowser1);
    resize(640, 480);
}

void TWebrow0::showHomePage()
{
    const auto page = findDataFile("help/QuonHome.html", {});
    if (page.empty()) {
        WebBrowser1->setPlainText("The home page \"QuonHome.html\" is missing.");
        return;
    }
    WebBrowser1->setSource(QUrl::fromLocalFile(QString::fromStdString(page.string())));
}

} // namespace quon
