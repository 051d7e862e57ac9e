#include "model/ui/ExistGmWindow.h"

#include "app/ui/App.h"
#include "model/HistoryList.h"
#include "model/Recotypes.h"
#include "model/ui/GameRecordLinks.h"
#include "model/ui/RWSGFWindow.h"

#include <QShortcut>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace quon {

TExistGm* ExistGm = nullptr;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }
std::string s(const QString& q) { return q.toStdString(); }

std::filesystem::path historyPath(const char* name)
{
    const std::string folder = Reco.StartFolder.empty() ? QDir::currentPath().toStdString() : Reco.StartFolder;
    return std::filesystem::u8path(folder) / name;
}

QComboBox* historyBox(QWidget* parent, const char* name)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    // The history is kept by "Save Game", not by typing.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumContentsLength(24);
    return box;
}

QSpinBox* spin(QWidget* parent, const char* name, SpinRange range, int value)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(range.Min, range.Max);
    box->setValue(value);
    return box;
}

QLineEdit* edit(QWidget* parent, const char* name, const std::string& text, bool enabled = true)
{
    auto* e = new QLineEdit(q(text), parent);
    e->setObjectName(name);
    e->setEnabled(enabled);
    return e;
}

void fillSorted(QComboBox* box, std::vector<std::string> entries)
{
    QStringList items;
    for (const std::string& e : entries)
        items << q(e);
    std::sort(items.begin(), items.end(),
              [](const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; });
    const QString text = box->currentText();
    box->clear();
    box->addItems(items);
    box->setEditText(text);
}

// Puts the text at the top of the box's list when it is new there.
void remember(QComboBox* box, const QString& text)
{
    std::vector<std::string> list = TExistGm::listOf(box);
    if (!addToHistory(list, s(text)))
        return;
    const QString shown = box->currentText();
    box->insertItem(0, text);
    box->setEditText(shown);
}

} // namespace

TExistGm::TExistGm(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("ExistGm");
    setWindowTitle(QString::fromUtf8("Game Info"));
    const GameInfo d;

    EBlack = historyBox(this, "EBlack");
    EWhite = historyBox(this, "EWhite");
    seRat_B = spin(this, "seRat_B", RankRange, d.seRat_B);
    ERat_B1 = edit(this, "ERat_B1", d.ERat_B1);
    seRat_W = spin(this, "seRat_W", RankRange, d.seRat_W);
    eRat_W1 = edit(this, "eRat_W1", d.eRat_W1);
    eRat_B = edit(this, "eRat_B", d.eRat_B, false);
    eRat_W = edit(this, "eRat_W", d.eRat_W, false);
    eRat_B->setMinimumWidth(70);
    eRat_W->setMinimumWidth(70);
    seBGameTimeH = spin(this, "seBGameTimeH", HoursRange, d.seBGameTimeH);
    seBGameTimeM = spin(this, "seBGameTimeM", MinutesRange, d.seBGameTimeM);
    seWGameTimeH = spin(this, "seWGameTimeH", HoursRange, d.seWGameTimeH);
    seWGameTimeM = spin(this, "seWGameTimeM", MinutesRange, d.seWGameTimeM);
    eGameTime = edit(this, "eGameTime", d.eGameTime, false);
    EResult = edit(this, "EResult", d.EResult);
    EDate = edit(this, "EDate", d.EDate);
    EKomi = edit(this, "EKomi", d.EKomi);
    seHandicap = spin(this, "seHandicap", HandicapRange, d.seHandicap);
    ESource = historyBox(this, "ESource");
    ESourcePage = edit(this, "ESourcePage", d.ESourcePage, false);
    seNPage = spin(this, "seNPage", PageRange, d.seNPage);
    seNDia = spin(this, "seNDia", DiaRange, d.seNDia);
    eTourn = historyBox(this, "eTourn");
    eRound = historyBox(this, "eRound");
    ePlace = historyBox(this, "ePlace");
    EUser = edit(this, "EUser", d.EUser);
    ENumMoves = edit(this, "ENumMoves", d.ENumMoves);

    auto* resultBox = new QGroupBox("Result", this);
    resultBox->setObjectName("rgResultBox");
    rbBlack = new QRadioButton("Black", resultBox);
    rbWhite = new QRadioButton("White", resultBox);
    rgResult = new QButtonGroup(this);
    rgResult->setObjectName("rgResult");
    rgResult->addButton(rbBlack, WinnerBlack);
    rgResult->addButton(rbWhite, WinnerWhite);
    rbWhite->setChecked(true);
    auto* resultLayout = new QHBoxLayout(resultBox);
    resultLayout->addWidget(rbBlack);
    resultLayout->addWidget(rbWhite);

    Button1 = new QPushButton("Save Game", this);
    Button1->setObjectName("Button1");
    Button2 = new QPushButton("Cancel", this);
    Button2->setObjectName("Button2");
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    // Escape acts as Cancel, as in any dialog.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, [this] { Button2Click(); });

    auto* grid = new QGridLayout(this);
    int row = 0;
    auto label = [this](const char* text) { return new QLabel(text, this); };
    auto pair = [&](QWidget* a, QWidget* b) {
        auto* w = new QWidget(this);
        auto* l = new QHBoxLayout(w);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(a);
        if (b)
            l->addWidget(b);
        return w;
    };
    grid->addWidget(label("Black"), row, 0);
    grid->addWidget(EBlack, row, 1);
    grid->addWidget(label("Rating"), row, 2);
    grid->addWidget(pair(seRat_B, ERat_B1), row, 3);
    grid->addWidget(label("Rat"), row, 4);
    grid->addWidget(eRat_B, row++, 5);
    grid->addWidget(label("White"), row, 0);
    grid->addWidget(EWhite, row, 1);
    grid->addWidget(pair(seRat_W, eRat_W1), row, 3);
    grid->addWidget(eRat_W, row++, 5);
    grid->addWidget(label("Game Time"), row, 0);
    auto* bTime = pair(seBGameTimeH, label("h"));
    bTime->layout()->addWidget(seBGameTimeM);
    bTime->layout()->addWidget(label("min"));
    grid->addWidget(bTime, row, 1);
    grid->addWidget(label("Game Time (Ref)"), row, 2);
    grid->addWidget(eGameTime, row++, 3, 1, 3);
    auto* wTime = pair(seWGameTimeH, label("h"));
    wTime->layout()->addWidget(seWGameTimeM);
    wTime->layout()->addWidget(label("min"));
    grid->addWidget(wTime, row++, 1);
    grid->addWidget(resultBox, row, 0, 1, 2);
    grid->addWidget(label("+"), row, 2);
    grid->addWidget(EResult, row++, 3);
    grid->addWidget(label("Date"), row, 0);
    grid->addWidget(EDate, row, 1);
    grid->addWidget(label("Komi"), row, 2);
    grid->addWidget(EKomi, row, 3);
    grid->addWidget(label("Handicap"), row, 4);
    grid->addWidget(seHandicap, row++, 5);
    grid->addWidget(label("Source"), row, 0);
    grid->addWidget(ESource, row, 1);
    grid->addWidget(ESourcePage, row, 2);
    grid->addWidget(pair(label("Page"), seNPage), row, 3);
    grid->addWidget(label("Dia"), row, 4);
    grid->addWidget(seNDia, row++, 5);
    grid->addWidget(label("Tournament"), row, 0);
    grid->addWidget(eTourn, row, 1);
    grid->addWidget(label("Round"), row, 2);
    grid->addWidget(eRound, row++, 3);
    grid->addWidget(label("Place"), row, 0);
    grid->addWidget(ePlace, row, 1);
    grid->addWidget(label("Recorder"), row, 2);
    grid->addWidget(EUser, row, 3);
    grid->addWidget(label("Num Moves"), row, 4);
    grid->addWidget(ENumMoves, row++, 5);
    grid->addWidget(pair(Button1, Button2), row, 3, 1, 3);

    FormCreate();
    App::atShutdown([] {
        if (ExistGm)
            ExistGm->FormDestroy();
    });
}

std::vector<std::string> TExistGm::listOf(const QComboBox* box)
{
    std::vector<std::string> list;
    for (int i = 0; i < box->count(); ++i)
        list.push_back(s(box->itemText(i)));
    return list;
}

void TExistGm::FormCreate()
{
    const auto names = loadHistoryList(historyPath(HistoryNamesFile));
    fillSorted(EBlack, names);
    fillSorted(EWhite, names);
    fillSorted(eTourn, loadHistoryList(historyPath(HistoryTournsFile)));
    fillSorted(ESource, loadHistoryList(historyPath(HistorySourcesFile)));
    fillSorted(ePlace, loadHistoryList(historyPath(HistoryPlacesFile)));
    fillSorted(eRound, loadHistoryList(historyPath(HistoryRoundsFile)));
}

void TExistGm::FormDestroy()
{
    // Every new name went into both player lists, so Black's list holds them all.
    const std::pair<const char*, QComboBox*> lists[] = {{HistoryNamesFile, EBlack},
                                                        {HistoryTournsFile, eTourn},
                                                        {HistorySourcesFile, ESource},
                                                        {HistoryPlacesFile, ePlace},
                                                        {HistoryRoundsFile, eRound}};
    for (const auto& [file, box] : lists) {
        std::string error;
        // A list that cannot be written must not keep the others or the
        // program's end from going on; it is reported where nothing else is.
        if (!saveHistoryList(historyPath(file), listOf(box), &error))
            std::fprintf(stderr, "Quon OCR: history list not saved: %s\n", error.c_str());
    }
}

GameInfo TExistGm::info() const
{
    GameInfo g;
    g.EBlack = s(EBlack->currentText());
    g.EWhite = s(EWhite->currentText());
    g.seRat_B = seRat_B->value();
    g.ERat_B1 = s(ERat_B1->text());
    g.seRat_W = seRat_W->value();
    g.eRat_W1 = s(eRat_W1->text());
    g.eRat_B = s(eRat_B->text());
    g.eRat_W = s(eRat_W->text());
    g.seBGameTimeH = seBGameTimeH->value();
    g.seBGameTimeM = seBGameTimeM->value();
    g.seWGameTimeH = seWGameTimeH->value();
    g.seWGameTimeM = seWGameTimeM->value();
    g.eGameTime = s(eGameTime->text());
    g.rgResult = rgResult->checkedId() == WinnerBlack ? WinnerBlack : WinnerWhite;
    g.EResult = s(EResult->text());
    g.EDate = s(EDate->text());
    g.EKomi = s(EKomi->text());
    g.seHandicap = seHandicap->value();
    g.ESource = s(ESource->currentText());
    g.ESourcePage = s(ESourcePage->text());
    g.seNPage = seNPage->value();
    g.seNDia = seNDia->value();
    g.eTourn = s(eTourn->currentText());
    g.eRound = s(eRound->currentText());
    g.ePlace = s(ePlace->currentText());
    g.EUser = s(EUser->text());
    g.ENumMoves = s(ENumMoves->text());
    return g;
}

void TExistGm::setInfo(const GameInfo& g)
{
    EBlack->setEditText(q(g.EBlack));
    EWhite->setEditText(q(g.EWhite));
    seRat_B->setValue(g.seRat_B);
    ERat_B1->setText(q(g.ERat_B1));
    seRat_W->setValue(g.seRat_W);
    eRat_W1->setText(q(g.eRat_W1));
    eRat_B->setText(q(g.eRat_B));
    eRat_W->setText(q(g.eRat_W));
    seBGameTimeH->setValue(g.seBGameTimeH);
    seBGameTimeM->setValue(g.seBGameTimeM);
    seWGameTimeH->setValue(g.seWGameTimeH);
    seWGameTimeM->setValue(g.seWGameTimeM);
    eGameTime->setText(q(g.eGameTime));
    (g.rgResult == WinnerBlack ? rbBlack : rbWhite)->setChecked(true);
    EResult->setText(q(g.EResult));
    EDate->setText(q(g.EDate));
    EKomi->setText(q(g.EKomi));
    seHandicap->setValue(g.seHandicap);
    ESource->setEditText(q(g.ESource));
    ESourcePage->setText(q(g.ESourcePage));
    seNPage->setValue(g.seNPage);
    seNDia->setValue(g.seNDia);
    eTourn->setEditText(q(g.eTourn));
    eRound->setEditText(q(g.eRound));
    ePlace->setEditText(q(g.ePlace));
    EUser->setText(q(g.EUser));
    ENumMoves->setText(q(g.ENumMoves));
}

void TExistGm::Button1Click()
{
    // A new player name enters both player lists.
    for (QComboBox* player : {EBlack, EWhite}) {
        const QString name = player->currentText();
        remember(EBlack, name);
        remember(EWhite, name);
    }
    for (QComboBox* box : {eTourn, ESource, ePlace, eRound})
        remember(box, box->currentText());
    eGameTime->setText(
        q(formatGameTime(seWGameTimeH->value(), seWGameTimeM->value(), seBGameTimeH->value(), seBGameTimeM->value())));
    hide();
    finishLinearInput();
    if (RWSGF)
        RWSGF->SaveGame();
}

void TExistGm::Button2Click() { hide(); }

} // namespace quon
