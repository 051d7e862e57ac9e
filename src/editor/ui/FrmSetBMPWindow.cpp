#include "editor/ui/FrmSetBMPWindow.h"

#include "app/ui/App.h"
#include "editor/ui/DgrPictures.h"
#include "editor/ui/FontRecords.h"
#include "platform/ui/Registry.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quon {

TFrmSetBMP* FrmSetBMP = nullptr;

const QString TFrmSetBMP::RegistryKey = QStringLiteral("\\SOFTWARE\\Quon\\Quon OCR\\Skarn97\\Picture");

namespace {
// A picture's sizes are kept where the renderers can draw them: a zero or
// negative cell or a pen thousands of pixels wide makes no picture.
constexpr int32_t MaxPictureStep = 511;
constexpr int32_t MaxPen = 255;
} // namespace

TFrmSetBMP::TFrmSetBMP(QWidget* parent) : QDialog(parent)
{
    setObjectName("FrmSetBMP");
    setWindowTitle(QString::fromUtf8("Настройка вывода"));
    setModal(true);
    auto* top = new QHBoxLayout(this);
    auto* left = new QGridLayout;
    int row = 0;
    auto add = [&](const char* label, QSpinBox* spin) {
        left->addWidget(new QLabel(QString::fromUtf8(label), this), row, 0);
        left->addWidget(spin, row, 1);
        ++row;
    };
    seStepX = rangedSpin(this, "seStepX", 1, MaxPictureStep, 1);
    seStepY = rangedSpin(this, "seStepY", 1, MaxPictureStep, 1);
    seNumber = rangedSpin(this, "seNumber", 0, 999, 0);
    seStone = rangedSpin(this, "seStone", 0, 2, 0);
    seElem = rangedSpin(this, "seElem", 0, 10, 0);
    seLine = rangedSpin(this, "seLine", 0, MaxPen, 0);
    seBorder = rangedSpin(this, "seBorder", 0, MaxPen, 0);
    seRad = rangedSpin(this, "seRad", 0, MaxPen, 0);
    add("Размер клетки по горизонтали", seStepX);
    add("Размер клетки по вертикали", seStepY);
    add("Номер", seNumber);
    add("Камень", seStone);
    add("Элемент доски", seElem);
    add("Толщина линий", seLine);
    add("Толщина края", seBorder);
    add("Промежуток ", seRad);
    const char* fontCaptions[3] = {"Шрифт для 1-значных цифр", "Шрифт для 2-значных цифр", "Шрифт для 3-значных цифр"};
    for (int i = 0; i < 3; ++i) {
        btnFont[i] = new QPushButton(QString::fromUtf8(fontCaptions[i]), this);
        btnFont[i]->setObjectName(QString("btnFont%1").arg(i + 1));
        seWidth[i] = rangedSpin(this, QString("seWidth%1").arg(i + 1).toLatin1().constData(), 0, MaxPen, 0);
        seVes[i] = rangedSpin(this, QString("seVes%1").arg(i + 1).toLatin1().constData(), 1, 9, 1);
        auto* fontRow = new QHBoxLayout;
        fontRow->addWidget(new QLabel(QString::fromUtf8("Ширина"), this));
        fontRow->addWidget(seWidth[i]);
        fontRow->addWidget(new QLabel(QString::fromUtf8("Жирность"), this));
        fontRow->addWidget(seVes[i]);
        left->addWidget(btnFont[i], row, 0);
        left->addLayout(fontRow, row, 1);
        ++row;
        connect(btnFont[i], &QPushButton::clicked, this, [this, i] {
            LogFontA record = preview_.Picture.Font(i + 1);
            if (chooseFontRecord(record))
                preview_.Picture.SetFont(i + 1, record);
        });
    }
    top->addLayout(left);

    auto* right = new QVBoxLayout;
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName("ScrollBox1");
    ScrollBox1->setFixedSize(200, 200);
    Image1 = new QLabel;
    Image1->setObjectName("Image1");
    ScrollBox1->setWidget(Image1);
    right->addWidget(ScrollBox1);
    BtnRepaint = new QPushButton(QString::fromUtf8("Перерисовать"), this);
    BtnRepaint->setObjectName("BtnRepaint");
    Button1 = new QPushButton(QString::fromUtf8("Уст. умолчания"), this);
    Button1->setObjectName("Button1");
    Button2 = new QPushButton(QString::fromUtf8("Запомнить уст."), this);
    Button2->setObjectName("Button2");
    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QString::fromUtf8("Отказ"), this);
    CancelBtn->setObjectName("CancelBtn");
    for (QPushButton* b : {BtnRepaint, Button1, Button2, OKBtn, CancelBtn})
        right->addWidget(b);
    right->addStretch();
    top->addLayout(right);

    connect(BtnRepaint, &QPushButton::clicked, this, &TFrmSetBMP::Repaint);
    connect(Button1, &QPushButton::clicked, this, &TFrmSetBMP::SetDefaults);
    // "Remember" keeps what the user set: the key is written now, as at the
    // program's end (putting the defaults back is the other button's work).
    connect(Button2, &QPushButton::clicked, this, &TFrmSetBMP::FormDestroy);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    FormCreate();
    makePreview();
    App::atShutdown([] {
        if (FrmSetBMP)
            FrmSetBMP->FormDestroy();
    });
}

std::vector<StoredField> TFrmSetBMP::fields() const
{
    return {{"StepX", seStepX, 22}, {"StepY", seStepY, 22}, {"Number", seNumber, 0}, {"Stone", seStone, 1},
            {"Elem", seElem, 10},   {"Line", seLine, 1},    {"Border", seBorder, 2}, {"Rad", seRad, 0},
            {"W1", seWidth[0], 0},  {"W2", seWidth[1], 5},  {"W3", seWidth[2], 4},   {"Ves1", seVes[0], 4},
            {"Ves2", seVes[1], 4},  {"Ves3", seVes[2], 4}};
}

void TFrmSetBMP::SetDefaults() { setFieldDefaults(fields()); }

void TFrmSetBMP::FormCreate()
{
    // Defaults first: a value that is missing or not a number keeps its default.
    SetDefaults();
    Registry reg;
    if (reg.KeyExists(RegistryKey) && reg.OpenKey(RegistryKey, false) && reg.ValueExists("StepX"))
        readStoredFields(reg, fields());
}

void TFrmSetBMP::FormDestroy()
{
    Registry reg;
    if (reg.OpenKey(RegistryKey, true))
        writeStoredFields(reg, fields());
}

DgrNewSettings TFrmSetBMP::newDocumentSettings(int32_t displayStepX, int32_t displayStepY) const
{
    DgrNewSettings s;
    s.DisplayStepX = displayStepX;
    s.DisplayStepY = displayStepY;
    s.PictureStepX = seStepX->value();
    s.PictureStepY = seStepY->value();
    s.PictureLine = seLine->value();
    s.PictureBorder = seBorder->value();
    s.PictureRad = seRad->value();
    return s;
}

void TFrmSetBMP::makePreview()
{
    preview_ = tDgrData(5, 5, newDocumentSettings(20, 20));
    tDgr& g = preview_.Grid;
    // clang-format off
    const uint8_t elements[5][5] = {
        {ElemTopLeft, ElemStar, ElemTop, ElemStar, ElemTopRight},
        {ElemStar, ElemStar, ElemStar, ElemStar, ElemStar},
        {ElemLeft, ElemStar, ElemStar, ElemStar, ElemRight},
        {ElemStar, ElemStar, ElemStar, ElemStar, ElemStar},
        {ElemBottomLeft, ElemStar, ElemBottom, ElemStar, ElemBottomRight},
    };
    // clang-format on
    for (int32_t y = 0; y < 5; ++y)
        for (int32_t x = 0; x < 5; ++x)
            g.SetElement(x, y, elements[y][x]);
    const uint8_t A = 'A';
    // The numbered cells carry the label byte of the cells set before them;
    // the number wins in drawing.
    g.PutCell(1, 1, DgrCell{1, ElemStar, StoneBlack, A, 0});
    g.PutCell(2, 1, DgrCell{35, ElemStar, StoneBlack, A, 0});
    g.PutCell(3, 1, DgrCell{279, ElemStar, StoneBlack, A, 0});
    g.PutCell(1, 2, DgrCell{0, ElemStar, StoneBlack, A, 0});
    g.PutCell(2, 2, DgrCell{0, ElemStar, StoneBlack, '?', 0});
    g.PutCell(3, 2, DgrCell{0, ElemStar, StoneWhite, A, 0});
    g.PutCell(1, 3, DgrCell{145, ElemStar, StoneWhite, A, 0});
    g.PutCell(2, 3, DgrCell{81, ElemStar, StoneWhite, A, 0});
    g.PutCell(3, 3, DgrCell{4, ElemStar, StoneWhite, A, 0});
}

void TFrmSetBMP::ReadControls()
{
    DgrPictureBlock& p = preview_.Picture;
    p.SetStepX(seStepX->value());
    p.SetStepY(seStepY->value());
    for (int n = 1; n <= 3; ++n) {
        LogFontA f = p.Font(n);
        f.Width = seWidth[n - 1]->value();
        f.Weight = seVes[n - 1]->value() * 100;
        p.SetFont(n, f);
    }
    p.SetLine(seLine->value());
    p.SetBorder(seBorder->value());
    p.SetRad(seRad->value());
    DgrCell c = preview_.Grid.GetCell(2, 2);
    c.Number = static_cast<uint16_t>(seNumber->value());
    c.Stone = static_cast<uint8_t>(seStone->value());
    c.Element = static_cast<uint8_t>(seElem->value());
    c.Test = 0;
    preview_.Grid.PutCell(2, 2, c);
}

void TFrmSetBMP::ShowSampleCell()
{
    const DgrCell c = preview_.Grid.GetCell(2, 2);
    seNumber->setValue(c.Number);
    seStone->setValue(c.Stone);
    seElem->setValue(c.Element);
}

void TFrmSetBMP::Repaint()
{
    ReadControls();
    preview_.BlockAll();
    QString error;
    const QImage picture = renderBitmapPicture(preview_, error);
    Image1->setPixmap(QPixmap::fromImage(picture.convertToFormat(QImage::Format_RGB32)));
    Image1->resize(picture.size());
}

void TFrmSetBMP::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Repaint();
}

} // namespace quon
