#include "editor/ui/DgrPictures.h"

#include "editor/DgrRender.h"
#include "platform/Emf.h"
#include "platform/Wmf.h"
#include "platform/ui/PageFile.h"
#include "platform/ui/RasterCanvas.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QSaveFile>

namespace quon {

namespace {

constexpr int DotsPerMeter96 = 3780;

bool refused(const tDgrData& doc, DgrPictureKind kind, QString& error)
{
    const std::string message = pictureSizeError(PictureSize(doc), kind);
    error = QString::fromStdString(message);
    return !message.empty();
}

bool writeFile(const QByteArray& bytes, const QString& fileName, QString& error)
{
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    error = QStringLiteral("Не удалось записать файл %1: %2").arg(fileName, file.errorString());
    return false;
}

template <class Canvas> QByteArray recordMetafile(tDgrData& doc, DgrPictureKind kind, QString& error)
{
    if (refused(doc, kind, error))
        return {};
    const DgrPictureSize size = PictureSize(doc);
    QtTextMetrics metrics;
    Canvas canvas(static_cast<int32_t>(size.Width), static_cast<int32_t>(size.Height), metrics);
    RenderMetafile(doc, canvas);
    const std::string bytes = canvas.finish();
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

bool toClipboard(QMimeData* data, QString& error)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) {
        delete data;
        error = QStringLiteral("Буфер обмена недоступен");
        return false;
    }
    clipboard->setMimeData(data); // replaces whatever the clipboard held
    return true;
}

QMimeData* metafileData(const QByteArray& bytes, const QStringList& types)
{
    auto* data = new QMimeData;
    for (const QString& type : types)
        data->setData(type, bytes);
    return data;
}

} // namespace

QImage renderBitmapPicture(tDgrData& doc, QString& error)
{
    error.clear();
    if (refused(doc, DgrPictureKind::Bitmap, error))
        return {};
    const DgrPictureSize size = PictureSize(doc);
    if (size.Width == 0 || size.Height == 0)
        return {};
    QImage rgb(static_cast<int>(size.Width), static_cast<int>(size.Height), QImage::Format_RGB32);
    if (rgb.isNull()) {
        error = QStringLiteral("Недостаточно памяти для рисунка %1 x %2").arg(size.Width).arg(size.Height);
        return {};
    }
    rgb.fill(Qt::white);
    rgb.setDotsPerMeterX(DotsPerMeter96);
    rgb.setDotsPerMeterY(DotsPerMeter96);
    {
        RasterCanvas canvas(rgb);
        RenderBitmap(doc, canvas);
    }
    return toMonoPage(rgb);
}

QByteArray renderEmfPicture(tDgrData& doc, QString& error)
{
    error.clear();
    return recordMetafile<EmfCanvas>(doc, DgrPictureKind::Emf, error);
}

QByteArray renderWmfPicture(tDgrData& doc, QString& error)
{
    error.clear();
    return recordMetafile<WmfCanvas>(doc, DgrPictureKind::Wmf, error);
}

bool SaveBmpFile(tDgrData& doc, const QString& fileName, QString& error)
{
    const QImage mono = renderBitmapPicture(doc, error);
    return error.isEmpty() && writeFile(monoBmpBytes(mono), fileName, error);
}

bool SaveEmfFile(tDgrData& doc, const QString& fileName, QString& error)
{
    const QByteArray bytes = renderEmfPicture(doc, error);
    return error.isEmpty() && writeFile(bytes, fileName, error);
}

bool SaveWmfFile(tDgrData& doc, const QString& fileName, QString& error)
{
    const QByteArray bytes = renderWmfPicture(doc, error);
    return error.isEmpty() && writeFile(bytes, fileName, error);
}

bool CopyBmpToClipboard(tDgrData& doc, QString& error)
{
    const QImage mono = renderBitmapPicture(doc, error);
    if (!error.isEmpty())
        return false;
    auto* data = new QMimeData;
    data->setImageData(mono);
    data->setData(QStringLiteral("image/bmp"), monoBmpBytes(mono));
    return toClipboard(data, error);
}

bool CopyEmfToClipboard(tDgrData& doc, QString& error)
{
    const QByteArray bytes = renderEmfPicture(doc, error);
    return error.isEmpty() && toClipboard(metafileData(bytes, emfMimeTypes()), error);
}

bool CopyWmfToClipboard(tDgrData& doc, QString& error)
{
    const QByteArray bytes = renderWmfPicture(doc, error);
    return error.isEmpty() && toClipboard(metafileData(bytes, wmfMimeTypes()), error);
}

QStringList emfMimeTypes()
{
    return {QStringLiteral("image/emf"), QStringLiteral("image/x-emf"),
            QStringLiteral("application/x-openoffice-emf;windows_formatname=\"Image EMF\"")};
}

QStringList wmfMimeTypes()
{
    return {QStringLiteral("image/wmf"), QStringLiteral("image/x-wmf"),
            QStringLiteral("application/x-openoffice-wmf;windows_formatname=\"Image WMF\"")};
}

} // namespace quon
