// quon-bench picture IN.dgr OUT.bmp|OUT.emf|OUT.wmf: the diagram's block as
// the editor exports it, chosen by the output's extension; one JSON line with
// the picture's size and the time taken.
#include "BenchCommon.h"
#include "Commands.h"
#include "editor/DgrRender.h"
#include "editor/ui/DgrPictures.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <string>

namespace quon::bench {

int pictureCommand(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: quon-bench picture IN.dgr OUT.bmp|OUT.emf|OUT.wmf\n");
        return 2;
    }
    // Fonts need the GUI application; without a display it runs offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QString out = QString::fromLocal8Bit(argv[3]);
    const QString ext = QFileInfo(out).suffix().toLower();
    if (ext != "bmp" && ext != "emf" && ext != "wmf") {
        std::fprintf(stderr, "the output must end in .bmp, .emf or .wmf\n");
        return 2;
    }
    tDgrData doc;
    std::string loadError;
    if (!doc.LoadFromFile(argv[2], loadError)) {
        std::printf("{\"ok\": false, \"error\": %s}\n", jsonString(loadError).c_str());
        return 1;
    }
    QElapsedTimer timer;
    timer.start();
    QString error;
    const bool ok = ext == "bmp"   ? SaveBmpFile(doc, out, error)
                    : ext == "emf" ? SaveEmfFile(doc, out, error)
                                   : SaveWmfFile(doc, out, error);
    const DgrPictureSize size = PictureSize(doc);
    if (!ok) {
        std::printf("{\"ok\": false, \"error\": %s}\n", jsonString(error.toStdString()).c_str());
        return 1;
    }
    std::printf("{\"ok\": true, \"width\": %lld, \"height\": %lld, \"timeMs\": %lld}\n",
                static_cast<long long>(size.Width), static_cast<long long>(size.Height),
                static_cast<long long>(timer.elapsed()));
    return 0;
}

} // namespace quon::bench
