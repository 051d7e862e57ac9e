#include "platform/ui/PageFile.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>

#include <array>

namespace quon {

namespace {
constexpr QRgb Black = 0xFF000000;
constexpr QRgb White = 0xFFFFFFFF;

bool isDark(QRgb c)
{
    // Composite onto white paper first, then threshold the grey level.
    const int a = qAlpha(c);
    const int r = (qRed(c) * a + 255 * (255 - a)) / 255;
    const int g = (qGreen(c) * a + 255 * (255 - a)) / 255;
    const int b = (qBlue(c) * a + 255 * (255 - a)) / 255;
    return qGray(r, g, b) < 128;
}

QImage blankMono(int w, int h)
{
    QImage out(w, h, QImage::Format_Mono);
    if (out.isNull())
        return out;
    out.setColorTable({Black, White});
    out.fill(1);
    return out;
}

void setBit(uchar* row, int x, bool white)
{
    const uchar mask = static_cast<uchar>(0x80 >> (x & 7));
    if (white)
        row[x >> 3] |= mask;
    else
        row[x >> 3] &= static_cast<uchar>(~mask);
}
} // namespace

QImage toMonoPage(const QImage& sourceIn)
{
    if (sourceIn.isNull())
        return {};
    QImage source = sourceIn;
    const int w = source.width(), h = source.height();
    QImage out = blankMono(w, h);
    if (out.isNull())
        return out;
    out.setDotsPerMeterX(source.dotsPerMeterX());
    out.setDotsPerMeterY(source.dotsPerMeterY());

    if (source.format() == QImage::Format_MonoLSB)
        source = source.convertToFormat(QImage::Format_Mono);
    if (source.format() == QImage::Format_Mono) {
        const QList<QRgb> table = source.colorTable();
        const bool white0 = table.size() > 0 ? !isDark(table[0]) : false;
        const bool white1 = table.size() > 1 ? !isDark(table[1]) : true;
        const int bytes = (w + 7) / 8;
        for (int y = 0; y < h; ++y) {
            const uchar* in = source.constScanLine(y);
            uchar* o = out.scanLine(y);
            for (int k = 0; k < bytes; ++k) {
                const uchar b = in[k];
                // A set bit (index 1) becomes white when index 1 is light.
                const uchar ones = white1 ? b : 0;
                const uchar zeros = white0 ? static_cast<uchar>(~b) : 0;
                o[k] = static_cast<uchar>(ones | zeros);
            }
        }
        return out;
    }
    if (source.format() == QImage::Format_Indexed8) {
        const QList<QRgb> table = source.colorTable();
        std::array<bool, 256> white{};
        for (int i = 0; i < 256; ++i)
            white[i] = i < table.size() ? !isDark(table[i]) : false;
        for (int y = 0; y < h; ++y) {
            const uchar* in = source.constScanLine(y);
            uchar* o = out.scanLine(y);
            for (int x = 0; x < w; ++x)
                setBit(o, x, white[in[x]]);
        }
        return out;
    }
    if (source.format() == QImage::Format_Grayscale8) {
        for (int y = 0; y < h; ++y) {
            const uchar* in = source.constScanLine(y);
            uchar* o = out.scanLine(y);
            for (int x = 0; x < w; ++x)
                setBit(o, x, in[x] >= 128);
        }
        return out;
    }
    const QImage argb = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        uchar* o = out.scanLine(y);
        for (int x = 0; x < w; ++x)
            setBit(o, x, !isDark(in[x]));
    }
    return out;
}

namespace {
uint32_t le32(const QByteArray& b, int at)
{
    return static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8 | static_cast<uint8_t>(b[at + 2]) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24;
}

// Qt's BMP reader accepts a file cut short and fills the missing rows with
// whatever it has; a page read like that would be recognised as garbage.
// Empty when the file is whole as far as its headers tell.
QString bmpTruncation(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = f.read(54);
    if (head.size() < 2 || head[0] != 'B' || head[1] != 'M')
        return {};
    const qint64 fileSize = f.size();
    if (head.size() < 26)
        return QStringLiteral("The file \"%1\" is cut short.").arg(QFileInfo(path).fileName());
    const uint32_t offBits = le32(head, 10);
    const uint32_t headerSize = le32(head, 14);
    int64_t width = 0, height = 0, bits = 0, compression = 0;
    if (headerSize == 12) {
        width = static_cast<uint8_t>(head[18]) | static_cast<uint8_t>(head[19]) << 8;
        height = static_cast<uint8_t>(head[20]) | static_cast<uint8_t>(head[21]) << 8;
        bits = static_cast<uint8_t>(head[24]) | static_cast<uint8_t>(head[25]) << 8;
    } else if (head.size() >= 34) {
        width = static_cast<int32_t>(le32(head, 18));
        height = static_cast<int32_t>(le32(head, 22));
        bits = static_cast<uint8_t>(head[28]) | static_cast<uint8_t>(head[29]) << 8;
        compression = le32(head, 30);
    } else {
        return QStringLiteral("The file \"%1\" is cut short.").arg(QFileInfo(path).fileName());
    }
    if (height < 0)
        height = -height;
    int64_t needed = offBits;
    if (compression == 0 || compression == 3)
        needed += ((width * bits + 31) / 32) * 4 * height;
    else
        needed += 2; // at least one run-length code
    if (fileSize < needed)
        return QStringLiteral("The file \"%1\" is cut short: it holds %2 bytes of the %3 its picture needs.")
            .arg(QFileInfo(path).fileName())
            .arg(fileSize)
            .arg(needed);
    return {};
}
} // namespace

LoadedPage loadPageFile(const QString& path)
{
    // A 600 dpi A4 page is counted at 32 bits a pixel by Qt's guard, over its
    // default limit; our own size check below is the real guard.
    QImageReader::setAllocationLimit(2048);
    LoadedPage page;
    if (!QFileInfo(path).isFile()) {
        page.error = QStringLiteral("Cannot open file \"%1\". No such file.").arg(path);
        return page;
    }
    if (const QString cut = bmpTruncation(path); !cut.isEmpty()) {
        page.error = cut;
        return page;
    }
    QImageReader reader(path);
    reader.setAutoTransform(false);
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (size.isValid()) {
        const std::string problem = pageSizeProblem(size.width(), size.height());
        if (!problem.empty()) {
            page.error = QString::fromStdString(problem);
            return page;
        }
    }
    QImage image = reader.read();
    if (image.isNull()) {
        page.error = QStringLiteral("Cannot read \"%1\" as a picture: %2.")
                         .arg(QFileInfo(path).fileName(), reader.errorString());
        return page;
    }
    const std::string problem = pageSizeProblem(image.width(), image.height());
    if (!problem.empty()) {
        page.error = QString::fromStdString(problem);
        return page;
    }
    QImage mono = toMonoPage(image);
    if (mono.isNull()) {
        page.error = QStringLiteral("Not enough memory for a page of %1 x %2 pixels.")
                         .arg(image.width())
                         .arg(image.height());
        return page;
    }
    page.asLoaded = std::move(image);
    page.mono = std::move(mono);
    return page;
}

MonoRows monoRows(const QImage& mono)
{
    MonoRows rows;
    if (mono.isNull())
        return rows;
    rows.bits = mono.constBits();
    rows.bytesPerLine = mono.bytesPerLine();
    rows.width = mono.width();
    rows.height = mono.height();
    return rows;
}

namespace {
void put16(QByteArray& b, quint16 v)
{
    b.append(char(v & 0xFF));
    b.append(char(v >> 8));
}
void put32(QByteArray& b, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
}
} // namespace

QByteArray monoBmpBytes(const QImage& monoIn)
{
    const QImage mono = monoIn.format() == QImage::Format_Mono ? monoIn : toMonoPage(monoIn);
    const int w = mono.width(), h = mono.height();
    const quint32 rowBytes = ((static_cast<quint32>(w) + 31) / 32) * 4;
    const quint32 dataSize = rowBytes * static_cast<quint32>(h);
    QByteArray b;
    b.reserve(62 + static_cast<int>(dataSize));
    b.append("BM");
    put32(b, 62 + dataSize);
    put32(b, 0);
    put32(b, 62);
    put32(b, 40);
    put32(b, static_cast<quint32>(w));
    put32(b, static_cast<quint32>(h));
    put16(b, 1);
    put16(b, 1);
    put32(b, 0);
    put32(b, dataSize);
    put32(b, static_cast<quint32>(mono.dotsPerMeterX()));
    put32(b, static_cast<quint32>(mono.dotsPerMeterY()));
    put32(b, 2);
    put32(b, 2);
    put32(b, 0x00000000); // index 0 black
    put32(b, 0x00FFFFFF); // index 1 white
    const int bytes = (w + 7) / 8;
    for (int y = h - 1; y >= 0; --y) {
        b.append(reinterpret_cast<const char*>(mono.constScanLine(y)), bytes);
        b.append(QByteArray(static_cast<int>(rowBytes) - bytes, 0));
    }
    return b;
}

bool saveMonoBmp(const QImage& mono, const QString& path)
{
    const QByteArray b = monoBmpBytes(mono);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(b) != b.size())
        return false;
    return file.commit();
}

} // namespace quon
