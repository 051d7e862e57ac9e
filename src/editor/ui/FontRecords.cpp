#include "editor/ui/FontRecords.h"

#include "editor/DgrRender.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/RasterCanvas.h"

#include <cmath>

namespace quon {

QFont qFontFromRecord(const LogFontA& record) { return fontFromGdi(pictureFont(record)); }

LogFontA recordFromQFont(const QFont& font)
{
    LogFontA r;
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : 10.0;
    r.Height = -static_cast<int32_t>(std::lround(points * 96.0 / 72.0));
    r.Weight = static_cast<int32_t>(font.weight());
    r.Italic = font.italic() ? 1 : 0;
    r.Underline = font.underline() ? 1 : 0;
    r.StrikeOut = font.strikeOut() ? 1 : 0;
    r.CharSet = 1;
    r.OutPrecision = 2;
    r.ClipPrecision = 1;
    r.setFaceNameUtf8(font.family().toStdString());
    return r;
}

bool chooseFontRecord(LogFontA& record)
{
    QFont font = qFontFromRecord(record);
    if (!Dialogs::current().chooseFont(font))
        return false;
    record = recordFromQFont(font);
    return true;
}

} // namespace quon
