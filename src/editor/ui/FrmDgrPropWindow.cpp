#include "editor/ui/FrmDgrPropWindow.h"

#include "app/ui/App.h"
#include "editor/ui/FontRecords.h"
#include "platform/ui/Registry.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quon {

TFrmDgrProp* FrmDgrProp = nullptr;

const QString TFrmDgrProp::RegistryKey = QStringLiteral("\\SOFTWARE\\Quon\\Quon OCR\\Skarn97\\Display");

namespace {
// Widths of a font record; the dialog's other numbers have ranges of their own.
constexpr int32_t MaxFontWidth = 255;
} // namespace

TFrmDgrProp::TFrmDgrProp(QWidget* parent) : QDialog(parent)
{
    setObjectName("FrmDgrProp");
    setWindowTitle(QString::fromUtf8("Параметры вывода на дисплей"));
    setModal(true);
    auto* top = new QVBoxLayout(this);

    auto* cells = new QGroupBox(QString::fromUtf8(" Количество клеток "), this);
    auto* cellsGrid = new QGridLayout(cells);
    seSizeX = rangedSpin(cells, "seSizeX", 1, 99, 20);
    seSizeY = rangedSpin(cells, "seSizeY", 1, 99, 20);
    cellsGrid->addWidget(new QLabel(QString::fromUtf8("по горизонтали"), cells), 0, 0);
    cellsGrid->addWidget(seSizeX, 0, 1);
    cellsGrid->addWidget(new QLabel(QString::fromUtf8("по вертикали"), cells), 1, 0);
    cellsGrid->addWidget(seSizeY, 1, 1);

    auto* step = new QGroupBox(QString::fromUtf8(" Размер клетки "), this);
    auto* stepGrid = new QGridLayout(step);
    seStepX = rangedSpin(step, "seStepX", 10, 511, 20);
    seStepY = rangedSpin(step, "seStepY", 10, 511, 20);
    stepGrid->addWidget(new QLabel(QString::fromUtf8("по горизонтали"), step), 0, 0);
    stepGrid->addWidget(seStepX, 0, 1);
    stepGrid->addWidget(new QLabel(QString::fromUtf8("по вертикали"), step), 1, 0);
    stepGrid->addWidget(seStepY, 1, 1);

    auto* sizes = new QHBoxLayout;
    sizes->addWidget(cells);
    sizes->addWidget(step);
    top->addLayout(sizes);

    auto* kind = new QGridLayout;
    CBTypDia = new QComboBox(this);
    CBTypDia->setObjectName("CBTypDia");
    for (const char* item : {"Пустая ", "Доска 19х19", "Доска 13х13", "Доска 11х11", "Доска 9х9"})
        CBTypDia->addItem(QString::fromUtf8(item));
    CBTypDia->setCurrentIndex(1);
    CBPartBoard = new QComboBox(this);
    CBPartBoard->setObjectName("CBPartBoard");
    for (const char* item :
         {"Полноразмерная доска ", "Левая сторона", "Верхняя сторона", "Правая сторона", "Нижняя сторона",
          "Левый верхний угол", "Правый верхний угол", "Правый нижний угол", "Левый нижний угол"})
        CBPartBoard->addItem(QString::fromUtf8(item));
    CBPartBoard->setCurrentIndex(0);
    SE_X = rangedSpin(this, "SE_X", 1, 19, 12);
    SE_Y = rangedSpin(this, "SE_Y", 1, 19, 12);
    kind->addWidget(new QLabel(QString::fromUtf8("Новая диаграмма"), this), 0, 0);
    kind->addWidget(CBTypDia, 0, 1, 1, 4);
    kind->addWidget(new QLabel(QString::fromUtf8("Часть новой\nдиаграммы"), this), 1, 0);
    kind->addWidget(CBPartBoard, 1, 1);
    kind->addWidget(new QLabel("X:", this), 1, 2);
    kind->addWidget(SE_X, 1, 3);
    kind->addWidget(new QLabel("Y:", this), 1, 4);
    kind->addWidget(SE_Y, 1, 5);
    top->addLayout(kind);

    auto* fonts = new QGridLayout;
    const char* fontCaptions[3] = {"Шрифт для 1-значных цифр", "Шрифт для 2-значных цифр", "Шрифт для 3-значных цифр"};
    for (int i = 0; i < 3; ++i) {
        btnFont[i] = new QPushButton(QString::fromUtf8(fontCaptions[i]), this);
        btnFont[i]->setObjectName(QString("btnFont%1").arg(i + 1));
        seWidth[i] = rangedSpin(this, QString("seWidth%1").arg(i + 1).toLatin1().constData(), 0, MaxFontWidth, 0);
        seVes[i] = rangedSpin(this, QString("seVes%1").arg(i + 1).toLatin1().constData(), 1, 9, 1);
        fonts->addWidget(btnFont[i], i, 0);
        fonts->addWidget(new QLabel(QString::fromUtf8("Ширина"), this), i, 1);
        fonts->addWidget(seWidth[i], i, 2);
        fonts->addWidget(new QLabel(QString::fromUtf8("Жирность"), this), i, 3);
        fonts->addWidget(seVes[i], i, 4);
        connect(btnFont[i], &QPushButton::clicked, this, [this, i] { chooseFontRecord(screenFonts_[i]); });
    }
    top->addLayout(fonts);

    auto* buttons = new QHBoxLayout;
    Button1 = new QPushButton(QString::fromUtf8("Уст. умолчания"), this);
    Button1->setObjectName("Button1");
    btnSetFonts = new QPushButton(QString::fromUtf8("Установить шрифты по умолчанию"), this);
    btnSetFonts->setObjectName("btnSetFonts");
    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QString::fromUtf8("Отказ"), this);
    CancelBtn->setObjectName("CancelBtn");
    buttons->addWidget(Button1);
    buttons->addWidget(btnSetFonts);
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    top->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, &TFrmDgrProp::SetDefaults);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    FormCreate();
    App::atShutdown([] {
        if (FrmDgrProp)
            FrmDgrProp->FormDestroy();
    });
}

std::vector<StoredField> TFrmDgrProp::fields() const
{
    return {{"SizeX", seSizeX, 19},  {"SizeY", seSizeY, 19},        {"StepX", seStepX, 20}, {"StepY", seStepY, 20},
            {"TypDia", CBTypDia, 1}, {"PartBoard", CBPartBoard, 0}, {"Xall", SE_X, 12},     {"Yall", SE_Y, 12},
            {"W1", seWidth[0], 10},  {"W2", seWidth[1], 8},         {"W3", seWidth[2], 6},  {"Ves1", seVes[0], 6},
            {"Ves2", seVes[1], 4},   {"Ves3", seVes[2], 4}};
}

void TFrmDgrProp::SetDefaults() { setFieldDefaults(fields()); }

void TFrmDgrProp::FormCreate()
{
    Registry reg;
    if (!reg.KeyExists(RegistryKey)) {
        // First start: the key is made and the fields keep their first values.
        reg.OpenKey(RegistryKey, true);
        return;
    }
    reg.OpenKey(RegistryKey, false);
    if (!reg.ValueExists("SizeX")) {
        SetDefaults();
        return;
    }
    // A value that is missing or not a number keeps its default.
    SetDefaults();
    readStoredFields(reg, fields());
}

void TFrmDgrProp::FormDestroy()
{
    Registry reg;
    if (reg.OpenKey(RegistryKey, true))
        writeStoredFields(reg, fields());
}

LogFontA TFrmDgrProp::GetScreenFont(int n) const
{
    LogFontA f = screenFonts_.at(static_cast<size_t>(n - 1));
    f.Width = seWidth.at(static_cast<size_t>(n - 1))->value();
    f.Weight = seVes.at(static_cast<size_t>(n - 1))->value() * 100;
    return f;
}

NewDiagramSettings TFrmDgrProp::newDiagramSettings() const
{
    NewDiagramSettings s;
    s.SizeX = seSizeX->value();
    s.SizeY = seSizeY->value();
    s.TypDia = CBTypDia->currentIndex();
    s.PartBoard = CBPartBoard->currentIndex();
    s.X = SE_X->value();
    s.Y = SE_Y->value();
    return s;
}

} // namespace quon
