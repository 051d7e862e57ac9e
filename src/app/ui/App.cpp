#include "app/ui/App.h"

#include "app/ui/AboutBoxWindow.h"
#include "app/ui/Debug1Window.h"
#include "app/ui/Form3Window.h"
#include "app/ui/Form4Window.h"
#include "app/ui/GridBoard1Window.h"
#include "app/ui/MainWindow.h"
#include "app/ui/ManualPtWindow.h"
#include "app/ui/RotateAngleWindow.h"
#include "app/ui/SMTP0Window.h"
#include "app/ui/Scale1Window.h"
#include "app/ui/ScanImageWindow.h"
#include "app/ui/Webrow0Window.h"
#include "editor/ui/DlgChooseDirWindow.h"
#include "editor/ui/FrmDgrPropWindow.h"
#include "editor/ui/FrmDgrWindow.h"
#include "editor/ui/FrmEdLogFontWindow.h"
#include "editor/ui/FrmGraphFillesWindow.h"
#include "editor/ui/FrmMainWindow.h"
#include "editor/ui/FrmSetBMPWindow.h"
#include "editor/ui/FrmToolsWindow.h"
#include "editor/ui/NumOptWindow.h"
#include "model/ui/ExistGmWindow.h"
#include "model/ui/FMoveNumInputWindow.h"
#include "model/ui/GoToMoveNumberWindow.h"
#include "model/ui/MoveCorrection1Window.h"
#include "model/ui/OptionsWindow.h"
#include "model/ui/RWSGFWindow.h"
#include "model/ui/VGameWindow.h"
#include "prepare/ui/Prepare3Window.h"
#include "recognize/ui/BezForm1Window.h"
#include "recognize/ui/FCurPropWindow.h"
#include "recognize/ui/FInfoWindow.h"
#include "recognize/ui/FOptionsWindow.h"
#include "recognize/ui/RecoDiaWindow.h"
#include "platform/ui/System.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>

namespace quon {

namespace {
// Every window opens wholly on the screen of the main window: centred over
// it the first time unless it placed itself, and brought back onto that
// screen whenever it is shown again. The pointing window places itself.
class WindowPlacer : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        auto* w = qobject_cast<QWidget*>(watched);
        if (e->type() == QEvent::Show && w && w->isWindow() && w != Form1 && w != ManualPt && Form1) {
            if (!w->testAttribute(Qt::WA_Moved)) {
                // Wide enough for its caption, where its layout allows.
                const int wanted = std::min(sys::captionWidth(w), w->maximumWidth());
                if (w->width() < wanted)
                    w->resize(wanted, w->height());
                sys::centreOver(w, Form1);
            }
            else
                sys::keepOnScreen(w, Form1);
        }
        return false;
    }
};
WindowPlacer* placer = nullptr;

std::vector<QWidget*> created;
std::vector<std::function<void()>> saves;
bool shutDown = false;

template <typename W>
void make(W*& instance)
{
    instance = new W();
    created.push_back(instance);
    if (!placer)
        placer = new WindowPlacer;
    instance->installEventFilter(placer);
}
} // namespace

void App::createWindows()
{
    shutDown = false;
    make(Form1);
    make(BezForm1);
    make(FInfo);
    make(FCurProp);
    make(FOptions);
    make(Form3);
    make(Form4);
    make(RotateAngle);
    make(Debug1);
    make(GridBoard1);
    make(Scale1);
    make(ExistGm);
    make(Prepare3);
    make(ScanImage);
    make(ManualPt);
    make(Options);
    make(MoveCorrection1);
    make(VGame);
    make(AboutBox);
    make(RecoDia);
    make(Webrow0);
    make(FrmMain);
    make(FrmDgrProp);
    make(FrmTools);
    make(FrmSetBMP);
    make(FrmGraphFilles);
    make(FrmDgr);
    make(FrmEdLogFont);
    make(GoToMoveNumber);
    make(FMoveNumInput);
    make(RWSGF);
    make(SMTP0);
    make(NumOpt);
    make(DlgChooseDir);
    Form1->linkWindows();
}

void App::atShutdown(std::function<void()> save) { saves.push_back(std::move(save)); }

void App::shutdown()
{
    if (shutDown)
        return;
    shutDown = true;
    for (auto it = saves.rbegin(); it != saves.rend(); ++it) {
        try {
            (*it)();
        } catch (...) {
            // A failed save at exit must not keep the others from running.
        }
    }
    saves.clear();
}

void App::destroyWindows()
{
    shutdown();
    for (auto it = created.rbegin(); it != created.rend(); ++it)
        delete *it;
    created.clear();
    Form1 = nullptr;
    BezForm1 = nullptr;
    FInfo = nullptr;
    FCurProp = nullptr;
    FOptions = nullptr;
    Form3 = nullptr;
    Form4 = nullptr;
    RotateAngle = nullptr;
    Debug1 = nullptr;
    GridBoard1 = nullptr;
    Scale1 = nullptr;
    ExistGm = nullptr;
    Prepare3 = nullptr;
    ScanImage = nullptr;
    ManualPt = nullptr;
    Options = nullptr;
    MoveCorrection1 = nullptr;
    VGame = nullptr;
    AboutBox = nullptr;
    RecoDia = nullptr;
    Webrow0 = nullptr;
    FrmMain = nullptr;
    FrmDgrProp = nullptr;
    FrmTools = nullptr;
    FrmSetBMP = nullptr;
    FrmGraphFilles = nullptr;
    FrmDgr = nullptr;
    FrmEdLogFont = nullptr;
    GoToMoveNumber = nullptr;
    FMoveNumInput = nullptr;
    RWSGF = nullptr;
    SMTP0 = nullptr;
    NumOpt = nullptr;
    DlgChooseDir = nullptr;
}

QStringList App::creationOrder()
{
    QStringList names;
    for (QWidget* w : created)
        names << QString::fromLatin1(w->metaObject()->className()).section("::", -1);
    return names;
}

const std::vector<QWidget*>& App::windows() { return created; }

} // namespace quon
