// Scanning and the photocopier against a real SANE device: SANE's own test
// backend, enabled by a configuration folder the test writes. Where the
// program was built without SANE, or SANE has no test backend, these tests
// are skipped.
#include "app/ui/Form4Window.h"
#include "app/ui/MainWindow.h"
#include "app/ui/PageView.h"
#include "app/ui/ScanImageWindow.h"
#include "common/BmpBuilder.h"
#include "common/ui/AppFixture.h"
#include "model/PackedPage.h"
#include "model/RecognitionLog.h"
#include "model/Recotypes.h"
#include "model/ui/OptionsWindow.h"
#include "model/ui/RadioGroup.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <fstream>

using namespace quon;
using namespace quon::test;

namespace {

struct DeviceConfig {
    bool withTestBackend = true;
    std::string picture = "Grid";
    bool slow = false; // one small, delayed read after another
};

class ScanningTest : public AppFixture {
  protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        if (!Scanner::builtWithSane())
            GTEST_SKIP() << "built without SANE";
        configure({});
        start();
        if (ScanImage->scanner().devices().size() != 2)
            GTEST_SKIP() << "SANE's test backend is not installed (package libsane1)";
    }

    void TearDown() override
    {
        AppFixture::TearDown();
        unsetenv("SANE_CONFIG_DIR");
    }

    // SANE reads its configuration files when it starts, which the scanner
    // window does on its first use; the folder it finds them in it learns
    // once per process, so every test writes the same folder.
    void configure(const DeviceConfig& c)
    {
        static QTemporaryDir saneFolder;
        const QString folder = saneFolder.path();
        std::ofstream(QDir(folder).filePath("dll.conf").toStdString()) << (c.withTestBackend ? "test\n" : "");
        std::ofstream conf(QDir(folder).filePath("test.conf").toStdString());
        conf << "number_of_devices 2\nmode Gray\ndepth 8\nresolution_min 1.0\nresolution_max 1200.0\n"
                "resolution_quant 1.0\nresolution 50.0\ngeometry_min 0.0\ngeometry_max 200.0\n"
                "geometry_quant 0.0\ntl_x 0.0\ntl_y 0.0\nbr_x 80.0\nbr_y 100.0\n"
             << "test-picture \"" << c.picture << "\"\n"
             << (c.slow ? "read-limit true\nread-limit-size 1\nread-delay false\n"
                        : "read-limit false\nread-delay false\n");
        setenv("SANE_CONFIG_DIR", folder.toLocal8Bit().constData(), 1);
    }

    void start()
    {
        startProgram();
        Reco.DigitsPending = 0;
        Reco.DiagramWindowSize = {2, 2}; // small pages pass the size check
        Form1->resize(800, 600);
        Form1->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form1));
    }

    void restart(const DeviceConfig& c)
    {
        stopProgram();
        resetTablesToStart();
        configure(c);
        start();
    }

    // A region of 2 x 3 inches at 300 dpi.
    void setRegion()
    {
        ScanImage->seResol->setValue(300);
        ScanImage->seLeftSR->setValue(0.5);
        ScanImage->seTopSR->setValue(0.5);
        ScanImage->seRightSR->setValue(2.5);
        ScanImage->seBottomSR->setValue(3.5);
    }

    void openPage(int w, int h)
    {
        const QString path = dir.filePath("page.bmp");
        std::vector<std::string> rows(static_cast<size_t>(h), std::string(static_cast<size_t>(w), '.'));
        rows[3][4] = '#';
        ASSERT_TRUE(writeFile(path.toStdString(), makeBmp(BmpKind::Mono, rows)));
        dialogs.script.file(path);
        Form1->item("Open1")->trigger();
        ASSERT_EQ(Reco.ImageWidth, w);
    }

    QStringList savedPages() const
    {
        return QDir(dir.filePath("out")).entryList({"*.bmp"}, QDir::Files, QDir::Name);
    }

    void setUpAutoCopy()
    {
        Options->CBPhCopy->setChecked(true);
        Options->CBAutocopy->setChecked(true);
        Options->CBPhCopyFile->setChecked(true);
        Options->CBPhCopyPrint->setChecked(false);
        Options->CBAutoSave->setChecked(true);
        Options->CBAutoConfirm->setChecked(false);
        Options->DEAutoSave->setText(dir.filePath("out"));
        Options->EFileMaskAutoSave->setText("pg-");
        Options->RxLastPage->setValue(0);
        Options->RXsEAutoIncrementAutoSave->setValue(1);
        Options->RxSPrintDelay->setValue(1);
    }
};

} // namespace

TEST_F(ScanningTest, AcquireAPageWithItsRegionResolutionAndPolarity)
{
    struct Case {
        const char* picture;
        int polarity;
    };
    for (const Case& k : {Case{"Grid", 1}, Case{"Solid black", 0}}) {
        SCOPED_TRACE(k.picture);
        restart({true, k.picture, false});
        setRegion();
        Form1->AutoRecognition1->setEnabled(false);
        Form1->item("Acquire2")->trigger();

        EXPECT_TRUE(dialogs.script.texts().isEmpty()) << dialogs.script.texts().join("|").toStdString();
        // 2 x 3 inches at 300 dpi, give or take the device's rounding.
        EXPECT_NEAR(Reco.ImageWidth, 600, 1);
        EXPECT_NEAR(Reco.ImageHeight, 900, 1);
        EXPECT_EQ(Form1->Image1->picture().format(), QImage::Format_Mono);
        EXPECT_EQ(Reco.InkPolarity, k.polarity);
        EXPECT_EQ(Reco.FirstScan, 0);
        EXPECT_TRUE(Form1->AutoRecognition1->isEnabled());
        // The copy holds the page as scanned, in grey.
        QImageReader copy(dir.filePath("Acquired0.bmp"));
        const QImage asScanned = copy.read();
        ASSERT_FALSE(asScanned.isNull());
        EXPECT_EQ(asScanned.size(), Form1->Image1->picture().size());
        EXPECT_NE(asScanned.depth(), 1);
        EXPECT_TRUE(asScanned.allGray());
        if (k.polarity == 1) {
            // The grid's squares are 10 mm: white first, black beside it.
            EXPECT_EQ(GetPix(5, 5), 0);
            EXPECT_EQ(GetPix(130, 5), 1);
            EXPECT_EQ(GetPix(5, 130), 1);
        }
    }
}

TEST_F(ScanningTest, TheStoredScanSetIsTheRegionScanned)
{
    setRegion();
    Form1->item("SetScanReg21")->trigger();
    ScanImage->seRightSR->setValue(1.5);
    ScanImage->seBottomSR->setValue(1.5);
    ScanImage->seLeftSR->setValue(0.5);
    ScanImage->seTopSR->setValue(0.5);
    Form1->item("Acquire2")->trigger();
    EXPECT_NEAR(Reco.ImageWidth, 300, 1);
    EXPECT_NEAR(Reco.ImageHeight, 300, 1);

    // Set 1 brings its own region back; edges given the wrong way round
    // still name the region between them.
    Form1->item("SetScanReg11")->trigger();
    EXPECT_DOUBLE_EQ(ScanImage->seBottomSR->value(), 3.5);
    ScanImage->seLeftSR->setValue(2.5);
    ScanImage->seRightSR->setValue(0.5);
    Form1->item("Acquire2")->trigger();
    EXPECT_NEAR(Reco.ImageWidth, 600, 1);
    EXPECT_NEAR(Reco.ImageHeight, 900, 1);
}

TEST_F(ScanningTest, SelectSourceListsTheDevicesAndScansFromTheChosenOne)
{
    dialogs.script.input("Noname frontend-tester (test:1)");
    Form1->item("SelectSource1")->trigger();
    EXPECT_EQ(ScanImage->scanner().chosenSource(), "test:1");
    setRegion();
    Form1->item("Acquire2")->trigger();
    EXPECT_TRUE(dialogs.script.informationTexts().isEmpty());
    EXPECT_NEAR(Reco.ImageWidth, 600, 1);

    // Cancelling the choice keeps the source chosen before.
    dialogs.script.cancel();
    Form1->item("SelectSource1")->trigger();
    EXPECT_EQ(ScanImage->scanner().chosenSource(), "test:1");
}

TEST_F(ScanningTest, NoDeviceSaysSoAndChangesNothing)
{
    restart({false, "Grid", false});
    openPage(200, 150);
    Reco.FirstScan = 1;
    const QImage before = Form1->Image1->picture();
    QFile copy(dir.filePath("Acquired0.bmp"));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    const QByteArray copyBefore = copy.readAll();
    copy.close();
    Form1->AutoRecognition1->setEnabled(false);
    dialogs.script = ScriptedDialogs{};

    Form1->item("Acquire2")->trigger();
    EXPECT_EQ(dialogs.script.informationTexts(), QStringList{"No scanner was found."});
    EXPECT_EQ(Form1->Image1->picture(), before);
    EXPECT_EQ(Reco.ImageWidth, 200);
    EXPECT_EQ(Reco.FirstScan, 1);
    EXPECT_FALSE(Form1->AutoRecognition1->isEnabled());
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), copyBefore);
    copy.close();

    // The photocopier stops at once with the same message, saving nothing.
    setUpAutoCopy();
    dialogs.script = ScriptedDialogs{};
    Form1->item("Photocopier1")->trigger();
    EXPECT_EQ(dialogs.script.informationTexts(), QStringList{"No scanner was found."});
    EXPECT_TRUE(savedPages().isEmpty());
    EXPECT_FALSE(Form1->photocopying());
    EXPECT_FALSE(Form4->isVisible());
    EXPECT_DOUBLE_EQ(Options->RxLastPage->value(), 0);

    // Select Source says the same.
    dialogs.script = ScriptedDialogs{};
    Form1->item("SelectSource1")->trigger();
    EXPECT_EQ(dialogs.script.informationTexts(), QStringList{"No scanner was found."});
}

TEST_F(ScanningTest, StopScanningEndsAScanAndKeepsThePage)
{
    restart({true, "Grid", true});
    openPage(200, 150);
    const QImage before = Form1->Image1->picture();
    dialogs.script = ScriptedDialogs{};
    setRegion();

    bool windowShown = false;
    bool stillResponsive = false;
    QTimer::singleShot(150, Form4, [&] {
        windowShown = Form4->isVisible();
        stillResponsive = ScanImage->scanner().busy();
        QTest::mouseClick(Form4->Button1, Qt::LeftButton);
    });
    QElapsedTimer clock;
    clock.start();
    Form1->item("Acquire2")->trigger();
    EXPECT_TRUE(windowShown);
    EXPECT_TRUE(stillResponsive); // events were processed while the page was read
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_TRUE(dialogs.script.texts().isEmpty()); // a stop needs no message
    EXPECT_EQ(Form1->Image1->picture(), before);
    EXPECT_EQ(Reco.ImageWidth, 200);
    EXPECT_FALSE(Form4->isVisible());
    EXPECT_FALSE(ScanImage->scanner().busy());

    // The scanner works again after a stop.
    restart({true, "Grid", false});
    setRegion();
    Form1->item("Acquire2")->trigger();
    EXPECT_NEAR(Reco.ImageWidth, 600, 1);
}

TEST_F(ScanningTest, PhotocopierSavesPageAfterPageUntilStopped)
{
    setRegion();
    setUpAutoCopy();
    Options->RGAutoRotate->setItemIndex(0); // "Left"
    // Stop once two pages are saved, during the wait before the third.
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (savedPages().size() >= 2 && Form4->isVisible())
            QTest::mouseClick(Form4->Button1, Qt::LeftButton);
    });
    watch.start();
    Form1->item("Photocopier1")->trigger();
    watch.stop();

    EXPECT_TRUE(dialogs.script.texts().isEmpty()) << dialogs.script.texts().join("|").toStdString();
    EXPECT_EQ(savedPages(), (QStringList{"pg-  1.bmp", "pg-  2.bmp"}));
    EXPECT_DOUBLE_EQ(Options->RxLastPage->value(), 2);
    EXPECT_FALSE(Form1->photocopying());
    EXPECT_FALSE(Form4->isVisible());
    // Turned left after the scan: the 2 x 3 inch page lies on its side.
    for (const QString& name : savedPages()) {
        const QImage saved(QDir(dir.filePath("out")).filePath(name));
        EXPECT_NEAR(saved.width(), 900, 1);
        EXPECT_NEAR(saved.height(), 600, 1);
    }
}

TEST_F(ScanningTest, PhotocopierWithCropFinishesThePageAfterTheCrop)
{
    setRegion();
    setUpAutoCopy();
    Options->CBPhCopy->setChecked(false); // finish after the crop
    Options->CBAutocopy->setChecked(false);
    Options->RGAutoRotate->setItemIndex(2); // "Not Rotate"
    Form1->item("Photocopier1")->trigger();
    EXPECT_EQ(Reco.PhotocopierPending, 1);
    EXPECT_EQ(Reco.CropArmed, 1);
    EXPECT_TRUE(savedPages().isEmpty());

    // The crop at full size: a 100 x 50 pixel cut is the saved page.
    Form1->item("FullSize1")->trigger();
    dialogs.script.yes();
    QTest::mousePress(Form1->Image1, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(Form1->Image1, QPoint(110, 60));
    QTest::mouseRelease(Form1->Image1, Qt::LeftButton, {}, QPoint(110, 60));
    EXPECT_EQ(dialogs.script.texts(), QStringList{"Crop Image?"});
    EXPECT_EQ(Reco.PhotocopierPending, 0);
    ASSERT_EQ(savedPages(), QStringList{"pg-  1.bmp"});
    EXPECT_EQ(QImage(QDir(dir.filePath("out")).filePath("pg-  1.bmp")).size(), QSize(100, 50));

    // Another crop later finishes nothing again.
    Form1->item("CropImage1")->trigger();
    dialogs.script.no();
    QTest::mouseClick(Form1->Image1, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(savedPages().size(), 1);
    EXPECT_DOUBLE_EQ(Options->RxLastPage->value(), 1);
}

TEST_F(ScanningTest, AutoSaveNamesAndAnExistingFile)
{
    setRegion();
    Form1->item("Acquire2")->trigger();
    setUpAutoCopy();
    Options->RxLastPage->setValue(4);
    EXPECT_TRUE(Form1->AutoSaveImage());
    Options->RxLastPage->setValue(998);
    Options->RXsEAutoIncrementAutoSave->setValue(5);
    EXPECT_TRUE(Form1->AutoSaveImage());
    EXPECT_EQ(savedPages(), (QStringList{"pg-  5.bmp", "pg-1003.bmp"}));

    // An existing name asks through the save dialog; a cancel saves nothing
    // but the number is used up.
    Options->RxLastPage->setValue(4);
    Options->RXsEAutoIncrementAutoSave->setValue(1);
    dialogs.script.cancel();
    EXPECT_FALSE(Form1->AutoSaveImage());
    EXPECT_EQ(dialogs.script.shown().back().kind, "save");
    EXPECT_DOUBLE_EQ(Options->RxLastPage->value(), 5);

    // Confirm proposes the automatic name.
    Options->CBAutoConfirm->setChecked(true);
    const QString chosen = dir.filePath("out/mine.bmp");
    dialogs.script.file(chosen);
    EXPECT_TRUE(Form1->AutoSaveImage());
    EXPECT_EQ(dialogs.script.fileDialogs.back().fileName, QDir(dir.filePath("out")).filePath("pg-  6.bmp"));
    EXPECT_TRUE(QFile::exists(chosen));
}

TEST_F(ScanningTest, ScannerOptionsWindow)
{
    Form1->item("Scanneroptions1")->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(ScanImage));
    EXPECT_EQ(ScanImage->windowTitle(), "Scanner options");
    // The slider and the number mirror each other.
    ScanImage->BrightnessSlider->setValue(250);
    EXPECT_EQ(ScanImage->SEBrightness->value(), 250);
    ScanImage->SEBrightness->setValue(-40);
    EXPECT_EQ(ScanImage->BrightnessSlider->value(), -40);
    // Typing past 1000 keeps the value inside the range.
    ScanImage->SEBrightness->clear();
    QTest::keyClicks(ScanImage->SEBrightness, "9999");
    EXPECT_LE(ScanImage->SEBrightness->value(), 1000);
    QTest::mouseClick(ScanImage->OKBtn, Qt::LeftButton);
    EXPECT_FALSE(ScanImage->isVisible());

    // Asking for the device's own dialog is noted once in the log.
    ScanImage->cbDisTw->setChecked(false);
    setRegion();
    Form1->item("Acquire2")->trigger();
    Form1->item("Acquire2")->trigger();
    int notes = 0;
    for (const std::string& line : RecoLog.lines())
        notes += line.find("no dialog of its own") != std::string::npos;
    EXPECT_EQ(notes, 1);
    EXPECT_NEAR(Reco.ImageWidth, 600, 1);
}
