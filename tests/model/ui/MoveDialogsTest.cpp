// The correction, go-to-move and move-input dialogs as the user meets them:
// buttons, Enter and Escape, choosing candidates, typing numbers.
#include "model/ui/FMoveNumInputWindow.h"
#include "model/ui/GoToMoveNumberWindow.h"
#include "model/ui/MoveCorrection1Window.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace quon;

namespace {

// Runs the dialog modally and acts on it once it is up; a dialog that the
// action leaves open is closed with -1 after a while, so a test cannot hang.
int runModal(QDialog& dialog, const std::function<void()>& act)
{
    QTimer::singleShot(0, &dialog, [&] { act(); });
    QTimer::singleShot(3000, &dialog, [&] {
        if (dialog.isVisible())
            dialog.done(-1);
    });
    return dialog.exec();
}

QStringList items(const QComboBox* box)
{
    QStringList l;
    for (int i = 0; i < box->count(); ++i)
        l << box->itemText(i);
    return l;
}

TEST(MoveCorrectionDialog, ControlsCarryTheirTexts)
{
    TMoveCorrection1 d;
    EXPECT_EQ(d.windowTitle(), "Correction Move #");
    EXPECT_EQ(d.Label1->text(), "Wrong move. Input correct number:");
    EXPECT_EQ(d.Button1->text(), "OK");
    EXPECT_EQ(d.Button3->text(), "No Move");
    EXPECT_EQ(d.Button2->text(), "Cancel");
    EXPECT_EQ(d.RxSE1->maximum(), 500);
}

TEST(MoveCorrectionDialog, ButtonsEnterAndEscapeGiveTheirResults)
{
    TMoveCorrection1 d;
    EXPECT_EQ(runModal(d, [&] { QTest::mouseClick(d.Button1, Qt::LeftButton); }), 1);
    EXPECT_EQ(runModal(d, [&] { QTest::mouseClick(d.Button3, Qt::LeftButton); }), 7);
    EXPECT_EQ(runModal(d, [&] { QTest::mouseClick(d.Button2, Qt::LeftButton); }), 2);
    EXPECT_EQ(runModal(d, [&] { QTest::keyClick(&d, Qt::Key_Escape); }), 2);
    // Enter in the number takes what was typed.
    EXPECT_EQ(runModal(d,
                       [&] {
                           d.RxSE1->selectAll();
                           QTest::keyClicks(d.RxSE1, "37");
                           QTest::keyClick(d.RxSE1, Qt::Key_Return);
                       }),
              1);
    EXPECT_EQ(d.RxSE1->value(), 37);
    d.cbNoMove->addItems({"12"});
    EXPECT_EQ(runModal(d, [&] { QTest::keyClick(d.cbNoMove, Qt::Key_Enter); }), 1);
    EXPECT_EQ(d.RxSE1->value(), 37); // Enter in the list chooses nothing
    EXPECT_EQ(items(d.cbNoMove), QStringList{"12"});
}

TEST(MoveCorrectionDialog, AChosenCandidateIsUsedAndLeavesTheList)
{
    TMoveCorrection1 d;
    // The recognition inserts each missed number at the top; the list keeps
    // that order.
    for (const char* n : {"30", "7", "12"})
        d.cbNoMove->insertItem(0, n);
    ASSERT_EQ(items(d.cbNoMove), (QStringList{"12", "7", "30"}));
    d.cbNoMove->setCurrentIndex(0);
    EXPECT_EQ(runModal(d, [&] { QTest::keyClick(d.cbNoMove, Qt::Key_Down); }), 1);
    EXPECT_EQ(d.RxSE1->value(), 7);
    EXPECT_EQ(items(d.cbNoMove), (QStringList{"12", "30"}));
    // The next question offers only the rest.
    d.cbNoMove->setCurrentIndex(0);
    EXPECT_EQ(runModal(d, [&] { QTest::keyClick(d.cbNoMove, Qt::Key_Down); }), 1);
    EXPECT_EQ(d.RxSE1->value(), 30);
    EXPECT_EQ(items(d.cbNoMove), QStringList{"12"});
}

TEST(MoveCorrectionDialog, EmptyOrUnusableCandidatesKeepTheDialogOpen)
{
    TMoveCorrection1 d;
    d.RxSE1->setValue(5);
    d.cbNoMove->addItems({"9", "", "600", "x1"});
    for (int index : {1, 2, 3}) {
        bool stayedOpen = false;
        const int result = runModal(d, [&] {
            d.cbNoMove->setCurrentIndex(index - 1);
            QTest::keyClick(d.cbNoMove, Qt::Key_Down);
            stayedOpen = d.isVisible();
            QTest::mouseClick(d.Button2, Qt::LeftButton);
        });
        EXPECT_TRUE(stayedOpen) << index;
        EXPECT_EQ(result, 2);
    }
    EXPECT_EQ(d.RxSE1->value(), 5);
    EXPECT_EQ(items(d.cbNoMove), (QStringList{"9", "", "600", "x1"}));
}

TEST(GoToMoveNumberDialog, LimitsAndLabels)
{
    TGoToMoveNumber d;
    EXPECT_EQ(d.windowTitle(), "Go To Move Number");
    EXPECT_EQ(d.Label1->text(), "Select move number to go to:");
    EXPECT_EQ(d.Label2->text(), "Go to move number:");
    EXPECT_EQ(d.FromNumberLabel->text(), "0");
    EXPECT_EQ(d.ToNumberLabel->text(), "1");
    EXPECT_EQ(d.MoveChooseSlider->maximum(), 1);
    EXPECT_EQ(d.OKButton->text(), "&OK");
    EXPECT_EQ(d.CancelButton->text(), "&Cancel");

    d.SetMaxNumber(0);
    EXPECT_EQ(d.ToNumberLabel->text(), "1");
    EXPECT_EQ(d.MoveChooseSlider->minimum(), 0);
    EXPECT_EQ(d.MoveChooseSlider->maximum(), 1);
    EXPECT_EQ(d.MoveChooseSpinEdit->maximum(), 1);
    d.SetMoveNumber(-5);
    EXPECT_EQ(d.GetMoveNumber(), 0);
    EXPECT_EQ(d.MoveChooseSpinEdit->text(), "0");

    d.SetMaxNumber(900); // no game holds more than 500 moves
    EXPECT_EQ(d.ToNumberLabel->text(), "500");
    EXPECT_EQ(d.MoveChooseSlider->maximum(), 500);
    d.SetMaxNumber(120);
    d.SetMoveNumber(77);
    EXPECT_EQ(d.GetMoveNumber(), 77);
    EXPECT_EQ(d.MoveChooseSpinEdit->value(), 77);
}

TEST(GoToMoveNumberDialog, TrimToMaxDropsLastCharactersUntilTheNumberFits)
{
    struct Case {
        const char* text;
        int caret, max;
        const char* out;
        int outCaret;
    };
    const Case cases[] = {
        {"451", 3, 50, "45", 2}, {"145", 2, 50, "14", 2}, {"9", 1, 5, "", 0},       {"1234", 1, 5, "1", 1},
        {"50", 2, 50, "50", 2},  {"", 0, 50, "", 0},      {"0007", 4, 5, "000", 3},
    };
    for (const Case& c : cases) {
        const auto t = TGoToMoveNumber::TrimToMax(c.text, c.caret, c.max);
        EXPECT_EQ(t.text, c.out) << c.text;
        EXPECT_EQ(t.caret, c.outCaret) << c.text;
    }
}

TEST(GoToMoveNumberDialog, TypingAboveTheMaximumLosesTheLastCharacter)
{
    TGoToMoveNumber d;
    d.SetMaxNumber(50);
    d.show();
    QLineEdit* edit = d.MoveChooseSpinEdit->editor();
    edit->selectAll();
    QTest::keyClicks(edit, "451");
    EXPECT_EQ(edit->text(), "45");
    EXPECT_EQ(d.GetMoveNumber(), 45);

    edit->setText("15");
    edit->setCursorPosition(1);
    QTest::keyClicks(edit, "4"); // "145" is too big: "14", caret after the 4
    EXPECT_EQ(edit->text(), "14");
    EXPECT_EQ(edit->cursorPosition(), 2);
    EXPECT_EQ(d.GetMoveNumber(), 14);

    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(d.GetMoveNumber(), 0);

    // The slider leads the spin edit, and the spin edit the slider.
    d.MoveChooseSlider->setValue(33);
    EXPECT_EQ(d.MoveChooseSpinEdit->value(), 33);
    QTest::keyClick(d.MoveChooseSlider, Qt::Key_Right);
    EXPECT_EQ(d.MoveChooseSpinEdit->text(), "34");
    d.hide();
}

TEST(GoToMoveNumberDialog, OkEnterCancelAndEscape)
{
    TGoToMoveNumber d;
    d.SetMaxNumber(200);
    d.SetMoveNumber(10);
    QPoint centre;
    EXPECT_EQ(runModal(d,
                       [&] {
                           centre = d.frameGeometry().center();
                           QTest::mouseClick(d.OKButton, Qt::LeftButton);
                       }),
              1);
    EXPECT_EQ(d.GetMoveNumber(), 10);
    const QPoint screen = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((centre - screen).manhattanLength(), 2);

    EXPECT_EQ(runModal(d,
                       [&] {
                           QLineEdit* edit = d.MoveChooseSpinEdit->editor();
                           edit->selectAll();
                           QTest::keyClicks(edit, "123");
                           QTest::keyClick(d.MoveChooseSpinEdit, Qt::Key_Return);
                       }),
              1);
    EXPECT_EQ(d.GetMoveNumber(), 123);
    EXPECT_EQ(runModal(d, [&] { QTest::keyClick(d.MoveChooseSlider, Qt::Key_Enter); }), 1);
    EXPECT_EQ(runModal(d, [&] { QTest::mouseClick(d.CancelButton, Qt::LeftButton); }), 2);
    EXPECT_EQ(runModal(d, [&] { QTest::keyClick(&d, Qt::Key_Escape); }), 2);
}

TEST(MoveInputWindow, ShowsWhatCanBeTyped)
{
    TFMoveNumInput w;
    EXPECT_EQ(w.windowTitle(), "Move Input");
    EXPECT_EQ(w.Label2->text(), "Input move number:");
    w.seMoveNum->setValue(600);
    EXPECT_EQ(w.seMoveNum->value(), 600);
    EXPECT_FALSE(w.isModal());
}

} // namespace
