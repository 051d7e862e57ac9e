#include "model/ui/OptionsWindow.h"

#include "model/ui/GameRecordLinks.h"

#include "app/ui/App.h"
#include "model/Recotypes.h"
#include "model/ui/ExistGmWindow.h"
#include "model/ui/RadioGroup.h"
#include "model/ui/ScannerSettings.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Registry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>
#include <cmath>

namespace quon {

TOptions* Options = nullptr;

namespace {

// Item texts of the groups whose handlers decide by text.
const QString PartFull = QStringLiteral("Full board");
const QString PartHalf = QStringLiteral("Half board");
const QString PartCorner = QStringLiteral("Corner");
const QString PartArbitrary = QStringLiteral("Arbitrary part");
const QString PartAuto = QStringLiteral("Auto");

int rounded(const QDoubleSpinBox* s) { return static_cast<int>(std::lround(s->value())); }

// A spin edit whose minimum and maximum are both 0 has no limits.
QSpinBox* intSpin(QWidget* parent, const char* name, int lo, int hi, int value)
{
    auto* s = new QSpinBox(parent);
    s->setObjectName(name);
    if (lo == 0 && hi == 0)
        s->setRange(INT_MIN, INT_MAX);
    else
        s->setRange(lo, hi);
    s->setValue(value);
    return s;
}

// The floating spin edits hold whole numbers too; their value is a float
// that readers round.
QDoubleSpinBox* floatSpin(QWidget* parent, const char* name, int lo, int hi, int value)
{
    auto* s = new QDoubleSpinBox(parent);
    s->setObjectName(name);
    s->setDecimals(0);
    if (lo == 0 && hi == 0)
        s->setRange(INT_MIN, INT_MAX);
    else
        s->setRange(lo, hi);
    s->setValue(value);
    return s;
}

QCheckBox* check(QWidget* parent, const char* name, const QString& caption, bool checked)
{
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(name);
    c->setChecked(checked);
    return c;
}

RadioGroup* radio(QWidget* parent, const char* name, const QString& caption, const QStringList& items, int index,
                  int columns = 1)
{
    auto* g = new RadioGroup(caption, items, index, parent, columns);
    g->setObjectName(name);
    return g;
}

QComboBox* combo(QWidget* parent, const char* name, const QStringList& items)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->addItems(items);
    c->setCurrentIndex(0);
    return c;
}

QLineEdit* lineEdit(QWidget* parent, const char* name, const QString& text)
{
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(name);
    return e;
}

QLabel* label(QWidget* parent, const QString& text, QWidget* buddy = nullptr)
{
    auto* l = new QLabel(text, parent);
    if (buddy)
        l->setBuddy(buddy);
    return l;
}

// Reading never trusts the store: a missing value, or one of another type,
// leaves the control at its default, and every value is brought into the
// control's range or item count.
void readRadio(const Registry& reg, const char* name, RadioGroup* g)
{
    if (const auto v = reg.tryReadInteger(name))
        g->setItemIndex(std::clamp<int>(*v, 0, g->count() - 1));
}

void readSpin(const Registry& reg, const char* name, QDoubleSpinBox* s)
{
    if (const auto v = reg.tryReadInteger(name))
        s->setValue(std::clamp<double>(*v, s->minimum(), s->maximum()));
}

void readSpin(const Registry& reg, const char* name, QSpinBox* s)
{
    if (const auto v = reg.tryReadInteger(name))
        s->setValue(std::clamp<int>(*v, s->minimum(), s->maximum()));
}

void readCheck(const Registry& reg, const char* name, QCheckBox* c)
{
    if (const auto v = reg.tryReadBool(name))
        c->setChecked(*v);
}

void readText(const Registry& reg, const char* name, QLineEdit* e)
{
    if (const auto v = reg.tryReadString(name))
        e->setText(*v);
}

void readRegion(const Registry& reg, const char* name, double& value, const QDoubleSpinBox* edit)
{
    const auto v = reg.tryReadFloat(name);
    if (!v || !std::isfinite(*v))
        return;
    const double lo = edit ? edit->minimum() : 0;
    const double hi = edit ? edit->maximum() : 19;
    value = std::clamp(*v, lo, hi);
}

} // namespace

QString defaultAutoSaveFolder() { return QDir(QDir::homePath()).filePath("Go Games"); }

// ---- DirectoryEdit ----------------------------------------------------------

DirectoryEdit::DirectoryEdit(QWidget* parent) : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    edit_ = new QLineEdit(this);
    browse_ = new QPushButton("...", this);
    browse_->setObjectName("browse");
    browse_->setFixedWidth(28);
    row->addWidget(edit_);
    row->addWidget(browse_);
    connect(browse_, &QPushButton::clicked, this, [this] {
        const QString folder = Dialogs::current().chooseDirectory("to directory", text());
        if (!folder.isEmpty())
            setText(QDir::toNativeSeparators(folder));
        emit clicked();
    });
}

QString DirectoryEdit::text() const { return edit_->text(); }
void DirectoryEdit::setText(const QString& text)
{
    edit_->setText(text);
    // A folder is read from its start; the field is wide enough for an
    // ordinary path, and a longer one still shows where it begins.
    const int wanted = edit_->fontMetrics().horizontalAdvance(text) + 16;
    if (edit_->minimumWidth() < wanted)
        edit_->setMinimumWidth(std::min(wanted, 420));
    edit_->setCursorPosition(0);
}

// ---- Building the dialog ----------------------------------------------------

TOptions::TOptions(QWidget* parent) : QDialog(parent)
{
    setObjectName("Options");
    setWindowTitle("Options");
    auto* top = new QVBoxLayout(this);
    top->setSizeConstraint(QLayout::SetFixedSize);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    top->addWidget(PageControl1);

    buildGameInputPage();
    buildRecognizePage();
    buildDiagramPage();
    buildLinearInputPage();
    buildEmailPage();
    buildPhotocopierPage();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton("Cancel", this);
    CancelBtn->setObjectName("CancelBtn");
    HelpBtn = new QPushButton("&Help", this);
    HelpBtn->setObjectName("HelpBtn");
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpBtn);
    top->addLayout(buttons);

    connectHandlers();
    FormCreate();
    App::atShutdown([] {
        if (Options)
            Options->FormDestroy();
    });
    // The game-record writer reads its folder and the log switch from here.
    setGameRecordSettingsSource([this] { return GameRecordSettings{DEAutoSave->text(), cbIRLog1->isChecked()}; });
}

TOptions::~TOptions() { setGameRecordSettingsSource(nullptr); }

void TOptions::buildGameInputPage()
{
    TabGameInput = new QWidget;
    TabGameInput->setObjectName("TabGameInput");
    PageControl1->addTab(TabGameInput, "Game input");
    QWidget* p = TabGameInput;
    auto* grid = new QGridLayout(p);

    auto* movesBox = new QGroupBox("Number of moves", p);
    auto* movesRow = new QHBoxLayout(movesBox);
    rgNumMoves = radio(movesBox, "rgNumMoves", "Input", {"Auto", "Manually"}, 0);
    seNumMoves = floatSpin(movesBox, "seNumMoves", 0, 500, 200);
    seNumMoves->setEnabled(false);
    movesRow->addWidget(rgNumMoves);
    movesRow->addWidget(seNumMoves);
    grid->addWidget(movesBox, 0, 0);

    rg1stMove = radio(p, "rg1stMove", "First move", {"Black", "White"}, 0);
    grid->addWidget(rg1stMove, 0, 1);

    auto* handiBox = new QGroupBox("Handicap", p);
    auto* handiRow = new QHBoxLayout(handiBox);
    rgHandiAuto = radio(handiBox, "rgHandiAuto", "Put", {"Auto", "Manually"}, 0);
    seHandicap = floatSpin(handiBox, "seHandicap", -1, 24, 0);
    handiRow->addWidget(rgHandiAuto);
    handiRow->addWidget(seHandicap);
    grid->addWidget(handiBox, 0, 2);

    auto* form = new QGridLayout;
    int r = 0;
    SENdias = floatSpin(p, "SENdias", 0, 10, 1);
    form->addWidget(label(p, "Number of diagrams for the game", SENdias), r, 0);
    form->addWidget(SENdias, r, 1);
    form->addWidget(label(p, "0 - many, unknown"), r++, 2);
    CBTypN = combo(p, "CBTypN", {"Each dia - from 1st move", "Continuous", "Continuous - 100"});
    form->addWidget(label(p, "Game numbering", CBTypN), r, 0);
    form->addWidget(CBTypN, r++, 1, 1, 2);
    seNDia = intSpin(p, "seNDia", 0, 19, 0);
    form->addWidget(label(p, "# of Current Dia ", seNDia), r, 0);
    form->addWidget(seNDia, r++, 1);
    se1stMove = intSpin(p, "se1stMove", 0, 0, 1);
    form->addWidget(label(p, "Absolute # of 1st move", se1stMove), r, 0);
    form->addWidget(se1stMove, r++, 1);
    seDiaNumMoves = floatSpin(p, "seDiaNumMoves", 0, 500, 100);
    form->addWidget(label(p, "Number of moves for the dia", seDiaNumMoves), r, 0);
    form->addWidget(seDiaNumMoves, r, 1);
    form->addWidget(label(p, "0 - auto"), r++, 2);
    seMoveCor = intSpin(p, "seMoveCor", 0, 0, 1);
    form->addWidget(label(p, "1st move in Dia corresponds", seMoveCor), r, 0);
    form->addWidget(seMoveCor, r, 1);
    form->addWidget(label(p, "move at the game"), r++, 2);
    grid->addLayout(form, 1, 0, 1, 3);

    CheckBox2 = check(p, "CheckBox2", "Add stones in the beginning (old games)", false);
    grid->addWidget(CheckBox2, 2, 0, 1, 3);
    grid->setRowStretch(3, 1);
}

void TOptions::buildRecognizePage()
{
    TabRecognize = new QWidget;
    TabRecognize->setObjectName("TabRecognize");
    PageControl1->addTab(TabRecognize, "Recognize");
    QWidget* p = TabRecognize;
    auto* col = new QVBoxLayout(p);

    CBAskNumMoves = check(p, "CBAskNumMoves", "Ask for the # of moves for the game before recognition", false);
    cbIRLog1 = check(p, "cbIRLog1", "Insert Recogniton Log in Comments", true);
    CBFillArI = check(p, "CBFillArI", "FillArI", false);
    col->addWidget(CBAskNumMoves);
    col->addWidget(cbIRLog1);
    col->addWidget(CBFillArI);

    auto* sizes = new QGridLayout;
    SEstszBx = intSpin(p, "SEstszBx", 0, 10000, 0);
    SEstszBy = intSpin(p, "SEstszBy", 0, 10000, 0);
    SEstszWx = intSpin(p, "SEstszWx", 0, 10000, 0);
    SEstszWy = intSpin(p, "SEstszWy", 0, 10000, 0);
    sizes->addWidget(label(p, "StSz Black: x", SEstszBx), 0, 0);
    sizes->addWidget(SEstszBx, 0, 1);
    // Each label sits against its own field, the space going to the end.
    sizes->addWidget(label(p, "y", SEstszBy), 0, 2, Qt::AlignRight);
    sizes->addWidget(SEstszBy, 0, 3);
    sizes->addWidget(label(p, "StSz White: x", SEstszWx), 1, 0);
    sizes->addWidget(SEstszWx, 1, 1);
    sizes->addWidget(label(p, "y", SEstszWy), 1, 2, Qt::AlignRight);
    sizes->addWidget(SEstszWy, 1, 3);
    CBUsaStSz = check(p, "CBUsaStSz", "Use these StSz values", true);
    sizes->addWidget(CBUsaStSz, 0, 4, 2, 1);
    sizes->setColumnStretch(5, 1);
    col->addLayout(sizes);

    auto* looks = new QFormLayout;
    CBDiaBright = combo(p, "CBDiaBright", {"Normal", "Thick lines like in Weiqi Yearbook", "Very thin lines", "Auto"});
    looks->addRow(label(p, "Dia brightness", CBDiaBright), CBDiaBright);
    cbTypSource = combo(p, "cbTypSource", {"Japanese Yearbook (small stones)", "Korean Yearbook (big stones)", "Auto"});
    looks->addRow(label(p, "Stones like in", cbTypSource), cbTypSource);
    col->addLayout(looks);

    CBThinDig = check(p, "CBThinDig", "Thin digits (like in Korean 2000 Baduk Magazine)", false);
    cbUseStSz = check(p, "cbUseStSz", "Use Stone Size from Previous Recog Game", true);
    cbUseStSzCurGm = check(p, "cbUseStSzCurGm", "Use Stone Size from Previous Recog Dia for current game", true);
    CBAutoSendRecoDiatoSkarn = check(p, "CBAutoSendRecoDiatoSkarn", "Auto Send Reco Image to Skarn", false);
    CBSkarnPrefer = check(p, "CBSkarnPrefer", "Use Skarn preferences", false);
    for (QCheckBox* c : {CBThinDig, cbUseStSz, cbUseStSzCurGm, CBAutoSendRecoDiatoSkarn, CBSkarnPrefer})
        col->addWidget(c);
    col->addStretch();
}

void TOptions::buildDiagramPage()
{
    TabDiagram = new QWidget;
    TabDiagram->setObjectName("TabDiagram");
    PageControl1->addTab(TabDiagram, "Diagram");
    QWidget* p = TabDiagram;
    auto* grid = new QGridLayout(p);

    RGDiaSize = radio(p, "RGDiaSize", "Board Part", {PartFull, PartHalf, PartCorner, PartArbitrary, PartAuto}, 0);
    grid->addWidget(RGDiaSize, 0, 0);

    auto* sizeCol = new QVBoxLayout;
    RGBoardSize =
        radio(p, "RGBoardSize", "Board Size", {"19 x 19", "13 x 13", "11 x 11", "9 x 9", "Arbitrary size"}, 0);
    RxSEBoardSize = floatSpin(p, "RxSEBoardSize", 5, 19, 15);
    RxSEBoardSize->setEnabled(false);
    sizeCol->addWidget(RGBoardSize);
    sizeCol->addWidget(RxSEBoardSize);
    grid->addLayout(sizeCol, 1, 0);

    RGHalfBoard = radio(p, "RGHalfBoard", "Half board", {"Left", "Top", "Right", "Bottom"}, 0);
    RGHalfBoard->setEnabled(false);
    grid->addWidget(RGHalfBoard, 0, 1);
    RGCorner = radio(p, "RGCorner", "Corner", {"Left Top", "Right Top", "Right Bottom", "Left Bottom"}, 2);
    RGCorner->setEnabled(false);
    grid->addWidget(RGCorner, 1, 1);

    auto* lines = new QGridLayout;
    RxSEVLines = floatSpin(p, "RxSEVLines", 1, 19, 12);
    RxSEHLines = floatSpin(p, "RxSEHLines", 1, 19, 8);
    RxSEVLines->setEnabled(false);
    RxSEHLines->setEnabled(false);
    lines->addWidget(label(p, "Number of"), 0, 0, 1, 2);
    lines->addWidget(label(p, "Vertical lines", RxSEVLines), 1, 0);
    lines->addWidget(RxSEVLines, 1, 1);
    lines->addWidget(label(p, "Horizontal lines", RxSEHLines), 2, 0);
    lines->addWidget(RxSEHLines, 2, 1);
    lines->addWidget(label(p, "in Dia"), 3, 0, 1, 2);
    grid->addLayout(lines, 2, 1);

    auto* boundsBox = new QGroupBox("Arbitrary Board part", p);
    auto* bounds = new QGridLayout(boundsBox);
    RxSETop = floatSpin(boundsBox, "RxSETop", 1, 19, 1);
    RxSELeft = floatSpin(boundsBox, "RxSELeft", 1, 19, 1);
    RxSERight = floatSpin(boundsBox, "RxSERight", 1, 19, 19);
    RxSEBottom = floatSpin(boundsBox, "RxSEBottom", 1, 19, 19);
    bounds->addWidget(label(boundsBox, "Top", RxSETop), 0, 1);
    bounds->addWidget(RxSETop, 1, 1);
    bounds->addWidget(label(boundsBox, "Left", RxSELeft), 2, 0);
    bounds->addWidget(RxSELeft, 3, 0);
    bounds->addWidget(label(boundsBox, "Right", RxSERight), 2, 2);
    bounds->addWidget(RxSERight, 3, 2);
    bounds->addWidget(label(boundsBox, "Bottom", RxSEBottom), 4, 1);
    bounds->addWidget(RxSEBottom, 5, 1);
    for (QDoubleSpinBox* e : {RxSETop, RxSELeft, RxSERight, RxSEBottom})
        e->setEnabled(false);
    grid->addWidget(boundsBox, 0, 2);

    RGDiaType = radio(p, "RGDiaType", "Diagram type",
                      {"Game Record", "Position (only static stones)", "Diagram (stones and moves)", "Auto"}, 0);
    grid->addWidget(RGDiaType, 1, 2);

    auto* ndCol = new QHBoxLayout;
    RGND = radio(p, "RGND", "Dias per image", {"1 Diagram", "Several", "Auto"}, 0);
    RGND->setEnabled(false);
    RxSEND1 = floatSpin(p, "RxSEND1", 0, 24, 5);
    RxSEND1->setEnabled(false);
    ndCol->addWidget(RGND);
    ndCol->addWidget(RxSEND1);
    grid->addLayout(ndCol, 2, 2);

    Memo1 = new QPlainTextEdit(p);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setFixedSize(150, 100);
    grid->addWidget(Memo1, 2, 0);

    // Kept for the settings that read it, but not shown on the page.
    CheckBox1 = check(p, "CheckBox1", "Thick 1st line", true);
    CheckBox1->setVisible(false);
}

void TOptions::buildLinearInputPage()
{
    TabLinearInput = new QWidget;
    TabLinearInput->setObjectName("TabLinearInput");
    PageControl1->addTab(TabLinearInput, "Linear Input");
    QWidget* p = TabLinearInput;
    auto* grid = new QGridLayout(p);
    rgOpenGame = radio(p, "rgOpenGame", "Open game", {"New game", "Use current game", "Open game"}, 0);
    grid->addWidget(rgOpenGame, 0, 0, 6, 1);
    cbJumpOverStones = check(p, "cbJumpOverStones", "Jumps Over Stones", true);
    cbShowNumbers = check(p, "cbShowNumbers", "Show numbers", true);
    cbAutoreplace = check(p, "cbAutoreplace", "Auto replace moves", false);
    cbSmartEnter = check(p, "cbSmartEnter", "Smart enter", true);
    cbBeep = check(p, "cbBeep", "Beep on place stone", true);
    int r = 0;
    for (QCheckBox* c : {cbJumpOverStones, cbShowNumbers, cbAutoreplace, cbSmartEnter, cbBeep})
        grid->addWidget(c, r++, 1);
    Button1 = new QPushButton("Set Defaults", p);
    Button1->setObjectName("Button1");
    grid->addWidget(Button1, r, 1);
    grid->setRowStretch(r + 1, 1);
}

void TOptions::buildEmailPage()
{
    TabEmail = new QWidget;
    TabEmail->setObjectName("TabEmail");
    PageControl1->addTab(TabEmail, "E-mail");
    QWidget* p = TabEmail;
    auto* grid = new QGridLayout(p);
    // Reserved example domains: the program ships with no real address.
    EQuone_mail = lineEdit(p, "EQuone_mail", "games@example.org");
    EQuone_mail->setEnabled(false);
    Ee_mail = lineEdit(p, "Ee_mail", "user@example.com");
    ESMTPserver = lineEdit(p, "ESMTPserver", "smtp.example.com");
    EUserID = lineEdit(p, "EUserID", "User");
    int r = 0;
    grid->addWidget(label(p, "Quon e-mail address:", EQuone_mail), r, 0);
    grid->addWidget(EQuone_mail, r++, 1);
    grid->addWidget(label(p, "User e-mail address:", Ee_mail), r, 0);
    grid->addWidget(Ee_mail, r++, 1);
    grid->addWidget(label(p, "SMTP server:", ESMTPserver), r, 0);
    grid->addWidget(ESMTPserver, r++, 1);
    grid->addWidget(label(p, "User ID", EUserID), r, 0);
    grid->addWidget(EUserID, r++, 1);
    SENumMailGms = intSpin(p, "SENumMailGms", 5, 30, 10);
    auto* numLabel = new QVBoxLayout;
    numLabel->addWidget(label(p, "Maximum Num of QCR files", SENumMailGms));
    numLabel->addWidget(label(p, "to attaching for 1 mail"));
    grid->addLayout(numLabel, r, 0);
    grid->addWidget(SENumMailGms, r++, 1, Qt::AlignLeft);
    CheckBox3 = check(p, "CheckBox3", "Send game to Quon automatically", false);
    CheckBox3->setEnabled(false);
    grid->addWidget(CheckBox3, r++, 0, 1, 2);
    grid->setRowStretch(r, 1);
}

void TOptions::buildPhotocopierPage()
{
    TabPhotocopier = new QWidget;
    TabPhotocopier->setObjectName("TabPhotocopier");
    PageControl1->addTab(TabPhotocopier, "Photocopier");
    QWidget* p = TabPhotocopier;
    auto* grid = new QGridLayout(p);
    int r = 0;
    CBPhCopyPrint = check(p, "CBPhCopyPrint", "Photocopy to Printer", false);
    CBPhCopyFile = check(p, "CBPhCopyFile", "Photocopy to File", true);
    CBPhCopy = check(p, "CBPhCopy", "Finish Photocopy without cropping", false);
    for (QCheckBox* c : {CBPhCopyPrint, CBPhCopyFile, CBPhCopy})
        grid->addWidget(c, r++, 0, 1, 2);

    CBAutoSave = check(p, "CBAutoSave", "Auto Save Image", false);
    grid->addWidget(CBAutoSave, r++, 0, 1, 2);
    DEAutoSave = new DirectoryEdit(p);
    DEAutoSave->setObjectName("DEAutoSave");
    DEAutoSave->setText(QDir::toNativeSeparators(defaultAutoSaveFolder()));
    grid->addWidget(label(p, "to directory", DEAutoSave->edit()), r, 0);
    grid->addWidget(DEAutoSave, r++, 1);
    CBAutoConfirm = check(p, "CBAutoConfirm", "Confirm File name", false);
    grid->addWidget(CBAutoConfirm, r++, 0, 1, 2);
    EFileMaskAutoSave = lineEdit(p, "EFileMaskAutoSave", "KYB70-");
    grid->addWidget(label(p, "File mask for AutoSave", EFileMaskAutoSave), r, 0);
    grid->addWidget(EFileMaskAutoSave, r++, 1);
    RXsEAutoIncrementAutoSave = floatSpin(p, "RXsEAutoIncrementAutoSave", 0, 0, 1);
    grid->addWidget(label(p, "Autoincrement", RXsEAutoIncrementAutoSave), r, 0);
    grid->addWidget(RXsEAutoIncrementAutoSave, r++, 1, Qt::AlignLeft);
    RxLastPage = floatSpin(p, "RxLastPage", 0, 0, 0);
    grid->addWidget(label(p, "Last Number", RxLastPage), r, 0);
    grid->addWidget(RxLastPage, r++, 1, Qt::AlignLeft);

    RGAutoRotate = radio(p, "RGAutoRotate", "Auto Rotate Image after scan", {"Left", "Right", "Not Rotate"}, 0);
    grid->addWidget(RGAutoRotate, 0, 2, 4, 1);
    auto* delay = new QHBoxLayout;
    RxSPrintDelay = floatSpin(p, "RxSPrintDelay", 0, 200, 0);
    delay->addWidget(label(p, "Delay before\nscan next page", RxSPrintDelay));
    delay->addWidget(RxSPrintDelay);
    delay->addWidget(label(p, "seconds"));
    grid->addLayout(delay, 4, 2);
    CBAutocopy = check(p, "CBAutocopy", "CBAutocopy", false);
    CBTypImage = check(p, "CBTypImage", "Monochrome image", true);
    CBLinkWindows = check(p, "CBLinkWindows", "Link Board and Comment windows", false);
    grid->addWidget(CBAutocopy, 5, 2);
    grid->addWidget(CBTypImage, 6, 2);
    grid->addWidget(CBLinkWindows, 7, 2);
    grid->setRowStretch(r, 1);
}

void TOptions::connectHandlers()
{
    connect(RGBoardSize, &RadioGroup::clicked, this, &TOptions::RGBoardSizeClick);
    connect(RGDiaSize, &RadioGroup::clicked, this, &TOptions::RGDiaSizeClick);
    connect(RGHalfBoard, &RadioGroup::clicked, this, &TOptions::RGHalfBoardClick);
    connect(RGCorner, &RadioGroup::clicked, this, &TOptions::RGCornerClick);
    connect(RGDiaType, &RadioGroup::clicked, this, &TOptions::RGDiaTypeClick);
    connect(RxSEVLines, &QDoubleSpinBox::valueChanged, this, &TOptions::RxSEVLinesChange);
    connect(RxSEHLines, &QDoubleSpinBox::valueChanged, this, &TOptions::RxSEHLinesChange);
    connect(RxSEBoardSize, &QDoubleSpinBox::valueChanged, this, &TOptions::RxSEBoardSizeChange);
    connect(RxSETop, &QDoubleSpinBox::valueChanged, this, &TOptions::RxSETopChange);
    connect(RxSEBottom, &QDoubleSpinBox::valueChanged, this, &TOptions::RxSEBottomChange);
    connect(RxSELeft, &QDoubleSpinBox::valueChanged, this, &TOptions::RxSELeftChange);
    connect(RxSERight, &QDoubleSpinBox::valueChanged, this, &TOptions::RxSERightChange);
    connect(seMoveCor, &QSpinBox::valueChanged, this, &TOptions::seMoveCorChange);
    connect(seHandicap, &QDoubleSpinBox::valueChanged, this, &TOptions::seHadicapChange);
    connect(rg1stMove, &RadioGroup::clicked, this, &TOptions::rg1stMoveClick);
    for (QAbstractSpinBox* s :
         std::initializer_list<QAbstractSpinBox*>{seNumMoves, SENdias, seDiaNumMoves, SENumMailGms})
        connect(s, &QAbstractSpinBox::editingFinished, this, &TOptions::SEMoveNumbersExit);
    connect(seDiaNumMoves, &QDoubleSpinBox::valueChanged, this, &TOptions::seDiaNumMovesChange);
    connect(rgHandiAuto, &RadioGroup::clicked, this, &TOptions::rgHandiAutoClick);
    connect(CBAskNumMoves, &QCheckBox::toggled, this, &TOptions::CBAskNumMovesClick);
    connect(rgNumMoves, &RadioGroup::clicked, this, &TOptions::rgNumMovesClick);
    connect(rgOpenGame, &RadioGroup::clicked, this, &TOptions::rgOpenGameClick);
    connect(CBAutoSave, &QCheckBox::toggled, this, &TOptions::CBAutoSaveClick);
    connect(DEAutoSave, &DirectoryEdit::clicked, this, &TOptions::CBAutoSaveClick);
    connect(OKBtn, &QPushButton::clicked, this, &TOptions::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TOptions::CancelBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this, [this] {
        // Help ends only a modal run; shown without waiting it does nothing.
        if (isModal() && isVisible())
            done(HelpResult);
    });
}

void TOptions::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (centred_)
        return;
    centred_ = true;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect r = frameGeometry();
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }
}

int TOptions::execOnPage(QWidget* page)
{
    // A window shown without waiting cannot turn modal while visible.
    hide();
    if (page)
        PageControl1->setCurrentWidget(page);
    setModal(true);
    const int result = exec();
    setModal(false);
    return result;
}

void TOptions::OKBtnClick() { accept(); }
void TOptions::CancelBtnClick() { reject(); }

// ---- Settings ---------------------------------------------------------------

void TOptions::FormCreate()
{
    // The derived values start from the controls' defaults, so that the
    // handlers run by loading see a board.
    RGBoardSizeClick();
    RGDiaSizeClick();
    {
        // A group whose presence value is missing is written from the
        // controls, which hold the defaults now; a group that is there is
        // read and never overwritten because the other one is missing.
        Registry reg;
        if (reg.OpenKey(QuonRegistryKey, true)) {
            if (reg.ValueExists("BoardSize"))
                loadGroup1(reg);
            else
                saveTo(reg, Group1);
            if (!reg.ValueExists("SRTop0"))
                saveTo(reg, Group2);
            loadGroup2(reg);
            reg.CloseKey();
        }
    }

    // The derived values follow the controls as they now stand, whether
    // they were loaded or are the defaults.
    RGBoardSizeClick();
    RGDiaSizeClick();
    RGDiaTypeClick();
    rg1stMoveClick();
    seMoveCorChange();

    SEstszBx->setValue(Reco.StoneSizes[1].Width);
    SEstszBy->setValue(Reco.StoneSizes[1].Height);
    SEstszWx->setValue(Reco.StoneSizes[2].Width);
    SEstszWy->setValue(Reco.StoneSizes[2].Height);
    CBAutoSendRecoDiatoSkarn->setVisible(false);
    CBSkarnPrefer->setVisible(false);
}

void TOptions::loadGroup1(const Registry& reg)
{
    // Each control's handler runs as its value is set, so the geometry
    // follows the values in the order they come.
    readRadio(reg, "BoardSize", RGBoardSize);
    readRadio(reg, "DiaSize", RGDiaSize);
    readRadio(reg, "HalfBoard", RGHalfBoard);
    readRadio(reg, "Corner", RGCorner);
    readRadio(reg, "DiaType", RGDiaType);
    readSpin(reg, "VLines", RxSEVLines);
    readSpin(reg, "HLines", RxSEHLines);
    readSpin(reg, "SEBoardSize", RxSEBoardSize);
    readSpin(reg, "BTop", RxSETop);
    readSpin(reg, "BLeft", RxSELeft);
    readSpin(reg, "BRight", RxSERight);
    readSpin(reg, "BBottom", RxSEBottom);
    if (ExistGm && ExistGm->EDate)
        readText(reg, "GmDate", ExistGm->EDate);
    readText(reg, "e-mail", Ee_mail);
    readText(reg, "SMTP", ESMTPserver);
    readText(reg, "ID", EUserID);
}

void TOptions::loadGroup2(const Registry& reg)
{
    readCheck(reg, "PhotocopytoPrint", CBPhCopyPrint);
    readCheck(reg, "PhotocopytoFile", CBPhCopyFile);
    readCheck(reg, "FinishPhotocopy", CBPhCopy);
    readCheck(reg, "AutoSave", CBAutoSave);
    readText(reg, "AutoSaveDir", DEAutoSave->edit());
    readCheck(reg, "AutoConfirm", CBAutoConfirm);
    readText(reg, "AutoMask", EFileMaskAutoSave);
    readSpin(reg, "AutoIncrement", RXsEAutoIncrementAutoSave);
    DEAutoSave->setEnabled(CBAutoSave->isChecked());

    ScannerSettings* scan = ScannerSettings::instance();
    if (!scan)
        return;
    for (int i = 0; i <= 1; ++i) {
        const QByteArray n = QByteArray::number(i);
        readRegion(reg, "SRTop" + n, scan->ScanRectTop[i], scan->seTopSR);
        readRegion(reg, "SRLeft" + n, scan->ScanRectLeft[i], scan->seLeftSR);
        readRegion(reg, "SRRight" + n, scan->ScanRectRight[i], scan->seRightSR);
        readRegion(reg, "SRBottom" + n, scan->ScanRectBottom[i], scan->seBottomSR);
    }
    if (scan->cbDisTw)
        readCheck(reg, "TWainEnable", scan->cbDisTw);
    if (scan->seResol)
        readSpin(reg, "ScanResol", scan->seResol);
    if (scan->SEBrightness)
        readSpin(reg, "ScanBrightness", scan->SEBrightness);
    scan->RGScanSetClick();
}

void TOptions::SaveSettings()
{
    Registry reg;
    if (!reg.OpenKey(QuonRegistryKey, true))
        return;
    saveTo(reg, Group1 | Group2);
    reg.CloseKey();
}

void TOptions::saveTo(Registry& reg, unsigned groups)
{
    const bool g1 = groups & Group1;
    const bool g2 = groups & Group2;
    if (g1) {
        reg.WriteInteger("DiaSize", RGDiaSize->itemIndex());
        reg.WriteInteger("BoardSize", RGBoardSize->itemIndex());
        reg.WriteInteger("HalfBoard", RGHalfBoard->itemIndex());
        reg.WriteInteger("Corner", RGCorner->itemIndex());
        reg.WriteInteger("DiaType", RGDiaType->itemIndex());
        reg.WriteInteger("VLines", rounded(RxSEVLines));
        reg.WriteInteger("HLines", rounded(RxSEHLines));
        reg.WriteInteger("SEBoardSize", rounded(RxSEBoardSize));
        reg.WriteInteger("NDperImage", RGND->itemIndex());
        reg.WriteInteger("BTop", rounded(RxSETop));
        reg.WriteInteger("BLeft", rounded(RxSELeft));
        reg.WriteInteger("BRight", rounded(RxSERight));
        reg.WriteInteger("BBottom", rounded(RxSEBottom));
    }
    ScannerSettings* scan = ScannerSettings::instance();
    if (g2 && scan) {
        if (scan->cbDisTw)
            reg.WriteBool("TWainEnable", scan->cbDisTw->isChecked());
        if (scan->seResol)
            reg.WriteInteger("ScanResol", scan->seResol->value());
        if (scan->SEBrightness)
            reg.WriteInteger("ScanBrightness", scan->SEBrightness->value());
        for (int i = 0; i <= 1; ++i) {
            const QByteArray n = QByteArray::number(i);
            reg.WriteFloat("SRTop" + n, scan->ScanRectTop[i]);
            reg.WriteFloat("SRLeft" + n, scan->ScanRectLeft[i]);
            reg.WriteFloat("SRRight" + n, scan->ScanRectRight[i]);
            reg.WriteFloat("SRBottom" + n, scan->ScanRectBottom[i]);
        }
    }
    if (g1) {
        if (ExistGm && ExistGm->EDate)
            reg.WriteString("GmDate", ExistGm->EDate->text());
        reg.WriteString("e-mail", Ee_mail->text());
        reg.WriteString("SMTP", ESMTPserver->text());
        reg.WriteString("ID", EUserID->text());
    }
    if (!g2)
        return;
    reg.WriteBool("PhotocopytoPrint", CBPhCopyPrint->isChecked());
    reg.WriteBool("PhotocopytoFile", CBPhCopyFile->isChecked());
    reg.WriteBool("FinishPhotocopy", CBPhCopy->isChecked());
    reg.WriteBool("AutoSave", CBAutoSave->isChecked());
    reg.WriteString("AutoSaveDir", DEAutoSave->text());
    reg.WriteBool("AutoConfirm", CBAutoConfirm->isChecked());
    reg.WriteString("AutoMask", EFileMaskAutoSave->text());
    reg.WriteInteger("AutoIncrement", rounded(RXsEAutoIncrementAutoSave));
}

void TOptions::FormDestroy()
{
    SaveSettings();
    if (!Reco.StartFolder.empty())
        QFile::remove(QDir(QString::fromStdString(Reco.StartFolder)).filePath("Acquired0.bmp"));
}

OptionsSnapshot TOptions::snapshot() const
{
    OptionsSnapshot s;
    s.rgNumMoves = rgNumMoves->itemIndex();
    s.seNumMoves = rounded(seNumMoves);
    s.rg1stMove = rg1stMove->itemIndex();
    s.rgHandiAuto = rgHandiAuto->itemIndex();
    s.seHandicap = rounded(seHandicap);
    s.SENdias = rounded(SENdias);
    s.CBTypN = CBTypN->currentIndex();
    s.seNDia = seNDia->value();
    s.se1stMove = se1stMove->value();
    s.seDiaNumMoves = rounded(seDiaNumMoves);
    s.seMoveCor = seMoveCor->value();

    s.CBAskNumMoves = CBAskNumMoves->isChecked();
    s.cbIRLog1 = cbIRLog1->isChecked();
    s.CBFillArI = CBFillArI->isChecked();
    s.SEstszBx = SEstszBx->value();
    s.SEstszBy = SEstszBy->value();
    s.SEstszWx = SEstszWx->value();
    s.SEstszWy = SEstszWy->value();
    s.CBUsaStSz = CBUsaStSz->isChecked();
    s.CBDiaBright = CBDiaBright->currentIndex();
    s.cbTypSource = cbTypSource->currentIndex();
    s.CBThinDig = CBThinDig->isChecked();
    s.cbUseStSz = cbUseStSz->isChecked();
    s.cbUseStSzCurGm = cbUseStSzCurGm->isChecked();
    s.CBAutoSendRecoDiatoSkarn = CBAutoSendRecoDiatoSkarn->isChecked();
    s.CBSkarnPrefer = CBSkarnPrefer->isChecked();

    s.RGDiaSize = RGDiaSize->itemIndex();
    s.RGBoardSize = RGBoardSize->itemIndex();
    s.RxSEBoardSize = rounded(RxSEBoardSize);
    s.RGHalfBoard = RGHalfBoard->itemIndex();
    s.RGCorner = RGCorner->itemIndex();
    s.RxSEVLines = rounded(RxSEVLines);
    s.RxSEHLines = rounded(RxSEHLines);
    s.RxSETop = rounded(RxSETop);
    s.RxSELeft = rounded(RxSELeft);
    s.RxSERight = rounded(RxSERight);
    s.RxSEBottom = rounded(RxSEBottom);
    s.RGDiaType = RGDiaType->itemIndex();

    s.rgOpenGame = rgOpenGame->itemIndex();
    s.cbJumpOverStones = cbJumpOverStones->isChecked();
    s.cbShowNumbers = cbShowNumbers->isChecked();
    s.cbAutoreplace = cbAutoreplace->isChecked();
    s.cbSmartEnter = cbSmartEnter->isChecked();
    s.cbBeep = cbBeep->isChecked();
    return s;
}

// ---- Diagram geometry -------------------------------------------------------

void TOptions::RGBoardSizeClick()
{
    RxSEBoardSize->setEnabled(false);
    const QString text = RGBoardSize->currentText();
    int n = 0;
    for (int size : {19, 13, 11, 9})
        if (text.contains(QString::number(size))) {
            n = size;
            break;
        }
    if (n == 0) {
        n = rounded(RxSEBoardSize);
        RxSEBoardSize->setEnabled(true);
    }
    Reco.BoardLineCount = n;
    followBoardSize();
    ShowBounds();
}

void TOptions::RxSEBoardSizeChange()
{
    if (!RxSEBoardSize->isEnabled())
        return;
    Reco.BoardLineCount = rounded(RxSEBoardSize);
    followBoardSize();
    ShowBounds();
}

void TOptions::followBoardSize()
{
    const int n = Reco.BoardLineCount;
    const QString part = RGDiaSize->currentText();
    if (part == PartHalf || part == PartCorner) {
        // More lines than the board has are set back to the board; their
        // handlers then recompute the window.
        for (QDoubleSpinBox* lines : {RxSEVLines, RxSEHLines})
            if (rounded(lines) > n)
                lines->setValue(n);
        if (part == PartHalf)
            RGHalfBoardClick();
        else
            RGCornerClick();
    } else if (part == PartArbitrary) {
        takeArbitraryBounds();
    } else {
        Reco.DiagramWindow = {1, 1, n, n};
    }
}

void TOptions::takeArbitraryBounds()
{
    const int n = Reco.BoardLineCount;
    const int right = std::clamp(rounded(RxSERight), 2, n);
    const int bottom = std::clamp(rounded(RxSEBottom), 2, n);
    const int left = std::clamp(rounded(RxSELeft), 1, right - 1);
    const int top = std::clamp(rounded(RxSETop), 1, bottom - 1);
    Reco.DiagramWindow = {left, top, right, bottom};
    // The edits show the bounds in force; their handlers would only find
    // them already in range.
    for (auto [edit, value] : {std::pair{RxSELeft, left}, {RxSETop, top}, {RxSERight, right}, {RxSEBottom, bottom}}) {
        const QSignalBlocker block(edit);
        edit->setValue(value);
    }
}

void TOptions::enablePartControls(int part)
{
    // Only the controls of the chosen part are live, so an edit of another
    // part cannot move the window behind the user's back.
    const QString text = RGDiaSize->itemText(part);
    const bool lines = text != PartFull && text != PartArbitrary;
    RGHalfBoard->setEnabled(text == PartHalf);
    RGCorner->setEnabled(text == PartCorner);
    RxSEVLines->setEnabled(lines);
    RxSEHLines->setEnabled(lines);
    for (QDoubleSpinBox* e : {RxSETop, RxSELeft, RxSERight, RxSEBottom})
        e->setEnabled(text == PartArbitrary);
}

void TOptions::RGDiaSizeClick()
{
    const QString text = RGDiaSize->currentText();
    RGBoardSize->setEnabled(!(text == PartCorner || text == PartArbitrary || text == PartAuto));
    enablePartControls(RGDiaSize->itemIndex());
    if (text == PartFull) {
        Reco.FullBoardFlag = 1;
        RGBoardSizeClick();
        return;
    }
    Reco.FullBoardFlag = 0;
    if (text == PartHalf)
        RGHalfBoardClick();
    else if (text == PartCorner)
        RGCornerClick();
    else if (text == PartArbitrary)
        takeArbitraryBounds();
    ShowBounds();
}

// The lines of a half or corner part, never more than the board has.
std::pair<int, int> TOptions::partLines() const
{
    const int n = Reco.BoardLineCount;
    return {std::min(rounded(RxSEVLines), n), std::min(rounded(RxSEHLines), n)};
}

void TOptions::setPartWindow(DiagramRect w)
{
    w.Left = std::max(1, w.Left);
    w.Top = std::max(1, w.Top);
    Reco.DiagramWindow = w;
    ShowBounds();
}

void TOptions::RGHalfBoardClick()
{
    if (!RGHalfBoard->isEnabled())
        return;
    const int n = Reco.BoardLineCount;
    const auto [v, h] = partLines();
    const QString text = RGHalfBoard->currentText();
    DiagramRect w = Reco.DiagramWindow;
    if (text == "Left")
        w = {1, 1, v, n};
    else if (text == "Top")
        w = {1, 1, n, h};
    else if (text == "Right")
        w = {n - v + 1, 1, n, n};
    else if (text == "Bottom")
        w = {1, n - h + 1, n, n};
    setPartWindow(w);
}

void TOptions::RGCornerClick()
{
    if (!RGCorner->isEnabled())
        return;
    const int n = Reco.BoardLineCount;
    const auto [v, h] = partLines();
    const QString text = RGCorner->currentText();
    DiagramRect w = Reco.DiagramWindow;
    if (text == "Left Top")
        w = {1, 1, v, h};
    else if (text == "Right Top")
        w = {n - v + 1, 1, n, h};
    else if (text == "Right Bottom")
        w = {n - v + 1, n - h + 1, n, n};
    else if (text == "Left Bottom")
        w = {1, n - h + 1, v, n};
    setPartWindow(w);
}

void TOptions::RxSEVLinesChange()
{
    if (!RxSEVLines->isEnabled())
        return;
    if (rounded(RxSEVLines) > Reco.BoardLineCount) {
        RxSEVLines->setValue(Reco.BoardLineCount); // runs this handler again
        return;
    }
    if (RGHalfBoard->isEnabled())
        RGHalfBoardClick();
    else if (RGCorner->isEnabled())
        RGCornerClick();
    ShowBounds();
}

void TOptions::RxSEHLinesChange()
{
    if (!RxSEHLines->isEnabled())
        return;
    if (rounded(RxSEHLines) > Reco.BoardLineCount) {
        RxSEHLines->setValue(Reco.BoardLineCount);
        return;
    }
    if (RGHalfBoard->isEnabled())
        RGHalfBoardClick();
    else if (RGCorner->isEnabled())
        RGCornerClick();
    ShowBounds();
}

namespace {
// The first bound (Top or Left) lies in 1 .. min(N - 1, last - 1).
int clampFirstBound(int v, int last, int n)
{
    if (v < 1)
        v = 1;
    if (v >= last)
        v = last - 1;
    if (v > n - 1)
        v = n - 1;
    return v;
}

// The last bound (Bottom or Right) lies in max(1, first + 1) .. N.
int clampLastBound(int v, int first, int n)
{
    if (v < 1)
        v = 1;
    if (v <= first)
        v = first + 1;
    if (v > n)
        v = n;
    return v;
}
} // namespace

// One edge of the arbitrary part: stored, shown corrected when it had to be
// moved, and the bounds text redrawn.
void TOptions::setBound(QDoubleSpinBox* edit, int32_t& bound, int value)
{
    bound = value;
    if (value != rounded(edit))
        edit->setValue(value);
    ShowBounds();
}

void TOptions::RxSETopChange()
{
    if (RxSETop->isEnabled())
        setBound(RxSETop, Reco.DiagramWindow.Top, clampFirstBound(rounded(RxSETop), Reco.DiagramWindow.Bottom, Reco.BoardLineCount));
}

void TOptions::RxSELeftChange()
{
    if (RxSELeft->isEnabled())
        setBound(RxSELeft, Reco.DiagramWindow.Left, clampFirstBound(rounded(RxSELeft), Reco.DiagramWindow.Right, Reco.BoardLineCount));
}

void TOptions::RxSEBottomChange()
{
    if (RxSEBottom->isEnabled())
        setBound(RxSEBottom, Reco.DiagramWindow.Bottom, clampLastBound(rounded(RxSEBottom), Reco.DiagramWindow.Top, Reco.BoardLineCount));
}

void TOptions::RxSERightChange()
{
    if (RxSERight->isEnabled())
        setBound(RxSERight, Reco.DiagramWindow.Right, clampLastBound(rounded(RxSERight), Reco.DiagramWindow.Left, Reco.BoardLineCount));
}

void TOptions::RGDiaTypeClick()
{
    const int i = std::max(0, RGDiaType->itemIndex());
    Reco.DiagramType = static_cast<int16_t>(i);
    Reco.StaticStonesPossible = i > 0 ? 1 : 0;
}

void TOptions::ShowBounds()
{
    const DiagramRect w = Reco.DiagramWindow;
    Reco.DiagramWindowSize = {w.Right - w.Left + 1, w.Bottom - w.Top + 1};
    Memo1->setPlainText(QStringLiteral("BoardSize: %1\nLeft: %2\nTop: %3\nRight: %4\nBottom: %5")
                            .arg(Reco.BoardLineCount)
                            .arg(w.Left)
                            .arg(w.Top)
                            .arg(w.Right)
                            .arg(w.Bottom));
}

// ---- Game input -------------------------------------------------------------

void TOptions::seMoveCorChange() { Reco.MovesBefore = seMoveCor->value() - 1; }

void TOptions::seHadicapChange()
{
    rg1stMove->setItemIndex(seHandicap->value() > 1 ? 1 : 0);
    rg1stMoveClick();
}

void TOptions::rg1stMoveClick()
{
    if (rg1stMove->itemIndex() >= 0)
        Reco.FirstMoveColour = rg1stMove->itemIndex() + 1;
}

void TOptions::SEMoveNumbersExit()
{
    const int n = rounded(seNumMoves);
    if (n != 0 && n != Reco.MoveCount) {
        if (Reco.MoveCount == 0) {
            Reco.MoveCount = n;
        } else if (Dialogs::current().question(QString::asprintf(
                       "Different Number of moves for the game. Old: %d, New: %d. Substitute?", Reco.MoveCount, n))) {
            Reco.MoveCount = n;
        } else {
            seNumMoves->setValue(Reco.MoveCount);
        }
    }
    if (rounded(SENdias) == seNDia->value())
        Reco.DiaLastMove = Reco.MoveCount;
}

void TOptions::seDiaNumMovesChange()
{
    if (rounded(seDiaNumMoves) > Reco.MoveCount && rgNumMoves->itemIndex() == 0)
        seNumMoves->setValue(rounded(seDiaNumMoves) * rounded(SENdias));
}

void TOptions::rgHandiAutoClick() { seHandicap->setEnabled(rgHandiAuto->itemIndex() == 1); }

void TOptions::CBAskNumMovesClick() { rgNumMoves->setItemIndex(CBAskNumMoves->isChecked() ? 1 : 0); }

void TOptions::rgNumMovesClick() { seNumMoves->setEnabled(rgNumMoves->itemIndex() == 1); }

void TOptions::rgOpenGameClick()
{
    // Only the number of moves is cleared: the game itself, and with it the
    // question about an unsaved game, stays until a new game really starts.
    if (rgOpenGame->itemIndex() == 0)
        seNumMoves->setValue(0);
}

void TOptions::CBAutoSaveClick() { DEAutoSave->setEnabled(CBAutoSave->isChecked()); }

} // namespace quon
