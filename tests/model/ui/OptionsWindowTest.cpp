// The options dialog: its settings in the registry file, the geometry it
// derives, and its controls driven as a user drives them.
#include "app/ui/App.h"
#include "app/ui/MainWindow.h"
#include "app/ui/ScanImageWindow.h"
#include "model/Recotypes.h"
#include "model/ui/ExistGmWindow.h"
#include "model/ui/OptionsWindow.h"
#include "model/ui/RadioGroup.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Registry.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QAbstractButton>

#include <cmath>
#include <functional>
#include <limits>
#include <variant>

using namespace quon;

namespace {

class OptionsTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        oldCwd = QDir::currentPath();
        QDir::setCurrent(dir.path());
        Registry::setStorageFile(dir.filePath("registry.ini"));
        resetTablesToStart();
    }
    void TearDown() override
    {
        App::destroyWindows();
        Registry::setStorageFile(QString());
        QDir::setCurrent(oldCwd);
    }
    void start() { App::createWindows(); }
    void restart()
    {
        App::destroyWindows();
        resetTablesToStart();
        App::createWindows();
    }
    // The dialog on screen, for the tests that click and type.
    void startShown()
    {
        start();
        Options->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Options));
    }

    QTemporaryDir dir;
    QString oldCwd;
};

// What a stored value must be: its type and content.
using Stored = std::variant<int, bool, double, QString>;

struct StoredValue {
    const char* name;
    Stored value;
};

std::string describe(const Stored& v)
{
    return std::visit(
        [](const auto& x) -> std::string {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, QString>)
                return "string \"" + x.toStdString() + "\"";
            else if constexpr (std::is_same_v<T, bool>)
                return x ? "bool true" : "bool false";
            else if constexpr (std::is_same_v<T, int>)
                return "integer " + std::to_string(x);
            else
                return "float " + std::to_string(x);
        },
        v);
}

// Checks one value of the main key with the type it must have.
void expectStored(const StoredValue& e)
{
    Registry reg;
    ASSERT_TRUE(reg.OpenKey(QuonRegistryKey, false));
    SCOPED_TRACE(std::string(e.name) + " should be " + describe(e.value));
    ASSERT_TRUE(reg.ValueExists(e.name));
    std::visit(
        [&](const auto& x) {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, QString>) {
                ASSERT_TRUE(reg.tryReadString(e.name).has_value());
                EXPECT_EQ(*reg.tryReadString(e.name), x);
            } else if constexpr (std::is_same_v<T, bool>) {
                ASSERT_TRUE(reg.tryReadInteger(e.name).has_value());
                EXPECT_EQ(*reg.tryReadInteger(e.name), x ? 1 : 0);
            } else if constexpr (std::is_same_v<T, int>) {
                ASSERT_TRUE(reg.tryReadInteger(e.name).has_value());
                EXPECT_EQ(*reg.tryReadInteger(e.name), x);
            } else {
                ASSERT_TRUE(reg.tryReadFloat(e.name).has_value());
                EXPECT_DOUBLE_EQ(*reg.tryReadFloat(e.name), x);
            }
        },
        e.value);
}

template <typename F> void withKey(F f)
{
    Registry reg;
    ASSERT_TRUE(reg.OpenKey(QuonRegistryKey, true));
    f(reg);
    reg.CloseKey();
}

// The whole store a run writes, in the order it writes it.
std::vector<StoredValue> defaultStore()
{
    return {
        {"DiaSize", 0},
        {"BoardSize", 0},
        {"HalfBoard", 0},
        {"Corner", 2},
        {"DiaType", 0},
        {"VLines", 12},
        {"HLines", 8},
        {"SEBoardSize", 15},
        {"NDperImage", 0},
        {"BTop", 1},
        {"BLeft", 1},
        {"BRight", 19},
        {"BBottom", 19},
        {"TWainEnable", true},
        {"ScanResol", 300},
        {"ScanBrightness", 0},
        {"SRTop0", 1.0},
        {"SRLeft0", 1.0},
        {"SRRight0", 10.0},
        {"SRBottom0", 10.0},
        {"SRTop1", 1.0},
        {"SRLeft1", 1.0},
        {"SRRight1", 10.0},
        {"SRBottom1", 10.0},
        {"GmDate", QString("1992-01-01")},
        {"e-mail", QString("user@example.com")},
        {"SMTP", QString("smtp.example.com")},
        {"ID", QString("User")},
        {"PhotocopytoPrint", false},
        {"PhotocopytoFile", true},
        {"FinishPhotocopy", false},
        {"AutoSave", false},
        {"AutoSaveDir", QDir::toNativeSeparators(QDir(QDir::homePath()).filePath("Go Games"))},
        {"AutoConfirm", false},
        {"AutoMask", QString("KYB70-")},
        {"AutoIncrement", 1},
    };
}

void typeValue(QAbstractSpinBox* s, int v)
{
    QTest::keyClick(s, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(s, QString::number(v));
}

// A click on the box or circle of a check box or radio button: the middle
// of a button stretched by its layout lies outside what it reacts to.
void clickBox(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2)); }

void choose(RadioGroup* g, int item)
{
    ASSERT_TRUE(g->button(item));
    clickBox(g->button(item));
}

int rounded(const QDoubleSpinBox* s) { return static_cast<int>(std::lround(s->value())); }

} // namespace

// ---- The store --------------------------------------------------------------

TEST_F(OptionsTest, FirstStartWritesEveryValueWithItsDefaultAndReadsTheScanSetsBack)
{
    start();
    for (const StoredValue& e : defaultStore())
        expectStored(e);
    // The stone sizes are the main window's; nothing else is in the key.
    Registry reg;
    ASSERT_TRUE(reg.OpenKey(QuonRegistryKey, false));
    EXPECT_EQ(reg.valueNames().size(), static_cast<qsizetype>(defaultStore().size() + 4));

    EXPECT_DOUBLE_EQ(ScanImage->seTopSR->value(), 1);
    EXPECT_DOUBLE_EQ(ScanImage->seLeftSR->value(), 1);
    EXPECT_DOUBLE_EQ(ScanImage->seBottomSR->value(), 10);
    EXPECT_DOUBLE_EQ(ScanImage->seRightSR->value(), 10);
    EXPECT_FALSE(Options->DEAutoSave->isEnabled());
    EXPECT_EQ(Reco.BoardLineCount, 19);
    EXPECT_EQ(Reco.DiagramWindow, (DiagramRect{1, 1, 19, 19}));
    EXPECT_EQ(Reco.DiagramWindowSize, (DiagramSize{19, 19}));
    EXPECT_EQ(Reco.FullBoardFlag, 1);
    EXPECT_EQ(Options->Memo1->toPlainText(), "BoardSize: 19\nLeft: 1\nTop: 1\nRight: 19\nBottom: 19");
}

TEST_F(OptionsTest, EveryStoredValueSurvivesARestart)
{
    start();
    Options->RGBoardSize->setItemIndex(4);
    Options->RxSEBoardSize->setValue(17);
    Options->RGDiaSize->setItemIndex(2);
    Options->RGHalfBoard->setItemIndex(3);
    Options->RGCorner->setItemIndex(1);
    Options->RGDiaType->setItemIndex(2);
    Options->RxSEVLines->setValue(7);
    Options->RxSEHLines->setValue(6);
    Options->RGND->setItemIndex(1);
    Options->RxSETop->setValue(3);
    Options->RxSELeft->setValue(4);
    Options->RxSERight->setValue(15);
    Options->RxSEBottom->setValue(16);
    ScanImage->cbDisTw->setChecked(false);
    ScanImage->seResol->setValue(600);
    ScanImage->SEBrightness->setValue(-250);
    ScanImage->seTopSR->setValue(0.5); // set 1 is current
    ScanImage->seLeftSR->setValue(1.25);
    ScanImage->seBottomSR->setValue(11.5);
    ScanImage->seRightSR->setValue(8.75);
    ScanImage->RGScanSet->setItemIndex(1);
    ScanImage->seTopSR->setValue(2);
    ScanImage->seLeftSR->setValue(3);
    ScanImage->seBottomSR->setValue(12);
    ScanImage->seRightSR->setValue(9);
    ExistGm->EDate->setText("2001-05-06");
    Options->Ee_mail->setText("me@example.net");
    Options->ESMTPserver->setText("mail.example.net");
    Options->EUserID->setText("Reader");
    Options->CBPhCopyPrint->setChecked(true);
    Options->CBPhCopyFile->setChecked(false);
    Options->CBPhCopy->setChecked(true);
    Options->CBAutoSave->setChecked(true);
    Options->DEAutoSave->setText("/tmp/pages");
    Options->CBAutoConfirm->setChecked(true);
    Options->EFileMaskAutoSave->setText("BOOK-");
    Options->RXsEAutoIncrementAutoSave->setValue(2);

    App::destroyWindows();
    const std::vector<StoredValue> expected = {
        {"DiaSize", 2},
        {"BoardSize", 4},
        {"HalfBoard", 3},
        {"Corner", 1},
        {"DiaType", 2},
        {"VLines", 7},
        {"HLines", 6},
        {"SEBoardSize", 17},
        {"NDperImage", 1},
        {"BTop", 3},
        {"BLeft", 4},
        {"BRight", 15},
        {"BBottom", 16},
        {"TWainEnable", false},
        {"ScanResol", 600},
        {"ScanBrightness", -250},
        {"SRTop0", 0.5},
        {"SRLeft0", 1.25},
        {"SRRight0", 8.75},
        {"SRBottom0", 11.5},
        {"SRTop1", 2.0},
        {"SRLeft1", 3.0},
        {"SRRight1", 9.0},
        {"SRBottom1", 12.0},
        {"GmDate", QString("2001-05-06")},
        {"e-mail", QString("me@example.net")},
        {"SMTP", QString("mail.example.net")},
        {"ID", QString("Reader")},
        {"PhotocopytoPrint", true},
        {"PhotocopytoFile", false},
        {"FinishPhotocopy", true},
        {"AutoSave", true},
        {"AutoSaveDir", QString("/tmp/pages")},
        {"AutoConfirm", true},
        {"AutoMask", QString("BOOK-")},
        {"AutoIncrement", 2},
    };
    for (const StoredValue& e : expected)
        expectStored(e);

    resetTablesToStart();
    start();
    EXPECT_EQ(Options->RGDiaSize->itemIndex(), 2);
    EXPECT_EQ(Options->RGBoardSize->itemIndex(), 4);
    EXPECT_EQ(Options->RGHalfBoard->itemIndex(), 3);
    EXPECT_EQ(Options->RGCorner->itemIndex(), 1);
    EXPECT_EQ(Options->RGDiaType->itemIndex(), 2);
    EXPECT_EQ(rounded(Options->RxSEVLines), 7);
    EXPECT_EQ(rounded(Options->RxSEHLines), 6);
    EXPECT_EQ(rounded(Options->RxSEBoardSize), 17);
    EXPECT_EQ(Options->RGND->itemIndex(), 0) << "written, never read";
    EXPECT_EQ(rounded(Options->RxSETop), 3);
    EXPECT_EQ(rounded(Options->RxSELeft), 4);
    EXPECT_EQ(rounded(Options->RxSERight), 15);
    EXPECT_EQ(rounded(Options->RxSEBottom), 16);
    EXPECT_FALSE(ScanImage->cbDisTw->isChecked());
    EXPECT_EQ(ScanImage->seResol->value(), 600);
    EXPECT_EQ(ScanImage->SEBrightness->value(), -250);
    EXPECT_DOUBLE_EQ(ScanImage->ScanRectTop[0], 0.5);
    EXPECT_DOUBLE_EQ(ScanImage->ScanRectLeft[0], 1.25);
    EXPECT_DOUBLE_EQ(ScanImage->ScanRectBottom[0], 11.5);
    EXPECT_DOUBLE_EQ(ScanImage->ScanRectRight[0], 8.75);
    EXPECT_DOUBLE_EQ(ScanImage->ScanRectTop[1], 2);
    EXPECT_DOUBLE_EQ(ScanImage->ScanRectRight[1], 9);
    // The scanner shows the region of its current set (set 1 at start).
    EXPECT_DOUBLE_EQ(ScanImage->seTopSR->value(), 0.5);
    EXPECT_DOUBLE_EQ(ScanImage->seRightSR->value(), 8.75);
    EXPECT_EQ(ExistGm->EDate->text(), "2001-05-06");
    EXPECT_EQ(Options->Ee_mail->text(), "me@example.net");
    EXPECT_EQ(Options->ESMTPserver->text(), "mail.example.net");
    EXPECT_EQ(Options->EUserID->text(), "Reader");
    EXPECT_TRUE(Options->CBPhCopyPrint->isChecked());
    EXPECT_FALSE(Options->CBPhCopyFile->isChecked());
    EXPECT_TRUE(Options->CBPhCopy->isChecked());
    EXPECT_TRUE(Options->CBAutoSave->isChecked());
    EXPECT_TRUE(Options->DEAutoSave->isEnabled());
    EXPECT_EQ(Options->DEAutoSave->text(), "/tmp/pages");
    EXPECT_TRUE(Options->CBAutoConfirm->isChecked());
    EXPECT_EQ(Options->EFileMaskAutoSave->text(), "BOOK-");
    EXPECT_EQ(rounded(Options->RXsEAutoIncrementAutoSave), 2);

    // The geometry follows the loaded values: a right-top corner of 7 x 6
    // on a board of 17.
    EXPECT_EQ(Reco.BoardLineCount, 17);
    EXPECT_EQ(Reco.DiagramWindow, (DiagramRect{11, 1, 17, 6}));
    EXPECT_EQ(Reco.DiagramWindowSize, (DiagramSize{7, 6}));
    EXPECT_EQ(Reco.FullBoardFlag, 0);
    EXPECT_EQ(Reco.DiagramType, 2);
    EXPECT_EQ(Reco.StaticStonesPossible, 1);
}

TEST_F(OptionsTest, AStoredArbitraryBoardSizeGivesItsFullBoardAfterARestart)
{
    start();
    Options->RGBoardSize->setItemIndex(4);
    Options->RxSEBoardSize->setValue(17);
    EXPECT_EQ(Reco.DiagramWindow, (DiagramRect{1, 1, 17, 17}));
    restart();
    EXPECT_EQ(Reco.BoardLineCount, 17);
    EXPECT_EQ(Reco.DiagramWindow, (DiagramRect{1, 1, 17, 17}));
    EXPECT_EQ(Options->Memo1->toPlainText(), "BoardSize: 17\nLeft: 1\nTop: 1\nRight: 17\nBottom: 17");
}

TEST_F(OptionsTest, AKeyMissingOneGroupGetsThatGroupWrittenAndKeepsTheOther)
{
    // Group 1 only: the photocopier and scanner values are written with
    // their defaults, the diagram values are read.
    withKey([](Registry& reg) {
        reg.WriteInteger("BoardSize", 1);
        reg.WriteInteger("DiaSize", 1);
        reg.WriteInteger("HalfBoard", 2);
        reg.WriteString("ID", "Someone");
    });
    start();
    EXPECT_EQ(Options->RGBoardSize->itemIndex(), 1);
    EXPECT_EQ(Options->EUserID->text(), "Someone");
    EXPECT_EQ(Reco.DiagramWindow, (DiagramRect{2, 1, 13, 13}));
    expectStored({"SRTop0", 1.0});
    expectStored({"AutoMask", QString("KYB70-")});
    expectStored({"PhotocopytoFile", true});
    expectStored({"BoardSize", 1}); // the group that was there is kept as it was
    expectStored({"ID", QString("Someone")});
    App::destroyWindows();

    // Group 2 only: the diagram values are written, the photocopier read.
    withKey([](Registry& reg) {
        for (const QString& name : reg.valueNames())
            reg.DeleteValue(name);
        reg.WriteFloat("SRTop0", 2.5);
        reg.WriteString("AutoMask", "PAGE-");
        reg.WriteBool("AutoSave", true);
    });
    resetTablesToStart();
    start();
    expectStored({"BoardSize", 0});
    expectStored({"DiaSize", 0});
    expectStored({"GmDate", QString("1992-01-01")});
    EXPECT_EQ(Options->EFileMaskAutoSave->text(), "PAGE-");
    EXPECT_TRUE(Options->CBAutoSave->isChecked());
    EXPECT_TRUE(Options->DEAutoSave->isEnabled());
    EXPECT_DOUBLE_EQ(ScanImage->seTopSR->value(), 2.5);
}

TEST_F(OptionsTest, HandBrokenValuesFallBackToDefaultsOrAreClamped)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    withKey([&](Registry& reg) {
        reg.WriteInteger("BoardSize", -3);     // below the first item
        reg.WriteInteger("DiaSize", 9);        // past the last item: "Auto"
        reg.WriteString("HalfBoard", "Right"); // wrong type
        reg.WriteInteger("Corner", 77);
        reg.WriteFloat("DiaType", 1.0); // wrong type
        reg.WriteInteger("VLines", 40);
        reg.WriteInteger("SEBoardSize", 2);
        reg.WriteInteger("BBottom", 1000000);
        reg.WriteInteger("GmDate", 19920101); // wrong type
        // "HLines", "BTop", "e-mail" missing.
        reg.WriteFloat("SRTop0", nan);
        reg.WriteFloat("SRLeft0", 500);
        reg.WriteString("SRRight0", "ten");
        reg.WriteFloat("SRBottom0", -4);
        reg.WriteInteger("ScanResol", 99999);
        reg.WriteInteger("ScanBrightness", -5000);
        reg.WriteString("AutoSave", "yes");
        reg.WriteInteger("AutoSaveDir", 5);
        reg.WriteString("AutoIncrement", "one");
        reg.WriteInteger("PhotocopytoPrint", 7); // any non-zero integer is on
    });
    start();
    EXPECT_EQ(Options->RGBoardSize->itemIndex(), 0);
    EXPECT_EQ(Options->RGDiaSize->itemIndex(), 4);
    EXPECT_EQ(Options->RGHalfBoard->itemIndex(), 0);
    EXPECT_EQ(Options->RGCorner->itemIndex(), 3);
    EXPECT_EQ(Options->RGDiaType->itemIndex(), 0);
    EXPECT_EQ(rounded(Options->RxSEVLines), 19);
    EXPECT_EQ(rounded(Options->RxSEHLines), 8);
    EXPECT_EQ(rounded(Options->RxSEBoardSize), 5);
    EXPECT_EQ(rounded(Options->RxSEBottom), 19);
    EXPECT_EQ(rounded(Options->RxSETop), 1);
    EXPECT_EQ(ExistGm->EDate->text(), "1992-01-01");
    EXPECT_EQ(Options->Ee_mail->text(), "user@example.com");
    EXPECT_DOUBLE_EQ(ScanImage->ScanRectTop[0], 1);
    EXPECT_DOUBLE_EQ(ScanImage->ScanRectLeft[0], 19);
    EXPECT_DOUBLE_EQ(ScanImage->ScanRectRight[0], 10);
    EXPECT_DOUBLE_EQ(ScanImage->ScanRectBottom[0], 0);
    EXPECT_EQ(ScanImage->seResol->value(), 19200);
    EXPECT_EQ(ScanImage->SEBrightness->value(), -1000);
    EXPECT_FALSE(Options->CBAutoSave->isChecked());
    EXPECT_FALSE(Options->DEAutoSave->isEnabled());
    EXPECT_EQ(Options->DEAutoSave->text(), QDir::toNativeSeparators(defaultAutoSaveFolder()));
    EXPECT_EQ(rounded(Options->RXsEAutoIncrementAutoSave), 1);
    EXPECT_TRUE(Options->CBPhCopyPrint->isChecked());

    // The window stays on the board whatever was stored.
    const DiagramRect w = Reco.DiagramWindow;
    EXPECT_GE(w.Left, 1);
    EXPECT_GE(w.Top, 1);
    EXPECT_LE(w.Right, Reco.BoardLineCount);
    EXPECT_LE(w.Bottom, Reco.BoardLineCount);

    // At the end the store is written back whole and well typed.
    App::destroyWindows();
    expectStored({"HalfBoard", 0});
    expectStored({"DiaType", 0});
    expectStored({"GmDate", QString("1992-01-01")});
    expectStored({"SRRight0", 10.0});
    expectStored({"AutoIncrement", 1});
}

// ---- Geometry ---------------------------------------------------------------

struct GeometryCase {
    const char* what;
    int boardItem;     // RGBoardSize
    int arbitrarySize; // RxSEBoardSize when boardItem is 4
    int partItem;      // RGDiaSize
    int sideItem;      // RGHalfBoard or RGCorner, -1 for none
    int vLines;
    int hLines;
    DiagramRect window;
};

TEST_F(OptionsTest, GeometryFollowsBoardSizePartAndSide)
{
    const GeometryCase cases[] = {
        {"19 full", 0, 0, 0, -1, 12, 8, {1, 1, 19, 19}},
        {"13 full", 1, 0, 0, -1, 12, 8, {1, 1, 13, 13}},
        {"11 full", 2, 0, 0, -1, 12, 8, {1, 1, 11, 11}},
        {"9 full", 3, 0, 0, -1, 12, 8, {1, 1, 9, 9}},
        {"arbitrary size 15 full", 4, 15, 0, -1, 12, 8, {1, 1, 15, 15}},
        {"19 half left", 0, 0, 1, 0, 12, 8, {1, 1, 12, 19}},
        {"19 half top", 0, 0, 1, 1, 12, 8, {1, 1, 19, 8}},
        {"19 half right", 0, 0, 1, 2, 12, 8, {8, 1, 19, 19}},
        {"19 half bottom", 0, 0, 1, 3, 12, 8, {1, 12, 19, 19}},
        {"13 half right, 15 lines set back to 13", 1, 0, 1, 2, 15, 8, {1, 1, 13, 13}},
        {"9 half bottom", 3, 0, 1, 3, 12, 8, {1, 2, 9, 9}},
        {"19 corner left top", 0, 0, 2, 0, 12, 8, {1, 1, 12, 8}},
        {"19 corner right top", 0, 0, 2, 1, 12, 8, {8, 1, 19, 8}},
        {"19 corner right bottom 8 x 8", 0, 0, 2, 2, 8, 8, {12, 12, 19, 19}},
        {"19 corner left bottom", 0, 0, 2, 3, 12, 8, {1, 12, 12, 19}},
        {"13 corner right bottom", 1, 0, 2, 2, 10, 4, {4, 10, 13, 13}},
        {"arbitrary size 7 corner right bottom", 4, 7, 2, 2, 12, 3, {1, 5, 7, 7}},
    };
    startShown();
    for (const GeometryCase& c : cases) {
        SCOPED_TRACE(c.what);
        // Back to the start: full 19 x 19 board.
        choose(Options->RGDiaSize, 0);
        choose(Options->RGBoardSize, 0);
        choose(Options->RGBoardSize, c.boardItem);
        if (c.boardItem == 4)
            typeValue(Options->RxSEBoardSize, c.arbitrarySize);
        choose(Options->RGDiaSize, c.partItem);
        RadioGroup* side = c.partItem == 1 ? Options->RGHalfBoard : Options->RGCorner;
        if (c.sideItem >= 0)
            choose(side, c.sideItem);
        if (c.partItem != 0) {
            typeValue(Options->RxSEVLines, c.vLines);
            typeValue(Options->RxSEHLines, c.hLines);
        }
        EXPECT_EQ(Reco.DiagramWindow, c.window) << Reco.DiagramWindow.Left << "," << Reco.DiagramWindow.Top << ","
                                                << Reco.DiagramWindow.Right << "," << Reco.DiagramWindow.Bottom;
        EXPECT_EQ(Reco.DiagramWindowSize,
                  (DiagramSize{c.window.Right - c.window.Left + 1, c.window.Bottom - c.window.Top + 1}));
        EXPECT_EQ(Reco.FullBoardFlag, c.partItem == 0 ? 1 : 0);
        EXPECT_EQ(Options->Memo1->toPlainText(),
                  QStringLiteral("BoardSize: %1\nLeft: %2\nTop: %3\nRight: %4\nBottom: %5")
                      .arg(Reco.BoardLineCount)
                      .arg(c.window.Left)
                      .arg(c.window.Top)
                      .arg(c.window.Right)
                      .arg(c.window.Bottom));
    }
}

TEST_F(OptionsTest, CornerRightBottomEightByEightShowsTheDocumentedMemo)
{
    startShown();
    choose(Options->RGDiaSize, 2);
    choose(Options->RGCorner, 2);
    typeValue(Options->RxSEVLines, 8);
    typeValue(Options->RxSEHLines, 8);
    EXPECT_EQ(Reco.DiagramWindow, (DiagramRect{12, 12, 19, 19}));
    EXPECT_EQ(Reco.DiagramWindowSize, (DiagramSize{8, 8}));
    EXPECT_EQ(Options->Memo1->toPlainText(), "BoardSize: 19\nLeft: 12\nTop: 12\nRight: 19\nBottom: 19");
}

TEST_F(OptionsTest, TheHalfBoardWindowFollowsABoardSizeChange)
{
    startShown();
    choose(Options->RGDiaSize, 1);
    choose(Options->RGHalfBoard, 2);
    EXPECT_EQ(Reco.DiagramWindow, (DiagramRect{8, 1, 19, 19}));
    choose(Options->RGBoardSize, 1);
    EXPECT_EQ(Reco.DiagramWindow, (DiagramRect{2, 1, 13, 13}));
    choose(Options->RGBoardSize, 3);
    EXPECT_EQ(rounded(Options->RxSEVLines), 9);
    EXPECT_EQ(Reco.DiagramWindow, (DiagramRect{1, 1, 9, 9}));
    choose(Options->RGBoardSize, 4);
    typeValue(Options->RxSEBoardSize, 17);
    EXPECT_EQ(Reco.BoardLineCount, 17);
    EXPECT_EQ(Reco.DiagramWindow, (DiagramRect{9, 1, 17, 17}));
}

TEST_F(OptionsTest, ArbitraryPartBoundsStayOnTheBoard)
{
    startShown();
    choose(Options->RGBoardSize, 1); // 13 x 13: the stored bounds 19 are brought inside
    choose(Options->RGDiaSize, 3);
    EXPECT_FALSE(Options->RGBoardSize->isEnabled());
    EXPECT_TRUE(Options->RxSETop->isEnabled());
    EXPECT_FALSE(Options->RxSEVLines->isEnabled());
    EXPECT_EQ(Reco.DiagramWindow, (DiagramRect{1, 1, 13, 13}));
    EXPECT_EQ(rounded(Options->RxSEBottom), 13);

    struct Step {
        QDoubleSpinBox* edit;
        int typed;
        int shown;
    };
    const Step steps[] = {
        {Options->RxSEBottom, 19, 13}, // Bottom can reach N ...
        {Options->RxSETop, 13, 12},    // ... Top only N - 1
        {Options->RxSEBottom, 5, 13},  // not above Top: Top + 1
        {Options->RxSETop, 3, 3},      {Options->RxSEBottom, 9, 9}, {Options->RxSELeft, 19, 12},
        {Options->RxSERight, 2, 13},   {Options->RxSELeft, 4, 4},   {Options->RxSERight, 6, 6},
    };
    // Each value entered whole, as the spin arrows or a paste give it.
    for (const Step& s : steps) {
        s.edit->setValue(s.typed);
        EXPECT_EQ(rounded(s.edit), s.shown) << s.edit->objectName().toStdString() << " typed " << s.typed;
    }
    EXPECT_EQ(Reco.DiagramWindow, (DiagramRect{4, 3, 6, 9}));
    EXPECT_EQ(Reco.DiagramWindowSize, (DiagramSize{3, 7}));

    // Back on the full board the bound edits are off and cannot move it.
    choose(Options->RGDiaSize, 0);
    EXPECT_FALSE(Options->RxSETop->isEnabled());
    EXPECT_EQ(Reco.DiagramWindow, (DiagramRect{1, 1, 13, 13}));
}

TEST_F(OptionsTest, OnlyTheControlsOfTheChosenPartAreEnabled)
{
    startShown();
    struct Row {
        int part;
        bool boardSize, half, corner, lines, bounds;
    };
    const Row rows[] = {
        {0, true, false, false, false, false}, {1, true, true, false, true, false},
        {2, false, false, true, true, false},  {3, false, false, false, false, true},
        {4, false, false, false, true, false}, {1, true, true, false, true, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.part);
        choose(Options->RGDiaSize, r.part);
        EXPECT_EQ(Options->RGBoardSize->isEnabled(), r.boardSize);
        EXPECT_EQ(Options->RGHalfBoard->isEnabled(), r.half);
        EXPECT_EQ(Options->RGCorner->isEnabled(), r.corner);
        EXPECT_EQ(Options->RxSEVLines->isEnabled(), r.lines);
        EXPECT_EQ(Options->RxSEHLines->isEnabled(), r.lines);
        EXPECT_EQ(Options->RxSEBottom->isEnabled(), r.bounds);
    }
}

TEST_F(OptionsTest, DiagramTypeSetsTypeAndStaticStones)
{
    startShown();
    for (int i : {1, 2, 3, 0}) {
        choose(Options->RGDiaType, i);
        EXPECT_EQ(Reco.DiagramType, i);
        EXPECT_EQ(Reco.StaticStonesPossible, i > 0 ? 1 : 0);
    }
}

// ---- Game input -------------------------------------------------------------

TEST_F(OptionsTest, HandicapChoosesWhoMovesFirst)
{
    startShown();
    const struct {
        int handicap;
        int item;
    } rows[] = {{2, 1}, {1, 0}, {24, 1}, {0, 0}, {-1, 0}};
    for (const auto& r : rows) {
        typeValue(Options->seHandicap, r.handicap);
        EXPECT_EQ(Options->rg1stMove->itemIndex(), r.item) << r.handicap;
        EXPECT_EQ(Reco.FirstMoveColour, r.item + 1) << r.handicap;
    }
    choose(Options->rg1stMove, 1);
    EXPECT_EQ(Reco.FirstMoveColour, 2);
}

TEST_F(OptionsTest, LeavingTheNumberOfMovesUpdatesTheGame)
{
    struct Row {
        int moveCount;
        int typed;
        const char* answer; // "yes", "no" or "" for no question
        int newCount;
        int shown;
    };
    const Row rows[] = {
        {0, 150, "", 150, 150},   {100, 150, "yes", 150, 150}, {100, 150, "no", 100, 100},
        {100, 100, "", 100, 100}, {80, 0, "", 80, 0},
    };
    startShown();
    choose(Options->rgNumMoves, 1);
    ASSERT_TRUE(Options->seNumMoves->isEnabled());
    Options->seNDia->setValue(1); // the last diagram of a one-diagram game
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.moveCount << " -> " << r.typed << " " << r.answer);
        Options->show();
        ScopedDialogs dialogs;
        if (std::string(r.answer) == "yes")
            dialogs.script.yes();
        else if (std::string(r.answer) == "no")
            dialogs.script.no();
        Reco.MoveCount = r.moveCount;
        Reco.DiaLastMove = -1;
        typeValue(Options->seNumMoves, r.typed);
        QTest::keyClick(Options->seNumMoves, Qt::Key_Return);
        EXPECT_EQ(Reco.MoveCount, r.newCount);
        EXPECT_EQ(rounded(Options->seNumMoves), r.shown);
        EXPECT_EQ(Reco.DiaLastMove, r.newCount);
        if (*r.answer)
            EXPECT_EQ(
                dialogs.script.texts(),
                QStringList{QStringLiteral("Different Number of moves for the game. Old: %1, New: %2. Substitute?")
                                .arg(r.moveCount)
                                .arg(r.typed)});
        else
            EXPECT_TRUE(dialogs.script.texts().isEmpty());
        EXPECT_EQ(dialogs.script.unexpected(), 0);
    }
}

TEST_F(OptionsTest, MovesPerDiagramGiveTheGameLengthWhileInputIsAuto)
{
    startShown();
    typeValue(Options->SENdias, 3);
    typeValue(Options->seDiaNumMoves, 120);
    EXPECT_EQ(rounded(Options->seNumMoves), 360);
    choose(Options->rgNumMoves, 1);
    typeValue(Options->seDiaNumMoves, 50);
    EXPECT_EQ(rounded(Options->seNumMoves), 360);
}

TEST_F(OptionsTest, MoveCorrespondenceSetsMovesBefore)
{
    startShown();
    typeValue(Options->seMoveCor, 101);
    EXPECT_EQ(Reco.MovesBefore, 100);
}

TEST_F(OptionsTest, AskForMovesAndInputSwitchTheMoveCountEdit)
{
    startShown();
    EXPECT_FALSE(Options->seNumMoves->isEnabled());
    clickBox(Options->CBAskNumMoves);
    EXPECT_EQ(Options->rgNumMoves->itemIndex(), 1);
    EXPECT_TRUE(Options->seNumMoves->isEnabled());
    clickBox(Options->CBAskNumMoves);
    EXPECT_EQ(Options->rgNumMoves->itemIndex(), 0);
    EXPECT_FALSE(Options->seNumMoves->isEnabled());

    choose(Options->rgHandiAuto, 1);
    EXPECT_TRUE(Options->seHandicap->isEnabled());
    choose(Options->rgHandiAuto, 0);
    EXPECT_FALSE(Options->seHandicap->isEnabled());
}

TEST_F(OptionsTest, NewGameClearsOnlyTheNumberOfMoves)
{
    startShown();
    Reco.MoveCount = 87;
    choose(Options->rgOpenGame, 1);
    choose(Options->rgOpenGame, 0);
    EXPECT_EQ(rounded(Options->seNumMoves), 0);
    EXPECT_EQ(Reco.MoveCount, 87);
}

TEST_F(OptionsTest, AutoSaveEnablesItsFolderAndTheFolderComesFromTheDialog)
{
    startShown();
    EXPECT_FALSE(Options->DEAutoSave->isEnabled());
    clickBox(Options->CBAutoSave);
    EXPECT_TRUE(Options->DEAutoSave->isEnabled());
    ScopedDialogs dialogs;
    dialogs.script.file("/srv/scans");
    QTest::mouseClick(Options->DEAutoSave->browseButton(), Qt::LeftButton);
    EXPECT_EQ(Options->DEAutoSave->text(), "/srv/scans");
    dialogs.script.cancel();
    QTest::mouseClick(Options->DEAutoSave->browseButton(), Qt::LeftButton);
    EXPECT_EQ(Options->DEAutoSave->text(), "/srv/scans");
    clickBox(Options->CBAutoSave);
    EXPECT_FALSE(Options->DEAutoSave->isEnabled());
}

// ---- The dialog -------------------------------------------------------------

TEST_F(OptionsTest, StartStateOfTheControls)
{
    start();
    const QStringList pages = {"Game input", "Recognize", "Diagram", "Linear Input", "E-mail", "Photocopier"};
    ASSERT_EQ(Options->PageControl1->count(), pages.size());
    for (int i = 0; i < pages.size(); ++i)
        EXPECT_EQ(Options->PageControl1->tabText(i), pages[i]);
    EXPECT_EQ(Options->windowTitle(), "Options");
    EXPECT_EQ(Options->HelpBtn->text(), "&Help");
    EXPECT_TRUE(Options->CBAutoSendRecoDiatoSkarn->isHidden());
    EXPECT_TRUE(Options->CBSkarnPrefer->isHidden());
    EXPECT_TRUE(Options->CheckBox1->isHidden());
    EXPECT_TRUE(Options->CheckBox1->isChecked());
    for (QWidget* w :
         std::initializer_list<QWidget*>{Options->seNumMoves, Options->RxSEBoardSize, Options->RGHalfBoard,
                                         Options->RGCorner, Options->RxSEVLines, Options->RxSEHLines, Options->RxSETop,
                                         Options->RGND, Options->RxSEND1, Options->EQuone_mail, Options->CheckBox3})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_EQ(Options->RGCorner->currentText(), "Right Bottom");
    EXPECT_EQ(Options->CBTypN->currentText(), "Each dia - from 1st move");
    EXPECT_EQ(Options->cbJumpOverStones->text(), "Jumps Over Stones");
    EXPECT_EQ(Options->seNDia->minimum(), 0);
    EXPECT_EQ(Options->seNDia->maximum(), 19);
    EXPECT_EQ(Options->seNumMoves->minimum(), 0);
    EXPECT_EQ(Options->seNumMoves->maximum(), 500);
    // The snapshot of an untouched dialog holds the defaults.
    EXPECT_EQ(Options->snapshot(), OptionsSnapshot{});
}

TEST_F(OptionsTest, TheSnapshotFollowsTheControls)
{
    startShown();
    choose(Options->RGDiaSize, 1);
    choose(Options->RGHalfBoard, 3);
    Options->CBDiaBright->setCurrentIndex(2);
    clickBox(Options->CBThinDig);
    typeValue(Options->SEstszWx, 4321);
    typeValue(Options->seHandicap, 3);
    const OptionsSnapshot s = Options->snapshot();
    EXPECT_EQ(s.RGDiaSize, 1);
    EXPECT_EQ(s.RGHalfBoard, 3);
    EXPECT_EQ(s.CBDiaBright, 2);
    EXPECT_TRUE(s.CBThinDig);
    EXPECT_EQ(s.SEstszWx, 4321);
    EXPECT_EQ(s.seHandicap, 3);
    EXPECT_EQ(s.rg1stMove, 1);
}

TEST_F(OptionsTest, StoneSizesAreShownFromTheTables)
{
    withKey([](Registry& reg) {
        reg.WriteInteger("StszBx", 1234);
        reg.WriteInteger("StszBy", 1250);
        reg.WriteInteger("StszWx", 1300);
        reg.WriteInteger("StszWy", 1310);
    });
    start();
    EXPECT_EQ(Options->SEstszBx->value(), 1234);
    EXPECT_EQ(Options->SEstszBy->value(), 1250);
    EXPECT_EQ(Options->SEstszWx->value(), 1300);
    EXPECT_EQ(Options->SEstszWy->value(), 1310);
}

TEST_F(OptionsTest, OkAndCancelOnlyHideAndKeepTheChanges)
{
    startShown();
    choose(Options->RGDiaType, 2);
    QTest::mouseClick(Options->CancelBtn, Qt::LeftButton);
    EXPECT_FALSE(Options->isVisible());
    EXPECT_EQ(Options->RGDiaType->itemIndex(), 2);
    EXPECT_EQ(Reco.DiagramType, 2);
    Options->show();
    QTest::mouseClick(Options->OKBtn, Qt::LeftButton);
    EXPECT_FALSE(Options->isVisible());
    // Help does nothing while the dialog is shown without waiting.
    Options->show();
    QTest::mouseClick(Options->HelpBtn, Qt::LeftButton);
    EXPECT_TRUE(Options->isVisible());
}

TEST_F(OptionsTest, AModalRunEndsWithTheResultOfItsButton)
{
    start();
    Options->show(); // shown without waiting first: the modal run hides it
    const struct {
        QPushButton* button;
        int result;
    } rows[] = {{Options->OKBtn, QDialog::Accepted},
                {Options->CancelBtn, QDialog::Rejected},
                {Options->HelpBtn, TOptions::HelpResult}};
    for (const auto& r : rows) {
        QTimer::singleShot(0, Options, [&] {
            EXPECT_EQ(Options->PageControl1->currentWidget(), Options->TabLinearInput);
            EXPECT_TRUE(Options->isModal());
            QTest::mouseClick(r.button, Qt::LeftButton);
        });
        EXPECT_EQ(Options->execOnPage(Options->TabLinearInput), r.result);
        EXPECT_FALSE(Options->isVisible());
    }
    EXPECT_NE(TOptions::HelpResult, QDialog::Accepted);
    EXPECT_NE(TOptions::HelpResult, QDialog::Rejected);
}

TEST_F(OptionsTest, JumpsOverStonesMenuItemAndCheckBoxStayInStep)
{
    startShown();
    QAction* item = Form1->Jumpsoverstones1;
    ASSERT_TRUE(item->isChecked());
    ASSERT_TRUE(Options->cbJumpOverStones->isChecked());
    item->trigger();
    EXPECT_FALSE(Options->cbJumpOverStones->isChecked());
    EXPECT_FALSE(item->isChecked());
    clickBox(Options->cbJumpOverStones);
    EXPECT_TRUE(Options->cbJumpOverStones->isChecked());
    EXPECT_TRUE(item->isChecked());
    clickBox(Options->cbJumpOverStones);
    EXPECT_FALSE(item->isChecked());
    item->trigger();
    EXPECT_TRUE(Options->cbJumpOverStones->isChecked());
    EXPECT_TRUE(item->isChecked());
}

TEST_F(OptionsTest, ThePageCopyIsDeletedAtTheEnd)
{
    start();
    const QString copy = QDir(QString::fromStdString(Reco.StartFolder)).filePath("Acquired0.bmp");
    {
        QFile f(copy);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("BM");
    }
    App::destroyWindows();
    EXPECT_FALSE(QFile::exists(copy));
    // Without a copy the end is just as quiet.
    resetTablesToStart();
    start();
    App::destroyWindows();
    expectStored({"BoardSize", 0});
}

TEST_F(OptionsTest, TheScannerShowsTheChosenScanSet)
{
    withKey([](Registry& reg) {
        reg.WriteFloat("SRTop0", 0.5);
        reg.WriteFloat("SRLeft0", 0.25);
        reg.WriteFloat("SRRight0", 8);
        reg.WriteFloat("SRBottom0", 11);
        reg.WriteFloat("SRTop1", 4);
        reg.WriteFloat("SRLeft1", 3);
        reg.WriteFloat("SRRight1", 7);
        reg.WriteFloat("SRBottom1", 9);
    });
    start();
    EXPECT_DOUBLE_EQ(ScanImage->seTopSR->value(), 0.5);
    ScanImage->RGScanSet->setItemIndex(1);
    EXPECT_DOUBLE_EQ(ScanImage->seTopSR->value(), 4);
    EXPECT_DOUBLE_EQ(ScanImage->seLeftSR->value(), 3);
    EXPECT_DOUBLE_EQ(ScanImage->seBottomSR->value(), 9);
    EXPECT_DOUBLE_EQ(ScanImage->seRightSR->value(), 7);
    // Set 1 was not touched by showing set 2.
    EXPECT_DOUBLE_EQ(ScanImage->ScanRectTop[0], 0.5);
    EXPECT_DOUBLE_EQ(ScanImage->ScanRectRight[0], 8);
}
