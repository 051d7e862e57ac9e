#include "editor/ui/FrmGraphFillesWindow.h"

#include "editor/MetafilePlayer.h"
#include "model/Recotypes.h"
#include "platform/ui/RasterCanvas.h"
#include "platform/ui/Dialogs.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace quon {

TFrmGraphFilles* FrmGraphFilles = nullptr;

TFrmGraphFilles::TFrmGraphFilles(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("FrmGraphFilles");
    setWindowTitle(QString::fromUtf8("Просмотр графических файлов"));
    auto* layout = new QVBoxLayout(this);
    btnOpen = new QPushButton(QString::fromUtf8("    Открыть файл"), this);
    btnOpen->setObjectName("btnOpen");
    layout->addWidget(btnOpen, 0, Qt::AlignLeft);
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName("ScrollBox1");
    Image1 = new QLabel;
    Image1->setObjectName("Image1");
    ScrollBox1->setWidget(Image1);
    layout->addWidget(ScrollBox1);
    resize(480, 400);
    connect(btnOpen, &QPushButton::clicked, this, &TFrmGraphFilles::btnOpenClick);
}

void TFrmGraphFilles::btnOpenClick()
{
    FileDialogSpec spec;
    spec.key = "PictureOpen";
    spec.filter = "All (*.bmp;*.ico;*.emf;*.wmf)|*.bmp;*.ico;*.emf;*.wmf|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|"
                  "Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf";
    const QString name = Dialogs::current().openFile(spec);
    if (!name.isEmpty())
        ShowFile(name);
}

namespace {

// A metafile drawn on white at its own size; a null image when it cannot be read.
QImage playMetafile(const QString& fileName, bool enhanced)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    const std::string_view bytes(data.constData(), static_cast<size_t>(data.size()));
    const auto size = enhanced ? emfPictureSize(bytes) : wmfPictureSize(bytes);
    if (!size)
        return {};
    QImage image(size->cx, size->cy, QImage::Format_RGB32);
    image.fill(Qt::white);
    RasterCanvas canvas(image);
    // A record that does not hold ends the picture; what came before shows.
    if (enhanced)
        playEmf(bytes, canvas);
    else
        playWmf(bytes, canvas);
    return image;
}

} // namespace

void TFrmGraphFilles::ShowFile(const QString& fileName)
{
    const QString ext = QFileInfo(fileName).suffix().toUpper();
    QImage picture;
    if (ext == "BMP")
        picture.load(fileName, "BMP");
    else if (ext == "EMF" || ext == "WMF")
        picture = playMetafile(fileName, ext == "EMF");
    Image1->clear();
    if (!picture.isNull()) {
        Image1->setPixmap(QPixmap::fromImage(picture));
        Image1->resize(picture.size());
    } else {
        Image1->resize(0, 0);
    }
    setWindowTitle(QString::fromUtf8("Файл ") + fileName);
}

bool TFrmGraphFilles::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate && !Reco.LastPictureFile.empty()) {
        const QString last = QString::fromStdString(Reco.LastPictureFile);
        if (QFileInfo(last).isFile())
            ShowFile(last);
    }
    return QWidget::event(e);
}

} // namespace quon
