// Game assembly on a fake reader that returns preset texts: placing, the last
// move, missed moves, the repairs, the correction flow, the second reading of
// doubles, and the start of further diagrams.
#include "recognize/GameAssembly.h"
#include "prepare/WindowFeatures.h"
#include "recognize/ScriptedRecognitionHost.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace quon {
namespace {

// A reading as the reader gives it: digits, "e" for a rejected position.
StoneReadResult reading(const std::string& text)
{
    StoneReadResult r;
    r.Text = text;
    r.Failure = StoneReadFailure::None;
    for (char ch : text)
        r.Digits.push_back(ch == 'e' || ch == '-' ? StoneDigit{0, true} : StoneDigit{ch - '0', false});
    return r;
}

StoneReadResult failure(const std::string& text, StoneReadFailure f)
{
    StoneReadResult r;
    r.Text = text;
    r.Failure = f;
    return r;
}

class FakeReader : public StoneTextSource {
  public:
    std::map<std::pair<int, int>, StoneReadResult> first, second;
    std::map<std::pair<int, int>, std::string> split;
    bool featuresFail = false;
    int splitCalls = 0;
    // The stone check: the colour found at an undecided point (0 unknown).
    std::map<std::pair<int, int>, int16_t> checked;
    int reads = 0;

    StoneReadResult read(int32_t mode) override
    {
        ++reads;
        const auto key = std::make_pair(Reco.CurPointX, Reco.CurPointY);
        auto& table = mode == 2 ? second : first;
        const auto it = table.find(key);
        return it == table.end() ? StoneReadResult{} : it->second;
    }
    bool readSplit(std::string& text) override
    {
        ++splitCalls;
        if (featuresFail)
            return false;
        const auto it = split.find({Reco.CurPointX, Reco.CurPointY});
        text = it == split.end() ? "" : it->second;
        return true;
    }
    bool checkStone(BC& point) override
    {
        const auto it = checked.find({Reco.CurPointX, Reco.CurPointY});
        if (it == checked.end())
            return false;
        point.Typ = it->second;
        point.Coord = IntPoint{Reco.CurPointX * 40 + 3, Reco.CurPointY * 40 - 2};
        point.Size = IntSize{36, 37};
        return true;
    }
};

class GameAssemblyTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        resetTablesToStart();
        Reco.DiagramType = DiaGameRecord;
        Reco.DiagramWindow = DiagramRect{1, 1, 19, 19};
        start.options.SENdias = 0;
        start.options.CBUsaStSz = false;
        NewDia(1, start, host, nullptr);
        options = start.options;
        options.seNDia = 1;
    }

    // A numbered stone at (c, r) that the reader reads as `text`.
    void stone(int c, int r, const StoneReadResult& res, int est = 85, int16_t typ = TypBlackNumbered)
    {
        BC& p = Reco.GridPoints[c][r];
        p.Typ = typ;
        p.Est = est;
        p.Coord = IntPoint{c * 40, r * 40};
        p.CoordC = IntPoint{c * 40 + 2, r * 40 + 1};
        p.Size = IntSize{38, 38};
        reader.first[{c, r}] = res;
    }
    void stone(int c, int r, const std::string& text, int est = 85) { stone(c, r, reading(text), est); }

    // Numbered stones for moves from..to of the game, printed less `offset`,
    // on points of their own (row by row from (1, 1), skipping `skip`).
    void moves(int from, int to, int offset = 0, std::vector<int> skip = {})
    {
        for (int m = from; m <= to; ++m) {
            if (std::find(skip.begin(), skip.end(), m) != skip.end())
                continue;
            stone(pointOf(m).first, pointOf(m).second, std::to_string(m - offset));
        }
    }
    static std::pair<int, int> pointOf(int m) { return {(m - 1) % 19 + 1, (m - 1) / 19 + 1}; }

    void run(bool diagram = false)
    {
        GameAssembly a(host, reader, options);
        if (diagram)
            a.RecoDiagram();
        else
            a.RecoFullGame();
        setupRefused = a.SetupStonesRefused;
        questions = a.Questions;
        repairs = a.Repairs;
        openMistakes = a.OpenMistakes;
    }

    bool logged(const std::string& line) const
    {
        return std::find(host.logLines.begin(), host.logLines.end(), line) != host.logLines.end();
    }
    static MoveRecord at(int c, int r) { return MoveRecord{static_cast<uint8_t>(c), static_cast<uint8_t>(r)}; }

    ScriptedRecognitionHost host;
    FakeReader reader;
    DiagramStart start;
    OptionsSnapshot options;
    int questions = 0, repairs = 0, openMistakes = 0, setupRefused = 0;
};

TEST_F(GameAssemblyTest, PlacesNumbersWithTheOffsetAndThe400Rule)
{
    struct Case {
        int offset, before;
        std::string text;
        int slot;        // where it lands, 0 = nowhere
        std::string log; // the mistake line, empty when placed
    };
    const Case cases[] = {
        {0, 0, "412", 112, ""},
        {0, 0, "399", 399, ""},
        {100, 100, "5", 105, ""},
        {100, 100, "0", 0, "Recognition Mistake, move #0 (3,4)"},
        {0, 0, "1-3", 0, "Recognition Mistake, move #1-3 (3,4)"},
        {0, 0, "e0", 0, "Recognition Mistake, move #e0 (3,4)"},
        {0, 0, "5e", 0, "Recognition Mistake, move #5e (3,4)"},
        {300, 300, "250", 0, "Too big move #250 (3,4)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        SetUp();
        Reco.NumberOffset = c.offset;
        Reco.MovesBefore = c.before;
        stone(3, 4, c.text == "e0" ? failure("e0", StoneReadFailure::GroupCount) : reading(c.text));
        GameAssembly a(host, reader, options);
        a.readStones();
        a.placeNumbers();
        if (c.slot) {
            EXPECT_EQ(Reco.MoveTable[c.slot], at(3, 4));
        }
        EXPECT_EQ(Reco.RecogMistakes.Count, c.log.empty() ? 0 : 1);
        if (!c.log.empty()) {
            EXPECT_TRUE(logged(c.log));
        }
    }
}

TEST_F(GameAssemblyTest, TwoClaimantsAreSettledByEstimateOrListedAsDouble)
{
    stone(2, 2, "7", 95);
    stone(5, 5, "7", 70);
    stone(3, 3, "37", 85);
    stone(6, 6, "37", 85);
    stone(9, 9, "37", 85); // a third claimant joins the double, it does not take the slot
    GameAssembly a(host, reader, options);
    a.readStones();
    a.placeNumbers();
    EXPECT_EQ(Reco.MoveTable[7], at(2, 2));
    EXPECT_EQ(Reco.GridPoints[5][5].Text, "");
    EXPECT_EQ(Reco.MoveTable[37], DoubleMove);
    EXPECT_TRUE(logged("Double move #37 (6,6) and (3,3)"));
    ASSERT_EQ(Reco.DoubleMoves.Count, 3);
    EXPECT_EQ(Reco.DoubleMoves[1], (DoubleMoveEntry{37, 3, 3, 1}));
    EXPECT_EQ(Reco.DoubleMoves[2], (DoubleMoveEntry{37, 6, 6, 1}));
    EXPECT_EQ(Reco.DoubleMoves[3], (DoubleMoveEntry{37, 9, 9, 1}));
}

TEST_F(GameAssemblyTest, LastMoveSearchDropsAStrayNumber)
{
    for (int m = 1; m <= 120; ++m)
        Reco.MoveTable[m] = at(pointOf(m).first, pointOf(m).second);
    Reco.MoveTable[300] = at(19, 19);
    GameAssembly a(host, reader, options);
    a.findLastMove();
    EXPECT_EQ(Reco.MoveCount, 120);
    EXPECT_TRUE(logged("Wrong (too big) move # 300, (19,19)"));
    ASSERT_EQ(Reco.RecogMistakes.Count, 1);
    EXPECT_EQ(Reco.RecogMistakes[1], (RecogMistake{19, 19, MistakeTooBig, 1, "300"}));
    // The stray number leaves the table, so the next diagram does not meet it again.
    EXPECT_TRUE(isFreeSlot(Reco.MoveTable[300]));
}

TEST_F(GameAssemblyTest, LastMoveSearchKeepsTheEarlierDiagrams)
{
    // Diagram 2 placed moves 51..74 sparsely and diagram 3 one stray number:
    // the game keeps its 74 moves, and move 74 is no stray number.
    for (int m = 1; m <= 50; ++m)
        Reco.MoveTable[m] = at(pointOf(m).first, pointOf(m).second);
    Reco.MoveTable[74] = at(19, 18);
    Reco.MovesBefore = 74;
    Reco.MoveCount = 74;
    Reco.MoveTable[120] = at(19, 19);
    GameAssembly a(host, reader, options);
    a.findLastMove();
    EXPECT_EQ(Reco.MoveCount, 74);
    ASSERT_EQ(Reco.RecogMistakes.Count, 1);
    EXPECT_EQ(Reco.RecogMistakes[1].Text, "120");
    EXPECT_EQ(Reco.MoveTable[74], at(19, 18));
}

TEST_F(GameAssemblyTest, ManualCountOnTheLastDiagram)
{
    for (int m = 1; m <= 140; ++m)
        Reco.MoveTable[m] = at(pointOf(m).first, pointOf(m).second);
    Reco.MoveTable[180] = at(19, 19);
    options.rgNumMoves = 1;
    options.seNumMoves = 150;
    options.SENdias = 1;
    Reco.MoveCount = 150;
    GameAssembly a(host, reader, options);
    a.findLastMove();
    a.listMissedMoves();
    EXPECT_TRUE(logged("Wrong (too big) move # 180, (19,19)"));
    EXPECT_EQ(Reco.MoveCount, 150);
    EXPECT_EQ(Reco.MissedMoves.Count, 10); // 141..150
    EXPECT_EQ(Reco.MissedMoves[1].Number, 141);

    // A count never entered (0) leaves the decision to the search.
    SetUp();
    for (int m = 1; m <= 40; ++m)
        Reco.MoveTable[m] = at(pointOf(m).first, pointOf(m).second);
    options.rgNumMoves = 1;
    options.seNumMoves = 0;
    options.SENdias = 1;
    GameAssembly b(host, reader, options);
    b.findLastMove();
    EXPECT_EQ(Reco.MoveCount, 40);
}

TEST_F(GameAssemblyTest, RepairsMatchMissedMovesOnce)
{
    struct Case {
        std::string name;
        int offset;
        std::vector<int> missing; // moves of 1..70 without a stone
        StoneReadResult bad;      // what the extra stone reads
        int fixed;                // the move it fills, 0 = none
        std::string log;
    };
    const Case cases[] = {
        {"similar", 0, {57, 67}, reading("5e"), 57, "Fixed similar move #57, (10,10)"},
        {"similar, two matches", 0, {17, 27}, reading("e7"), 0, ""},
        {"a failure code is no digit", 0, {10, 20}, failure("e0", StoneReadFailure::GroupCount), 0, ""},
        {"similar on a later diagram", 100, {157, 167}, reading("5e"), 157, "Fixed similar move #157, (10,10)"},
        {"too big", 0, {12, 40}, reading("812"), 12, "Fixed too big move #12, (10,10)"},
        {"too big, two matches", 0, {12, 112}, reading("812"), 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        Reco.NumberOffset = c.offset;
        Reco.MovesBefore = c.offset;
        for (int m = 1 + c.offset; m <= 170 + c.offset && m <= 70 + c.offset; ++m) {
            if (std::find(c.missing.begin(), c.missing.end(), m) != c.missing.end())
                continue;
            const auto p = pointOf(m - c.offset);
            stone(p.first, p.second, std::to_string(m - c.offset));
        }
        if (c.name == "too big, two matches") {
            // 112 stands as a missed move when the game reaches it.
            for (int m = 71; m <= 120; ++m)
                if (m != 112)
                    stone(pointOf(m).first, pointOf(m).second, std::to_string(m));
        }
        stone(10, 10, c.bad);
        run();
        if (c.fixed) {
            EXPECT_EQ(Reco.MoveTable[c.fixed], at(10, 10));
            EXPECT_TRUE(logged(c.log));
            EXPECT_EQ(repairs, 1);
            EXPECT_EQ(questions, 0);
        } else {
            EXPECT_EQ(repairs, 0);
            EXPECT_EQ(questions, 1);
        }
    }
}

TEST_F(GameAssemblyTest, FailedFeaturesEndOnlyTheRepair)
{
    moves(1, 60, 0, {20, 21});
    stone(10, 10, "812");
    reader.split[{10, 10}] = "21";
    run();
    EXPECT_EQ(reader.splitCalls, 1);
    EXPECT_EQ(Reco.MoveTable[21], at(10, 10)); // the cut read 21, a missed move
    EXPECT_TRUE(logged("Fixed wrong split move #21, (10,10)"));

    SetUp();
    moves(1, 60, 0, {20, 21});
    stone(10, 10, "812");
    reader.featuresFail = true;
    Reco.GameSaved = 1;
    run();
    // The run went on to the game window and the question.
    EXPECT_EQ(questions, 1);
    EXPECT_TRUE(host.gameInitialised);
    EXPECT_EQ(Reco.GameSaved, 0);
}

TEST_F(GameAssemblyTest, CorrectionDialogAsksAtTheStoneAndPlacesTheAnswer)
{
    EXPECT_EQ(correctionQuestion(15, 3), "Bad move (15,3)=(2-5,3). Input correct number:");
    EXPECT_EQ(correctionQuestion(3, 15), "Bad move (3,15)=(4-3,5). Input correct number:");
    EXPECT_EQ(correctionQuestion(12, 19), "Bad move (12,19)=(3-8,1). Input correct number:");
    EXPECT_EQ(correctionQuestion(10, 10), "Bad move (10,10)=(1-10,10). Input correct number:");

    moves(1, 30, 0, {1, 12, 25});
    stone(15, 3, failure("ed4", StoneReadFailure::TooManyGroups));
    stone(16, 4, failure("eee", StoneReadFailure::CutTooFew));
    stone(17, 5, failure("e 1", StoneReadFailure::WideUncut));
    stone(18, 6, failure("ed0", StoneReadFailure::NoDigitsFirst));
    const CorrectionAnswer answers[] = {{CorrectionResult::Ok, 1},
                                        {CorrectionResult::Ok, 13}, // not missing: ignored
                                        {CorrectionResult::NoMove, 0},
                                        {CorrectionResult::Ok, 25}};
    int k = 0;
    host.answer = [&](const std::string&, int, int) { return answers[k++]; };
    run();
    ASSERT_EQ(host.questions.size(), 4u);
    EXPECT_EQ(host.questions[0], "Bad move (15,3)=(2-5,3). Input correct number:");
    for (CellValue v : host.markedValues)
        EXPECT_EQ(v, TGameController::CorrectionMarker);
    EXPECT_EQ(host.noMoveList, (std::vector<int32_t>{12})); // 25 and 1 were taken from it
    EXPECT_TRUE(logged("Manually Fixed wrong recog. Move #1, (15,3)"));
    EXPECT_EQ(Reco.MoveTable[1], at(15, 3));
    EXPECT_EQ(Reco.MoveTable[25], at(18, 6));
    EXPECT_TRUE(isFreeSlot(Reco.MoveTable[12]));
    // The move list holds the answers: move 1 on node 1, not on the closing node.
    const TGameMoveList& list = host.game()->Moves();
    ASSERT_EQ(list.Size(), 32u);
    EXPECT_EQ(list[1].X, 15);
    EXPECT_EQ(list[1].Y, 3);
    EXPECT_EQ(list[25].X, 18);
    EXPECT_TRUE(list[31].IsEmpty());
    // The marks are gone, and the game stands at the first gap, move 12.
    EXPECT_EQ(host.board().GetPoint(16, 4), 0);
    EXPECT_EQ(host.game()->MoveNumber(), 12);
    EXPECT_EQ(openMistakes, 1);
}

TEST_F(GameAssemblyTest, NoMoveListShowsTheLastMissedMoveFirst)
{
    moves(1, 120, 0, {5, 57, 112});
    stone(19, 19, failure("eee", StoneReadFailure::CutTooFew));
    run();
    EXPECT_EQ(host.noMoveList, (std::vector<int32_t>{112, 57, 5}));
}

TEST_F(GameAssemblyTest, DoublesAreReadAgainOnTheCrossing)
{
    moves(1, 20, 0, {9});
    stone(10, 10, "8");
    reader.second[{10, 10}] = reading("9");
    reader.second[{pointOf(8).first, pointOf(8).second}] = reading("8");
    run();
    EXPECT_EQ(Reco.MoveTable[9], at(10, 10));
    const TGameMoveList& list = host.game()->Moves();
    EXPECT_EQ(list[9].X, 10);
    EXPECT_EQ(list[9].Y, 10);
    EXPECT_EQ(Reco.DoubleMoves[2].Open, 0);

    // A stone whose centre is its crossing is not read again.
    SetUp();
    moves(1, 20, 0, {9});
    stone(10, 10, "8");
    Reco.GridPoints[10][10].CoordC = Reco.GridPoints[10][10].Coord;
    reader.second[{10, 10}] = reading("9");
    run();
    EXPECT_TRUE(isFreeSlot(Reco.MoveTable[9]));
}

TEST_F(GameAssemblyTest, CancelEndsTheReadingAfterTheRow)
{
    moves(1, 40);
    host.cancelAtPump = 2; // the pump after row 1
    run();
    EXPECT_EQ(Reco.MoveCount, 19);
}

TEST_F(GameAssemblyTest, NumberingModesOverThreeDiagrams)
{
    struct Mode {
        int CBTypN;
        int offsets[3]; // what is printed less than the game number
    };
    // Diagrams of 40, 80 and 30 moves.
    const Mode modes[] = {{1, {0, 0, 0}}, {0, {0, 40, 120}}, {2, {0, 0, 100}}};
    const int ends[] = {40, 120, 150};
    for (const Mode& mode : modes) {
        SCOPED_TRACE(mode.CBTypN);
        SetUp();
        start.options.CBTypN = mode.CBTypN;
        options.CBTypN = mode.CBTypN;
        int from = 1;
        for (int d = 0; d < 3; ++d) {
            if (d > 0) {
                NewDia(d + 1, start, host, nullptr);
                options.seNDia = d + 1;
                EXPECT_EQ(Reco.NumberOffset, mode.offsets[d]);
                EXPECT_EQ(start.options.seMoveCor, from);
                // Every stone of the game board stands in the new grid, the
                // last move of the diagram before included.
                const auto last = pointOf(from - 1);
                EXPECT_EQ(Reco.GridPoints[last.first][last.second].Typ, moveColour(from - 1) + 2);
                EXPECT_EQ(Reco.GridPoints[last.first][last.second].PatternConf, 100);
            }
            reader.first.clear();
            moves(from, ends[d], mode.offsets[d]);
            run();
            EXPECT_EQ(Reco.MoveCount, ends[d]);
            EXPECT_EQ(Reco.MissedMoves.Count, 0);
            EXPECT_EQ(questions, 0);
            from = ends[d] + 1;
        }
        for (int m = 1; m <= 150; ++m)
            EXPECT_EQ(Reco.MoveTable[m], at(pointOf(m).first, pointOf(m).second));
    }
}

// Numbers restarting at 1 on every diagram: a last move printed beside the
// board leaves the move count one short, and the stones' colours show that
// the next diagram's numbers start one move later than the count says.
TEST_F(GameAssemblyTest, RestartNumberingFollowsTheStonesColours)
{
    for (const bool lastMoveOnBoard : {true, false}) {
        SCOPED_TRACE(lastMoveOnBoard);
        SetUp();
        start.options.CBTypN = options.CBTypN = 0;
        auto coloured = [&](int from, int to, int offset) {
            for (int m = from; m <= to; ++m)
                stone(pointOf(m).first, pointOf(m).second, reading(std::to_string(m - offset)), 85,
                      static_cast<int16_t>(moveColour(m)));
        };
        coloured(1, lastMoveOnBoard ? 40 : 39, 0);
        run();
        NewDia(2, start, host, nullptr);
        options.seNDia = 2;
        reader.first.clear();
        coloured(41, 80, 40);
        run();
        EXPECT_EQ(Reco.NumberOffset, 40);
        EXPECT_EQ(Reco.MoveCount, 80);
        for (int m = 41; m <= 80; ++m)
            EXPECT_EQ(Reco.MoveTable[m], at(pointOf(m).first, pointOf(m).second)) << m;
        EXPECT_EQ(Reco.MissedMoves.Count, lastMoveOnBoard ? 0 : 1);
    }
}

// Numbers running modulo 100: a diagram that ended one move short of a
// hundred must not put the next hundred's numbers back among the moves played.
TEST_F(GameAssemblyTest, ModuloNumberingPassesTheHundredTheStonesShow)
{
    for (const bool lastMoveOnBoard : {true, false}) {
        SCOPED_TRACE(lastMoveOnBoard);
        SetUp();
        start.options.CBTypN = options.CBTypN = 2;
        auto coloured = [&](int from, int to, int offset) {
            for (int m = from; m <= to; ++m)
                stone(pointOf(m).first, pointOf(m).second, reading(std::to_string(m - offset)), 85,
                      static_cast<int16_t>(moveColour(m)));
        };
        coloured(1, lastMoveOnBoard ? 100 : 99, 0);
        run();
        NewDia(2, start, host, nullptr);
        options.seNDia = 2;
        reader.first.clear();
        coloured(101, 140, 100);
        run();
        EXPECT_EQ(Reco.NumberOffset, 100);
        EXPECT_EQ(Reco.MoveCount, 140);
        for (int m = 101; m <= 140; ++m)
            EXPECT_EQ(Reco.MoveTable[m], at(pointOf(m).first, pointOf(m).second)) << m;
        EXPECT_EQ(Reco.MissedMoves.Count, lastMoveOnBoard ? 0 : 1);
        EXPECT_EQ(openMistakes, lastMoveOnBoard ? 0 : 1); // the missed move, nothing else
    }
}

TEST_F(GameAssemblyTest, UnsavedGameQuestionOnlyBeforeTheGameIsDiscarded)
{
    moves(1, 10);
    run();
    EXPECT_EQ(Reco.GameSaved, 0);
    NewDia(2, start, host, nullptr);
    EXPECT_TRUE(host.saveQuestions.empty());
    EXPECT_EQ(Reco.GameSaved, 0);
    host.saveAnswer = true;
    NewDia(1, start, host, nullptr);
    EXPECT_EQ(host.saveQuestions.size(), 1u);
    EXPECT_EQ(host.saves, 1);
    EXPECT_EQ(Reco.GameSaved, 1);
    EXPECT_EQ(Reco.MoveCount, 0);
    NewDia(1, start, host, nullptr); // nothing to lose now
    EXPECT_EQ(host.saveQuestions.size(), 1u);
}

TEST_F(GameAssemblyTest, ARerunStartsFromThePreparedDiagram)
{
    moves(1, 30);
    DiagramSnapshot snap;
    snap.take();
    run();
    snap.restore();
    run();
    EXPECT_EQ(Reco.DoubleMoves.Count, 0);
    EXPECT_EQ(Reco.MoveCount, 30);
}

TEST_F(GameAssemblyTest, NextDoubleMoveFindsOneInTheLastSlot)
{
    Reco.MoveTable[1] = at(4, 4);
    Reco.MoveTable[2] = at(16, 16);
    Reco.MoveTable[3] = DoubleMove;
    Reco.MoveCount = 3;
    TGameController& g = *host.game();
    ASSERT_TRUE(InitGameOn(g));
    EXPECT_TRUE(StepToNextDouble(g));
    EXPECT_EQ(g.MoveNumber(), 3);
    EXPECT_FALSE(StepToNextDouble(g));
    EXPECT_EQ(g.MoveNumber(), 0);

    Reco.MoveTable[3] = at(3, 3);
    ASSERT_TRUE(InitGameOn(g));
    EXPECT_FALSE(StepToNextDouble(g));
    EXPECT_EQ(g.MoveNumber(), 0);
}

TEST_F(GameAssemblyTest, CheckingATypedGameReadsNothing)
{
    Reco.MoveTable[1] = at(4, 4);
    Reco.MoveTable[3] = at(5, 5);
    Reco.MoveCount = 3;
    Reco.LinearInputState = 1;
    stone(10, 10, "2");
    host.log("kept");
    run();
    EXPECT_TRUE(logged("kept"));
    EXPECT_TRUE(logged("Missed move #2"));
    EXPECT_TRUE(logged("N Recognition mistakes: 0"));
    EXPECT_TRUE(isFreeSlot(Reco.MoveTable[2]));
}

// ---- Positions and diagrams of stones and moves ----------------------------------

bool hasSetup(int colour, int c, int r)
{
    const auto& l = Reco.SetupStones[colour];
    return std::find(l.begin(), l.end(), StonePoint{c, r}) != l.end();
}

TEST_F(GameAssemblyTest, PositionCollectsEveryDecidedStoneAndReadsNoNumber)
{
    Reco.DiagramType = DiaPosition;
    Reco.GridPoints[3][3].Typ = TypBlackStatic;
    Reco.GridPoints[4][3].Typ = TypWhiteStatic;
    stone(5, 5, "12"); // a numbered stone is not read on a position
    Reco.GridPoints[6][6].Typ = TypUndecided;
    reader.checked[{6, 6}] = 2; // a white stone found by the stone check
    Reco.GridPoints[7][7].Typ = TypUndecided;
    reader.checked[{7, 7}] = 0;               // a stone of unknown colour
    Reco.GridPoints[8][8].Typ = TypUndecided; // nothing there
    Reco.MoveTable[1] = at(1, 1);
    Reco.MoveCount = 1;
    run(true);

    EXPECT_EQ(reader.reads, 0);
    EXPECT_TRUE(hasSetup(1, 3, 3));
    EXPECT_TRUE(hasSetup(2, 4, 3));
    EXPECT_TRUE(hasSetup(2, 6, 6));
    EXPECT_EQ(Reco.SetupStones[1].Count + Reco.SetupStones[2].Count, 3);
    const BC& found = Reco.GridPoints[6][6];
    EXPECT_EQ(found.Typ, TypWhiteStatic);
    EXPECT_EQ(found.PatternConf, 90);
    EXPECT_EQ(found.Est, 80);
    EXPECT_EQ(found.Coord, (IntPoint{243, 238}));
    EXPECT_EQ(found.Size, (IntSize{36, 37}));
    EXPECT_EQ(Reco.GridPoints[7][7].Typ, TypColourUndecided);
    EXPECT_EQ(Reco.GridPoints[7][7].PatternConf, 70);
    EXPECT_EQ(Reco.GridPoints[8][8].Typ, TypUndecided);
    EXPECT_EQ(Reco.MoveTable[1], at(1, 1));
    EXPECT_EQ(host.gridCells[2][2], " B");
    EXPECT_EQ(host.gridCells[5][5], " W");

    // The game window shows the position.
    ASSERT_TRUE(host.gameInitialised);
    BoardPosition& b = host.game()->Board();
    EXPECT_EQ(b.GetPoint(3, 3), 1u);
    EXPECT_EQ(b.GetPoint(4, 3), 2u);
    EXPECT_EQ(b.GetPoint(6, 6), 2u);
    EXPECT_EQ(b.GetPoint(7, 7), 0u);
    EXPECT_EQ(Reco.GameSaved, 0);
}

TEST_F(GameAssemblyTest, MixedDiagramMakesPlainStonesSetupAndNumbersMoves)
{
    Reco.DiagramType = DiaStonesAndMoves;
    Reco.DiagramWindow = DiagramRect{1, 1, 10, 10};
    moves(1, 8);
    Reco.GridPoints[9][9].Typ = TypBlackStatic; // plain stones from preparation
    Reco.GridPoints[9][8].Typ = TypWhiteStatic;
    // A numbered stone whose digits were not found is asked about, not
    // taken for a stone without a number.
    stone(7, 9, failure("ed0", StoneReadFailure::NoDigitsFirst));
    Reco.GridPoints[10][10].Typ = TypBlackStatic; // plain from preparation
    stone(12, 12, "9");                           // outside the window
    Reco.GridPoints[6][6].Typ = TypUndecided;
    reader.checked[{6, 6}] = 1; // a stone: read as numbered, colour unknown
    reader.first[{6, 6}] = reading("10");
    run(true);

    for (int m = 1; m <= 8; ++m)
        EXPECT_EQ(Reco.MoveTable[m], at(pointOf(m).first, pointOf(m).second));
    EXPECT_EQ(Reco.MoveTable[10], at(6, 6));
    EXPECT_EQ(Reco.MoveCount, 10);
    EXPECT_TRUE(logged("Missed move #9"));
    EXPECT_TRUE(hasSetup(1, 9, 9));
    EXPECT_TRUE(hasSetup(2, 9, 8));
    EXPECT_TRUE(hasSetup(1, 10, 10));
    EXPECT_EQ(Reco.SetupStones[1].Count + Reco.SetupStones[2].Count, 3);
    EXPECT_TRUE(Reco.GridPoints[12][12].Text.empty());
    EXPECT_TRUE(logged("Recognition Mistake, move #ed0 (7,9)"));
    EXPECT_EQ(questions, 1);
    // The game window: the setup stones, then the moves.
    const TGameController& g = *host.game();
    EXPECT_EQ(g.Moves().Size(), 12u); // root, 10 moves, closing node
}

TEST_F(GameAssemblyTest, DiagramPlacingRules)
{
    struct Case {
        int offset;
        std::string text;
        int slot;        // where it lands, 0 = nowhere
        std::string log; // the mistake line, empty when placed
    };
    const Case cases[] = {
        {100, "0", 0, "Recognition Mistake, move #0 (3,4)"},
        {100, "7", 107, ""},
        {0, "450", 0, "Wrong (too big) move # 450, (3,4)"}, // no 300 taken off
        {0, "612", 0, "Too big move #612 (3,4)"},
        {0, "45", 45, ""},
        {0, "1-3", 0, "Recognition Mistake, move #1-3 (3,4)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        SetUp();
        Reco.DiagramType = DiaStonesAndMoves;
        Reco.NumberOffset = c.offset;
        stone(3, 4, c.text);
        if (c.slot) // moves below it confirm it as the last move
            moves(c.slot - 5, c.slot - 1, c.offset);
        run(true);
        if (c.slot)
            EXPECT_EQ(Reco.MoveTable[c.slot], at(3, 4));
        else
            EXPECT_TRUE(logged(c.log));
    }
}

TEST_F(GameAssemblyTest, DiagramDoublesIgnoreTheEstimates)
{
    Reco.DiagramType = DiaStonesAndMoves;
    moves(1, 10, 0, {7});
    stone(5, 5, "7", 95);
    stone(6, 5, "7", 70);
    run(true);
    EXPECT_TRUE(logged("Double move #7 (6,5) and (5,5)"));
    EXPECT_EQ(Reco.MoveTable[7], DoubleMove);
    EXPECT_EQ(Reco.DoubleMoves.Count, 2);
    EXPECT_FALSE(Reco.GridPoints[5][5].Text.empty());
    EXPECT_FALSE(Reco.GridPoints[6][5].Text.empty());
}

TEST_F(GameAssemblyTest, DiagramSearchesTheLastMoveEvenWithACountEntered)
{
    Reco.DiagramType = DiaStonesAndMoves;
    options.SENdias = 1;
    options.seNDia = 1;
    options.rgNumMoves = 1;
    options.seNumMoves = 150;
    moves(1, 120);
    stone(19, 19, "300");
    run(true);
    EXPECT_TRUE(logged("Wrong (too big) move # 300, (19,19)"));
    EXPECT_EQ(Reco.MoveCount, 120);
    EXPECT_FALSE(logged("Missed move #121"));
}

TEST_F(GameAssemblyTest, DiagramSecondReadingNeverTakesAFilledSlot)
{
    Reco.DiagramType = DiaStonesAndMoves;
    moves(1, 12, 0, {7});
    stone(15, 15, "5");                     // doubles 5; read again as 3
    reader.second[{15, 15}] = reading("3"); // 3 is placed already
    stone(16, 16, "8");                     // doubles 8; read again as 7
    reader.second[{16, 16}] = reading("7");
    run(true);
    EXPECT_EQ(Reco.MoveTable[3], at(pointOf(3).first, pointOf(3).second));
    EXPECT_EQ(Reco.MoveTable[7], at(16, 16));
    bool open15 = false, open16 = true;
    for (const DoubleMoveEntry& d : Reco.DoubleMoves) {
        if (d.X == 15 && d.Y == 15)
            open15 = d.Open;
        if (d.X == 16 && d.Y == 16)
            open16 = d.Open;
    }
    EXPECT_TRUE(open15);
    EXPECT_FALSE(open16);
}

TEST_F(GameAssemblyTest, DiagramRerunDoesNotAddTheSetupStonesAgain)
{
    Reco.DiagramType = DiaPosition;
    Reco.GridPoints[3][3].Typ = TypBlackStatic;
    Reco.GridPoints[4][4].Typ = TypUndecided;
    reader.checked[{4, 4}] = 2;
    DiagramSnapshot snap;
    snap.take();
    run(true);
    EXPECT_EQ(Reco.SetupStones[2].Count, 1);
    snap.restore();
    EXPECT_EQ(Reco.SetupStones[2].Count, 0);
    run(true);
    run(true); // even without the restore
    EXPECT_EQ(Reco.SetupStones[1].Count, 1);
    EXPECT_EQ(Reco.SetupStones[2].Count, 1);
}

TEST_F(GameAssemblyTest, StonesBeyondTheSetupListAreRefusedAndTold)
{
    Reco.DiagramType = DiaPosition;
    int placed = 0;
    for (int r = 1; r <= 19; ++r)
        for (int c = 1; c <= 19 && placed < 130; ++c, ++placed)
            Reco.GridPoints[c][r].Typ = TypBlackStatic;
    run(true);
    EXPECT_EQ(Reco.SetupStones[1].Count, 100);
    EXPECT_EQ(setupRefused, 30);
    ASSERT_EQ(host.informed.size(), 1u);
    EXPECT_TRUE(logged(host.informed[0]));
    EXPECT_NE(host.informed[0].find("30"), std::string::npos);
}

TEST_F(GameAssemblyTest, FurtherMixedDiagramCollectsOnlyNewPlainStones)
{
    Reco.DiagramType = DiaStonesAndMoves;
    start.options.CBTypN = 0; // each diagram from 1
    moves(1, 4);
    Reco.GridPoints[18][18].Typ = TypWhiteStatic; // a setup stone of diagram 1
    run(true);
    ASSERT_EQ(Reco.MoveCount, 4);
    ASSERT_EQ(Reco.SetupStones[2].Count, 1);

    reader = FakeReader{};
    start.options.seNDia = 2;
    NewDia(2, start, host, nullptr);
    EXPECT_EQ(Reco.SetupStones[2].Count, 1); // the game keeps its setup
    EXPECT_EQ(Reco.GridPoints[18][18].Typ, TypWhiteStatic);
    EXPECT_EQ(Reco.GridPoints[1][1].Typ, TypBlackStatic); // move 1, carried
    stone(10, 10, "1");
    Reco.GridPoints[11][11].Typ = TypBlackStatic; // new on this diagram
    run(true);
    EXPECT_EQ(Reco.MoveTable[5], at(10, 10));
    EXPECT_EQ(Reco.SetupStones[1].Count, 1);
    EXPECT_TRUE(hasSetup(1, 11, 11));
    EXPECT_EQ(Reco.SetupStones[2].Count, 1);
    // The game window replays the setup and every move.
    BoardPosition& b = host.game()->Board();
    EXPECT_EQ(b.GetPoint(18, 18) & 3u, 2u);
}

TEST_F(GameAssemblyTest, AStoneWindowOfNoUsableSizeDoesNotStopTheReading)
{
    StoneNumberReader numbers;
    std::vector<std::string> lines;
    numbers.Log = [&lines](const std::string& l) { lines.push_back(l); };
    ProgramStoneReader program(numbers);
    Reco.DebugRunState = 1;
    startWindowRun();
    BC point;
    point.Coord = IntPoint{100, 100};
    point.Size = IntSize{1, 1}; // too small to have features
    EXPECT_FALSE(program.checkStone(point));
    EXPECT_EQ(Reco.DebugRunState, 1);
    EXPECT_FALSE(lines.empty()); // the size is logged, not shown
}

} // namespace
} // namespace quon
