#include "recognize/StoneNumberReader.h"

#include "prepare/WindowFeatures.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace quon {

namespace {
// Group g takes in component c: their joint box and both pixel counts.
void takeIn(ComponentBox& g, const ComponentBox& c)
{
    g.MinX = std::min(g.MinX, c.MinX);
    g.MaxX = std::max(g.MaxX, c.MaxX);
    g.MinY = std::min(g.MinY, c.MinY);
    g.MaxY = std::max(g.MaxY, c.MaxY);
    g.Count += c.Count;
}

// The box that holds both a and b.
ComponentBox jointBox(const ComponentBox& a, const ComponentBox& b)
{
    ComponentBox j = a;
    takeIn(j, b);
    return j;
}

// How many columns a and b share (negative: the gap between them, less one).
int32_t columnOverlap(const ComponentBox& a, const ComponentBox& b)
{
    return std::min(a.MaxX, b.MaxX) - std::max(a.MinX, b.MinX) + 1;
}


// Strokes wider than this share of the stone (per mille) are heavy ink.
constexpr int32_t HeavyStrokePerMille = 80;
// Strokes of two pixels or so narrower than this share of the digits'
// height (per mille) are a light face's.
constexpr int32_t LightStrokePerMille = 125;

// Neighbours in the order the labelling takes them; those already visited
// by a raster pass are the first four (left, up-left, up, up-right), and of
// them the 4-connected ones are the 1st and 3rd.
constexpr int NeighbourDX[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
constexpr int NeighbourDY[8] = {0, -1, -1, -1, 0, 1, 1, 1};

BC& currentPoint() { return Reco.GridPoints[Reco.CurPointX][Reco.CurPointY]; }

bool hasE(const std::string& t) { return t.find('e') != std::string::npos; }
bool hasEOrDash(const std::string& t) { return hasE(t) || t.find('-') != std::string::npos; }

// The text as a number above 400 (a text that is no number is not).
bool above400(const std::string& t)
{
    return isNumberText(t) && (t.size() > 6 || std::stoi(t) > 400);
}

int16_t& cut(int32_t x, int32_t y) { return Win.CutWindow[x][y]; }

// Slants, in hundredths of the height: those tried, and the least taken
// out (about five degrees; italics lean ten to fifteen).
constexpr int32_t SlantStep = 4;
constexpr int32_t MaxDigitSlant = 36;
constexpr int32_t MinTakenSlant = 8;

// How far row y moves to stand ink of this slant upright: rows above the
// middle go left, rows below it right.
int32_t slantShift(int32_t slant, int32_t y, int32_t H)
{
    const int32_t d = slant * (2 * y - H - 1);
    return d >= 0 ? (d + 100) / 200 : -((-d + 100) / 200);
}

// Pieces round the middle of a 3 x 3 neighbourhood (the middle left out):
// of its ink by eight neighbours, or of its paper by four, counting only
// paper that touches the middle's side.
int pieceCount(const bool n[3][3], bool ofInk)
{
    bool seen[3][3] = {};
    int pieces = 0;
    for (int sx = 0; sx < 3; ++sx)
        for (int sy = 0; sy < 3; ++sy) {
            if ((sx == 1 && sy == 1) || seen[sx][sy] || n[sx][sy] != ofInk)
                continue;
            int stack[9][2];
            int top = 0;
            bool side = false;
            seen[sx][sy] = true;
            stack[top][0] = sx;
            stack[top][1] = sy;
            ++top;
            while (top > 0) {
                --top;
                const int cx = stack[top][0];
                const int cy = stack[top][1];
                side = side || (cx == 1) != (cy == 1);
                for (int dx = -1; dx <= 1; ++dx)
                    for (int dy = -1; dy <= 1; ++dy) {
                        const int nx = cx + dx;
                        const int ny = cy + dy;
                        if ((dx == 0 && dy == 0) || (!ofInk && dx != 0 && dy != 0) || nx < 0 || nx > 2 || ny < 0 ||
                            ny > 2 || (nx == 1 && ny == 1) || seen[nx][ny] || n[nx][ny] != ofInk)
                            continue;
                        seen[nx][ny] = true;
                        stack[top][0] = nx;
                        stack[top][1] = ny;
                        ++top;
                    }
            }
            pieces += ofInk || side ? 1 : 0;
        }
    return pieces;
}

} // namespace

bool isNumberText(const std::string& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool StoneReadResult::number(int32_t& value) const
{
    if (Failure != StoneReadFailure::None || !isNumberText(Text) || Text.size() > 6)
        return false;
    value = std::stoi(Text);
    return true;
}

// ---- One attempt ---------------------------------------------------------------

struct StoneNumberReader::Reading {
    std::string text;
    StoneReadFailure failure = StoneReadFailure::None;
    int32_t count = 0;
    bool mark = false;
    std::vector<StoneDigit> digits;

    void fail(StoneReadFailure f, std::string t, int32_t c = 0)
    {
        failure = f;
        text = std::move(t);
        count = c;
        digits.clear();
    }
    void failCount(int32_t c)
    {
        std::string t = "e";
        t += std::to_string(c);
        fail(StoneReadFailure::GroupCount, std::move(t), c);
    }
    void clear()
    {
        failure = StoneReadFailure::None;
        text.clear();
        count = 0;
        digits.clear();
    }
};

StoneNumberReader::StoneNumberReader()
    : labels_(std::make_unique<DigitLabelTable>()), matcher_(*labels_, components_[PaperClass])
{
}

void StoneNumberReader::resetDigitHeights()
{
    MeanDigitHeight = 0;
    DigitHeightSamples = 0;
    MeanDigitAspect = StartDigitAspect;
    DigitAspectSamples = 0;
    LightFaceVotes = 0;
    DigitSlants.fill(0);
}

StoneReadResult StoneNumberReader::RecoStoneNumber(int32_t mode)
{
    settledDoubt_ = false;
    barDoubt_ = false;
    oneOrTwoDoubt_ = false;
    StoneReadResult res = readOnce(mode);
    if (mode == 0 && hasE(res.Text) && !res.Mark) {
        const StoneReadResult first = res;
        const auto firstColumns = digitColumns(first);
        const bool eightDoubt = settledDoubt_;
        const bool barDoubt = barDoubt_;
        const bool oneOrTwoDoubt = oneOrTwoDoubt_;
        BC& p = currentPoint();
        const int32_t typ = p.Typ;
        res = readOnce(1);
        if (hasE(res.Text) && (p.CoordC.X != p.Coord.X || p.CoordC.Y != p.Coord.Y))
            res = readOnce(2);
        if (res.Failure == StoneReadFailure::NoDigits ||
            (res.Failure == StoneReadFailure::NoDigitsFirst && first.Failure == StoneReadFailure::None)) {
            // The first reading found digits; reading again without the
            // loose pixels found none: the strokes of small digits are only
            // a pixel or two wide and go with them. The stone keeps its
            // number rather than becoming a plain stone without a word (or,
            // on a game's first diagram, a number without a digit), and the
            // first reading's question stands.
            res = first;
            p.Typ = typ;
        }
        if (eightDoubt && !confirmsEight(first, res))
            res = first;
        // Read again without its loose pixels, the 2 that the first reading
        // doubted against a 1 only loses more of its arc and base.
        if (oneOrTwoDoubt && readsDoubtAsOne(first, res))
            res = first;
        // A reading again that finds two digits a digit apart where the
        // first found three has lost the middle one: the first reading's
        // question stands rather than a shorter number.
        if (lostDigitGap_ && res.Digits.size() < first.Digits.size())
            res = first;
        // So has one that reads just the digits the first was sure of and
        // drops the one it doubted: the loose pixels it removed were that
        // digit's hairlines (the stem of a serif 5), and what is left of it
        // is too small to be a digit.
        if (lostDoubtedDigit(first, res))
            res = first;
        // A 1 doubted for the bar and stem under it is a 4 whose diagonal
        // heavy ink or a cut took; read again, it loses more and the
        // number a digit: the first reading's question stands.
        if (barDoubt && res.Digits.size() < first.Digits.size())
            res = first;
        // A reading again without the loose pixels that reads a number
        // against a digit the first reading was sure of read what was left
        // of the strokes: pieces of the digits, each passing for a 1 ("9e"
        // again as "11"). The question stands.
        if (contradictsSureDigits(first, res))
            res = first;
        // So does one that reads fewer digits, where the first read a sure
        // digit that no group of it stands on: without the loose pixels the
        // thin strokes of that digit went (a small 1), and what is left of
        // its neighbour passes for another digit ("143" read again as "41").
        if (lostSureDigit(first, firstColumns, res, digitColumns(res)))
            res = first;
    }
    return res;
}

std::vector<std::pair<int32_t, int32_t>> StoneNumberReader::digitColumns(const StoneReadResult& read) const
{
    std::vector<std::pair<int32_t, int32_t>> columns;
    if (read.Failure != StoneReadFailure::None || static_cast<size_t>(groupCount_) != read.Digits.size())
        return columns;
    for (int32_t i = 1; i <= groupCount_; ++i)
        columns.emplace_back(groupBox(i).MinX, groupBox(i).MaxX);
    return columns;
}

bool StoneNumberReader::lostSureDigit(const StoneReadResult& first,
                                      const std::vector<std::pair<int32_t, int32_t>>& firstColumns,
                                      const StoneReadResult& again,
                                      const std::vector<std::pair<int32_t, int32_t>>& againColumns)
{
    if (hasE(again.Text) || again.Digits.size() >= first.Digits.size() || firstColumns.size() != first.Digits.size() ||
        againColumns.size() != again.Digits.size())
        return false;
    for (size_t i = 0; i < first.Digits.size(); ++i) {
        if (first.Digits[i].Rejected)
            continue;
        bool standsOn = false;
        for (const auto& [lo, hi] : againColumns)
            standsOn = standsOn || (lo <= firstColumns[i].second && hi >= firstColumns[i].first);
        if (!standsOn)
            return true;
    }
    return false;
}

bool StoneNumberReader::lostDoubtedDigit(const StoneReadResult& first, const StoneReadResult& again)
{
    if (hasE(again.Text) || again.Digits.empty() || again.Digits.size() >= first.Digits.size())
        return false;
    std::vector<int32_t> sure;
    for (const StoneDigit& d : first.Digits)
        if (!d.Rejected)
            sure.push_back(d.Digit);
    if (sure.size() != again.Digits.size())
        return false;
    for (size_t i = 0; i < sure.size(); ++i)
        if (again.Digits[i].Rejected || again.Digits[i].Digit != sure[i])
            return false;
    return true;
}

bool StoneNumberReader::contradictsSureDigits(const StoneReadResult& first, const StoneReadResult& again)
{
    if (hasE(again.Text) || again.Digits.empty() || again.Failure != StoneReadFailure::None)
        return false;
    // A 1 is the digit a piece of another passes for (the arc of a broken
    // 2): the first reading's 1s do not count against the second.
    const auto sure = [](const StoneDigit& d) { return !d.Rejected && d.Digit != 1; };
    if (again.Digits.size() == first.Digits.size()) {
        for (size_t i = 0; i < first.Digits.size(); ++i)
            if (sure(first.Digits[i]) && first.Digits[i].Digit != again.Digits[i].Digit)
                return true;
        return false;
    }
    // Of another length, the sure digits must still stand in it in order.
    size_t at = 0;
    for (const StoneDigit& d : first.Digits) {
        if (!sure(d))
            continue;
        while (at < again.Digits.size() && again.Digits[at].Digit != d.Digit)
            ++at;
        if (at == again.Digits.size())
            return true;
        ++at;
    }
    return false;
}

bool StoneNumberReader::readsDoubtAsOne(const StoneReadResult& first, const StoneReadResult& again)
{
    if (again.Digits.size() != first.Digits.size())
        return false;
    for (size_t i = 0; i < first.Digits.size(); ++i)
        if (first.Digits[i].Rejected && !again.Digits[i].Rejected && again.Digits[i].Digit == 1)
            return true;
    return false;
}

bool StoneNumberReader::confirmsEight(const StoneReadResult& first, const StoneReadResult& again)
{
    // An 8 without loops was a doubt about the digit itself, not about the
    // cut. Read again without the loose pixels, an 8 whose loops the ink
    // had filled shows them, but a 6 or 5 with an open bowl only loses more
    // of its strokes and reads as another digit. So the second reading
    // stands only where it reads every digit the first was sure of alike
    // and finds an 8 with its loops where the first doubted, or the 6 the
    // doubt was about (a bold serif 6 whose hook the figures of an 8
    // took for an upper loop, read again as a 6 with its bowl).
    if (again.Digits.size() != first.Digits.size() || hasE(again.Text))
        return false;
    for (size_t i = 0; i < first.Digits.size(); ++i) {
        const StoneDigit& a = first.Digits[i];
        const StoneDigit& b = again.Digits[i];
        if (b.Rejected || (b.Digit != (a.Rejected ? 8 : a.Digit) && !(a.Rejected && b.Digit == 6)))
            return false;
    }
    return true;
}

bool StoneNumberReader::recut(Reading&)
{
    CopyWindow(size_, origin_);
    WindowFeatures(size_, nullptr); // the size was checked when the reading began
    return true;
}

StoneReadResult StoneNumberReader::readOnce(int32_t mode)
{
    StoneReadResult out;
    BC& p = currentPoint();
    if (p.Typ == TypUndecided) {
        out.Text = " ? ";
        out.Failure = StoneReadFailure::Undecided;
        return out;
    }
    if (p.Typ != TypBlackNumbered && p.Typ != TypWhiteNumbered) {
        out.Failure = StoneReadFailure::NotNumbered;
        return out;
    }

    size_ = p.Size;
    // The size learned from the stones runs along the middle of their
    // outline, a pixel or so inside the ink; a stone fills its cell, so the
    // window takes in at least the cell, or it cuts off the outline and the
    // edge of a number printed close to it.
    size_.Width = std::max(size_.Width, Reco.CellPitchX);
    size_.Height = std::max(size_.Height, Reco.CellPitchY);
    const IntPoint centre = mode == 2 ? p.Coord : p.CoordC;
    mode_ = mode == 2 ? 1 : mode;
    colour_ = p.Typ;
    origin_ = IntPoint{centre.X - size_.Width / 2, centre.Y - size_.Height / 2};
    const int32_t W = size_.Width;
    const int32_t H = size_.Height;

    Reading r;
    thinHeavy_ = false;
    if (W < MinFeatureSide || H < MinFeatureSide || W > MaxFeatureSide || H > MaxFeatureSide) {
        // A window without features is no reason to stop the diagram: the
        // stone is marked unreadable and the log says why.
        if (Log)
            Log(wrongSizeMessage(size_) + " (" + std::to_string(Reco.CurPointX) + "," +
                std::to_string(Reco.CurPointY) + ")");
        r.fail(StoneReadFailure::WindowSize, "e");
    } else {
        recut(r);
        int32_t n = FindDigits(size_, colour_, mode_, 1);
        if (n == 1 && colour_ == 2 && !isMark(1)) {
            // One group as wide as a number on a white stone: with heavy
            // ink its digits may touch, and the window is read again with
            // its strokes thinned.
            const ComponentBox g = groupBox(1);
            if ((g.MaxX - g.MinX + 1) * 12 / 10 >= g.MaxY - g.MinY) {
                thinHeavy_ = true;
                recut(r);
                n = FindDigits(size_, colour_, mode_, 1);
            }
        }
        if (n == 1 && isMark(1)) {
            // A mark printed on the stone (a triangle, a circle, a square)
            // is no number: the stone is read as one without digits.
            n = 0;
            r.mark = true;
        }
        if (n == 0) {
            if (Reco.DiagramsDone == 0) {
                r.fail(StoneReadFailure::NoDigitsFirst, "ed0");
            } else {
                // On a further diagram a stone without a number was carried
                // over from an earlier one.
                r.fail(StoneReadFailure::NoDigits, "");
                p.Typ = p.Typ == TypBlackNumbered ? TypBlackStatic : TypWhiteStatic;
            }
        } else if (n < 0) {
            r.fail(StoneReadFailure::TooManyGroups, "ed4");
        } else if (n == 1) {
            const ComponentBox first = groupBox(1);
            const int32_t w = first.MaxX - first.MinX;
            const int32_t h = first.MaxY - first.MinY;
            const bool offCentre = std::abs(first.MinX + first.MaxX - W) > W / 10;
            if ((w + 1) * 12 / 10 >= h) {
                // Wide: touching digits, most likely three.
                const int32_t c = CutGroupInThree(size_, colour_);
                if (c != 3)
                    r.fail(StoneReadFailure::WideUncut, "e 1");
                else
                    RecoDigits(r, 3);
                if (hasEOrDash(r.text) || above400(r.text)) {
                    recut(r);
                    FindDigits(size_, colour_, mode_, 1);
                    // A cut that leaves one group has only shaved a sliver
                    // off the digit (the end of a bold 4's bar), and what is
                    // left of it reads as another digit: the group is read
                    // whole below.
                    const int32_t parts = CutDigitGroup(size_, colour_, 1);
                    if (parts >= 2)
                        RecoDigits(r, parts);
                    else
                        r.failCount(parts);
                    if (hasEOrDash(r.text) || r.text.empty() || above400(r.text)) {
                        recut(r);
                        const int32_t fresh = FindDigits(size_, colour_, mode_, 1);
                        if (offCentre)
                            r.fail(StoneReadFailure::CutTooFew, "eee");
                        else
                            RecoDigits(r, fresh);
                    }
                }
            } else if ((w + 1) * 5 / 3 < h) {
                // Very thin: a one, unless it stands off the centre.
                if (offCentre) {
                    r.fail(StoneReadFailure::CutTooFew, "eee");
                } else {
                    matcher_.setLoneGroup(true);
                    RecoDigits(r, 1);
                    matcher_.setLoneGroup(false);
                }
            } else {
                RecoDigits(r, 1);
                // A 4 that lost its diagonal, doubted as a 1 for its bar,
                // is no pair of digits: cut or read again, its stem alone
                // reads as a 1. The question stands.
                const bool fourWithoutDiagonal = barDoubt_;
                if (hasE(r.text) && !fourWithoutDiagonal) {
                    const int32_t c = CutDigitGroup(size_, colour_, 1);
                    if (c > 1)
                        RecoDigits(r, c);
                    else
                        r.failCount(c);
                }
                if (hasE(r.text) && !fourWithoutDiagonal) {
                    recut(r);
                    const int32_t c = FindDigits(size_, colour_, mode_, 1);
                    if (c == 1)
                        RecoDigits(r, CutGroupInThree(size_, colour_));
                    else
                        r.failCount(c);
                }
                if (hasE(r.text) && !fourWithoutDiagonal) {
                    recut(r);
                    RecoDigits(r, FindDigits(size_, colour_, mode_, 1));
                }
            }
        } else {
            RecoDigits(r, n);
        }
    }

    if (r.failure == StoneReadFailure::None && !r.digits.empty() && !r.digits[0].Rejected && r.digits[0].Digit == 0) {
        // No move number begins with a 0: a 0 in front is a digit misread
        // (the bowl of a 9 or a 6 whose hairline tail broke off) or the
        // rest of a number whose first digit was lost. A question.
        r.digits[0] = StoneDigit{-1, true};
        r.text[0] = 'e';
    }
    int32_t after = 0;
    if (r.failure == StoneReadFailure::None && r.digits.size() == 2 && !hasEOrDash(r.text) &&
        lostDigitBetween(after)) {
        // The digits of a number stand close together: two a digit's width
        // apart with pieces of ink between them had a digit between them
        // that broke into pieces too small to be one (a hairline 7 on a
        // black stone). The number has three digits, the middle one asked
        // for.
        r.digits.insert(r.digits.begin() + after, StoneDigit{-1, true});
        r.text.insert(static_cast<size_t>(after), "e");
    }
    int32_t beside = 0;
    if (r.failure == StoneReadFailure::None && !r.digits.empty() && !hasEOrDash(r.text) && leftOverInk(beside)) {
        // Ink left over where a digit may stand: the digits read are not
        // sure to be the number. A piece beside the number may be a digit
        // of its own (a position more, asked for), a piece among the
        // digits belongs to one of its two neighbours (both asked for).
        const auto size = static_cast<int32_t>(r.digits.size());
        if (beside == 0 && size < 3)
            r.digits.insert(r.digits.begin(), StoneDigit{-1, true});
        else if (beside >= size && size < 3)
            r.digits.push_back(StoneDigit{-1, true});
        else {
            r.digits[static_cast<size_t>(std::clamp(beside, 1, size) - 1)] = StoneDigit{-1, true};
            if (beside >= 1 && beside < size)
                r.digits[static_cast<size_t>(beside)] = StoneDigit{-1, true};
        }
        r.text.clear();
        for (const StoneDigit& d : r.digits)
            r.text += d.Rejected ? std::string("e") : std::to_string(d.Digit);
    }
    out.Text = r.text;
    out.Failure = r.failure;
    out.GroupCount = r.count;
    out.Mark = r.mark;
    out.Digits = r.digits;
    if (out.Failure == StoneReadFailure::None && out.Digits.empty()) {
        // Nothing was read although groups were found (a cut left none):
        // an unusable count, shown as such, for an empty text would make
        // the numbered stone a plain one without a word.
        out.Failure = StoneReadFailure::GroupCount;
        out.GroupCount = 0;
        out.Text = "e0";
    }
    for (int k = 1; k <= 3; ++k)
        out.Estdig[static_cast<size_t>(k - 1)] = p.Estdig[k];
    return out;
}

StoneReadResult StoneNumberReader::ReadDigitGroups(IntSize size, IntPoint origin, int32_t colour, int32_t count)
{
    size_ = size;
    origin_ = origin;
    colour_ = colour;
    mode_ = 0;
    Reading r;
    RecoDigits(r, count);
    StoneReadResult out;
    out.Text = r.text;
    out.Failure = r.failure;
    out.GroupCount = r.count;
    out.Digits = r.digits;
    return out;
}

void StoneNumberReader::RecoDigits(Reading& r, int32_t count)
{
    r.clear();
    BC& p = currentPoint();
    bool secondCut = true;
    // A position is cut at most once: a cut that changes nothing would
    // otherwise repeat for ever.
    bool cutAt[4] = {false, false, false, false};
    // Cuts group k; true when it was cut and position k is to be read again
    // (tooFew: fewer than two groups came out of it).
    auto cutOnce = [&](int32_t k, bool& tooFew) {
        cutAt[k] = true;
        bool didCut = false;
        const int32_t c = CutDigitGroup(size_, colour_, k, &didCut);
        if (!didCut)
            return false;
        count = c;
        tooFew = count < 2;
        return true;
    };
    int32_t k = 1;
    while (k <= count && k <= 3) {
        const ComponentBox g = groupBox(k);
        const int32_t w = g.MaxX - g.MinX;
        const int32_t h = g.MaxY - g.MinY;
        if ((w + 1) * 1000 >= h * touchingDigitsAspect() && count == 2 && !cutAt[k]) {
            // A group wider than a digit of this diagram can be, in a
            // two-group number, holds two touching digits.
            bool tooFew = false;
            if (cutOnce(k, tooFew)) {
                if (tooFew) {
                    r.fail(StoneReadFailure::CutTooFew, "eee");
                    return;
                }
                secondCut = false;
                continue;
            }
        }
        int8_t score = 100;
        // The matcher tells small print by the number's tallest digit.
        int32_t tallest = 0;
        for (int32_t i = 1; i <= std::min(count, 3); ++i)
            tallest = std::max(tallest, groupBox(i).MaxY - groupBox(i).MinY);
        matcher_.setNumberHeight(tallest);
        int32_t d = matcher_.RecoDigitGroups(IntSize{w, h}, IntPoint{g.MinX, g.MinY}, score);
        if (tallest < SmallDigitHeight && count >= 2) {
            // The digits of a number stand equally tall; in small print the
            // round top of a 2, 3 or 9 may reach a pixel above the others,
            // and the figures, stretched over that row, miss every bar of
            // the digit by a row. A top row of a pixel or two above every
            // other digit of the number is left out of the digit's box too,
            // and the reading whose digit stands further ahead of every
            // other digit's figures is kept (the 0's round top stays its own).
            int32_t othersTop = std::numeric_limits<int32_t>::max();
            for (int32_t i = 1; i <= std::min(count, 3); ++i)
                if (i != k)
                    othersTop = std::min(othersTop, groupBox(i).MinY);
            int32_t ink = 0;
            for (int32_t x = g.MinX; x <= g.MaxX; ++x)
                ink += (*labels_)[x][g.MinY] / 100 == InkClass ? 1 : 0;
            if (g.MinY + 1 == othersTop && ink <= 2) {
                const int32_t margin = matcher_.runnerUpMargin();
                int8_t lower = 100;
                const int32_t dLower = matcher_.RecoDigitGroups(IntSize{w, h - 1}, IntPoint{g.MinX, g.MinY + 1}, lower);
                if (dLower >= 0 && matcher_.runnerUpMargin() > margin) {
                    d = dLower;
                    score = lower;
                } else {
                    d = matcher_.RecoDigitGroups(IntSize{w, h}, IntPoint{g.MinX, g.MinY}, score);
                }
            }
        }
        p.Estdig[k] = score;
        settledDoubt_ = settledDoubt_ || matcher_.eightWithoutHole();
        barDoubt_ = barDoubt_ || matcher_.oneOverStem();
        // In a slanted diagram a 1 that a figure of a 2 covers nearly as
        // well is an italic 2 whose neck, stood upright, runs as straight
        // as a stem over its base: a question, which a reading again may
        // not settle as a 1.
        const bool oneOrTwo = matcher_.oneOrTwo() && diagramSlant() != 0;
        oneOrTwoDoubt_ = oneOrTwoDoubt_ || oneOrTwo;
        if (d == -1 && count < 3 && h <= 2 * (w + 1) && secondCut && !cutAt[k]) {
            bool tooFew = false;
            if (cutOnce(k, tooFew)) {
                if (tooFew) {
                    r.fail(StoneReadFailure::CutTooFew, "eee");
                    return;
                }
                continue;
            }
        }
        // Light strokes are held to the closer match on a black stone only:
        // there heavy ink eats the white digits down to hairlines, while
        // it thickens the dark digits of a white stone, whose light strokes
        // are the face's own.
        const int32_t doubtful = lightChosen_[static_cast<size_t>(groups_[k])] && colour_ == TypBlackNumbered
                                     ? DoubtfulLightDigitScore
                                     : DoubtfulDigitScore;
        // In a digit of a few pixels the figures of two digits differ by a
        // handful of cells: a small digit whose best figure beats every
        // figure of another digit only narrowly is a question.
        const bool narrow = h < SmallDigitHeight && matcher_.runnerUpMargin() < SmallDigitMargin;
        // A 7 has its bar across the top; a stroke read as 7 without one is
        // a 1 whose flag looked like a bar (a typewriter 1 with its foot, a
        // slanted 1), or a 7 too faint to tell: a question. A light digit's
        // bar is its top row; an ordinary one's may stand a pixel askew.
        const bool barless = d == 7 && !topBar(k, lightChosen_[static_cast<size_t>(groups_[k])] ? 1 : 2);
        // Pieces joined into one digit are no 1: a 1 is one stroke, and a
        // stroke standing over another is the broken arc of another digit.
        const bool pieced = d == 1 && joinedChosen_[static_cast<size_t>(groups_[k])];
        // The digits of a number stand equally tall: a group taller than
        // every other digit of its number by more than a sixth of their
        // height holds more than its digit (a cut left a piece of its
        // neighbour or of the stone's edge on it), and a figure matched over
        // that box reads a stem where there is none.
        bool overTall = false;
        if (count >= 2 && d == 1) {
            int32_t others = 0;
            int32_t othersWide = 0;
            for (int32_t i = 1; i <= std::min(count, 3); ++i)
                if (i != k) {
                    others = std::max(others, groupBox(i).MaxY - groupBox(i).MinY + 1);
                    othersWide = std::max(othersWide, groupBox(i).MaxX - groupBox(i).MinX + 1);
                }
            overTall = others > 0 && (h + 1 - others) * 6 > others && h + 1 - others >= 2 && w + 1 >= othersWide;
        }
        if (d == -1 || barless || pieced || oneOrTwo || overTall ||
            (d >= 0 && (score >= doubtful || narrow))) {
            // A digit whose best figure still misses much of its ink is a
            // doubt, read again like a rejected one; a doubt that stays is
            // shown as "e", so that the user is asked rather than given a
            // guess.
            r.text += "e";
            r.digits.push_back(StoneDigit{-1, true});
        } else if (d < 0) {
            r.text += "-";
            r.digits.push_back(StoneDigit{d, true});
        } else {
            r.text += std::to_string(d);
            r.digits.push_back(StoneDigit{d, false});
        }
        ++k;
    }
    if (count == 3)
        readHalvesAsZero(r);
    for (size_t i = 0; i + 1 < r.digits.size() && static_cast<int32_t>(i) + 2 <= groupCount_; ++i) {
        // Two 1s closer than either is wide that bow away from each other (the
        // left one two pixels further left in its middle row than in its
        // top row, the right one two further right) are the halves of a
        // round digit whose thin top and bottom the print broke, a 0 as two
        // brackets; the stem of a 1 stands where its top is. Both are asked
        // about.
        const ComponentBox& a = groupBox(static_cast<int32_t>(i) + 1);
        const ComponentBox& b = groupBox(static_cast<int32_t>(i) + 2);
        if (r.digits[i].Digit == 1 && r.digits[i + 1].Digit == 1 && !r.digits[i].Rejected &&
            !r.digits[i + 1].Rejected &&
            b.MinX - a.MaxX - 1 <= std::max(1, std::min(a.MaxX - a.MinX, b.MaxX - b.MinX)) &&
            inkEdge(a, a.MinY, true) - inkEdge(a, (a.MinY + a.MaxY) / 2, true) >= 2 &&
            inkEdge(b, (b.MinY + b.MaxY) / 2, false) - inkEdge(b, b.MinY, false) >= 2) {
            r.digits[i] = r.digits[i + 1] = StoneDigit{-1, true};
            r.text[i] = r.text[i + 1] = 'e';
        }
    }
    lostDigitGap_ = false;
    if (count == 2 && r.digits.size() == 2) {
        // Two digits of one number stand close together: a gap between the
        // two groups as wide as the wider of them may be where a digit was
        // lost (a faint middle one taken for loose pixels).
        const ComponentBox a = groupBox(1);
        const ComponentBox b = groupBox(2);
        const int32_t gap = std::max(a.MinX, b.MinX) - std::min(a.MaxX, b.MaxX) - 1;
        lostDigitGap_ = gap >= std::max(a.MaxX - a.MinX, b.MaxX - b.MinX) + 1;
    }
}

// ---- Segmentation --------------------------------------------------------------

int32_t StoneNumberReader::FindDigits(IntSize size, int32_t colour, int32_t mode, int32_t circleFlag)
{
    const int32_t W = std::clamp(size.Width, 0, CutWindowSide);
    const int32_t H = std::clamp(size.Height, 0, CutWindowSide);
    if (circleFlag == 1) {
        DeleteStoneCircle(IntSize{W, H}, colour);
        if (colour == 2 && thinHeavy_)
            ThinHeavyInk(IntSize{W, H});
        // The slant is measured on the ink as grown (light strokes broken
        // at their steps tell it poorly), but taken out of the ink as
        // printed, which grows only once upright: grown while slanted, the
        // gap between the tail of a 6 or 9 and its bowl closed into a loop
        // when the shear brought them together. Whether the strokes are
        // light is told before: standing upright, a slanted stroke shows
        // fewer edge pixels and measures wider than it is.
        const bool light = LightInk(IntSize{W, H}, colour);
        if (light) {
            printed_.assign(static_cast<size_t>(W) * static_cast<size_t>(H), 0);
            for (int32_t x = 1; x <= W; ++x)
                for (int32_t y = 1; y <= H; ++y)
                    printed_[static_cast<size_t>((y - 1) * W + x - 1)] = cut(x, y);
            GrowLightInk(IntSize{W, H}, false);
        }
        const int32_t slant = VoteSlant(IntSize{W, H});
        if (slant != 0) {
            if (light)
                for (int32_t x = 1; x <= W; ++x)
                    for (int32_t y = 1; y <= H; ++y)
                        cut(x, y) = printed_[static_cast<size_t>((y - 1) * W + x - 1)];
            ShearInk(IntSize{W, H}, slant);
            if (light)
                GrowLightInk(IntSize{W, H}, true);
        }
        if (mode == 1)
            RemoveLoosePixels(IntSize{W, H});
    }
    labelWindow(IntSize{W, H});
    lightChosen_.fill(false);
    joinedChosen_.fill(false);
    int32_t found = selectDigits(IntSize{W, H}, circleFlag == 1);
    if (found < 0 && !ThinDigits) {
        // More than three digits are more pieces than a number has: broken
        // hairlines of a scan part a digit where its strokes still touch
        // corner to corner (the halves of a 0, the arc and base of a 2).
        // Labelled by eight neighbours, such pieces are one digit again;
        // what is still more than three stays so, unless halves of a digit
        // stand side by side (see joinHalves). Nothing is learned from this
        // labelling.
        labelWindow(IntSize{W, H}, true);
        found = selectDigits(IntSize{W, H}, false, true);
    }
    if (found == 0 && !ThinDigits && piecesMayJoin(H)) {
        // Light strokes step from pixel to pixel diagonally, where labelling
        // by four neighbours parts them into pieces too small to be digits;
        // when no digit at all was found so, the window is labelled again by
        // eight neighbours, as thin digits are. Its components are not
        // learned from: they may hold dots that touch a digit's corner.
        labelWindow(IntSize{W, H}, true);
        found = selectDigits(IntSize{W, H}, false);
        bool resolved = true;
        for (int32_t i = 1; i <= groupCount_; ++i) {
            lightChosen_[static_cast<size_t>(groups_[i])] = true;
            resolved = resolved && resolvedLightDigit(groupBox(i), H);
        }
        if (!resolved) {
            // Too small to be read from light strokes: the window stays as
            // four neighbours labelled it, with no digit.
            labelWindow(IntSize{W, H});
            lightChosen_.fill(false);
            found = selectDigits(IntSize{W, H}, false);
        }
    }
    if (found == 0 && !ThinDigits && joinBrokenDigits(H)) {
        found = selectDigits(IntSize{W, H}, false);
        for (int32_t i = 1; i <= groupCount_; ++i)
            joinedChosen_[static_cast<size_t>(groups_[i])] = true;
    }
    int32_t lostAt = 0;
    if (circleFlag == 1 && found >= 1 && found < 3 && !ThinDigits && leftOverInk(lostAt)) {
        // A piece of a digit's size that no digit took, beside or between
        // the digits: a digit whose hairline the print broke into pieces
        // that still touch corner to corner. Labelled by eight neighbours
        // they are one digit again; the window as cut from the page is
        // taken so only where that finds one digit more and leaves nothing
        // over.
        const int32_t before = found;
        labelWindow(IntSize{W, H}, true);
        lightChosen_.fill(false);
        found = selectDigits(IntSize{W, H}, false);
        if (found != before + 1 || leftOverInk(lostAt)) {
            labelWindow(IntSize{W, H});
            lightChosen_.fill(false);
            found = selectDigits(IntSize{W, H}, false);
        }
    }
    if (found < 0) {
        lastFound_ = -1;
        return -1;
    }
    if (groupCount_ >= 1) {
        joinDigitPieces(H);
        dropShortGroups();
    }
    if (groupCount_ >= 1 && !ThinDigits && !eightLabelled_ && diagramSlant() == 0) {
        int32_t tallest = 0;
        for (int32_t i = 1; i <= groupCount_; ++i)
            tallest = std::max(tallest, groupBox(i).MaxY - groupBox(i).MinY + 1);
        if (windowStroke100_ > 0 && windowStroke100_ * 7 <= tallest * 100)
            joinCornerPieces(IntSize{W, H});
    }

    if (circleFlag == 1 && groupCount_ >= 2)
        learnDigitShapes();
    lastFound_ = groupCount_;
    return groupCount_;
}

bool StoneNumberReader::piecesMayJoin(int32_t H) const
{
    // Eight neighbours can only join pieces, and only pieces that together
    // hold the ink of a light digit (see lightDigit) can make one.
    int32_t pieces = 0;
    int32_t ink = 0;
    for (int32_t n = 1; n <= counts_[InkClass]; ++n) {
        const int32_t c = components_[InkClass][n].Count;
        pieces += c > 0 ? 1 : 0;
        ink += c;
    }
    return pieces >= 2 && ink * 5 >= 2 * H;
}

bool StoneNumberReader::joinBrokenDigits(int32_t H)
{
    // The hairlines of a light serif face printed small break where they
    // thin out (the arcs of a 3, the bar and bowl of a 5), and no piece is
    // a digit's size: the stone read as one without digits. Digits stand
    // side by side, so pieces that share their columns, one over another a
    // small gap apart, are one digit: they join, the largest taking in the
    // others, and what they make is judged as a digit is. Dots are left
    // out, and so is a joint taller than a number's digits can be (half
    // the stone: they stand in the square inscribed in it).
    const int32_t gapMax = std::max(2, H / 10);
    std::vector<int32_t> pieces;
    for (int32_t n = 1; n <= counts_[InkClass]; ++n)
        if (components_[InkClass][n].Count >= 3)
            pieces.push_back(n);
    if (pieces.size() < 2)
        return false;
    std::vector<size_t> root(pieces.size());
    for (size_t i = 0; i < root.size(); ++i)
        root[i] = i;
    const auto find = [&](size_t i) {
        while (root[i] != i)
            i = root[i] = root[root[i]];
        return i;
    };
    for (size_t i = 0; i < pieces.size(); ++i)
        for (size_t j = i + 1; j < pieces.size(); ++j) {
            const ComponentBox& a = components_[InkClass][pieces[i]];
            const ComponentBox& b = components_[InkClass][pieces[j]];
            const int32_t overlap = columnOverlap(a, b);
            const int32_t narrower = std::min(a.MaxX - a.MinX, b.MaxX - b.MinX) + 1;
            const int32_t gap = std::max(a.MinY, b.MinY) - std::min(a.MaxY, b.MaxY) - 1;
            // The end of an arc (the ball of a 3, a 5's or 2's terminal)
            // stands beside the stroke it broke from rather than over it: a
            // piece a third of the other's ink or less, a small gap from it
            // either way, that leaves the joint box a digit's shape.
            const ComponentBox joint = jointBox(a, b);
            const bool endBeside = std::min(a.Count, b.Count) * 3 <= std::max(a.Count, b.Count) &&
                                   -overlap <= gapMax && gap <= gapMax &&
                                   (joint.MaxX - joint.MinX + 1) * 5 <= (joint.MaxY - joint.MinY + 1) * 4;
            if ((overlap * 2 >= narrower || endBeside) && gap <= gapMax)
                root[find(i)] = find(j);
        }
    bool joined = false;
    for (size_t r = 0; r < pieces.size(); ++r) {
        if (find(r) != r)
            continue;
        ComponentBox all{};
        size_t largest = r;
        int32_t members = 0;
        for (size_t i = 0; i < pieces.size(); ++i)
            if (find(i) == r) {
                const ComponentBox& c = components_[InkClass][pieces[i]];
                all = members == 0 ? c : all;
                if (members > 0)
                    takeIn(all, c);
                if (c.Count > components_[InkClass][pieces[largest]].Count)
                    largest = i;
                ++members;
            }
        if (members < 2 || (all.MaxY - all.MinY + 1) * 2 > H)
            continue;
        for (size_t i = 0; i < pieces.size(); ++i)
            if (find(i) == r && i != largest)
                components_[InkClass][pieces[i]].Count = 0; // taken in
        components_[InkClass][pieces[largest]] = all;
        joined = true;
    }
    return joined;
}

int32_t StoneNumberReader::selectDigits(IntSize size, bool learn, bool halves)
{
    const int32_t W = size.Width;
    const int32_t H = size.Height;
    const int32_t S = ThinDigits ? 15 : 30;
    const int32_t minCount = (W - 1) * S * (H - 1) / 1000;
    groupCount_ = 0;
    // Ordinary digits first; then the light ones (see lightDigit) beside
    // them, or when there are several: a number of light digits. A lone
    // light component may be a piece of a digit that a thin joint parted,
    // and is left unread, unless no other ink lies beside it: then it is a
    // digit of light strokes on its own.
    bool lone = false;
    // The tallest of the components that are digits by their ink (see
    // thinSmallOne).
    int32_t tallest = 0;
    for (int32_t n = 1; n <= counts_[InkClass]; ++n) {
        const ComponentBox& c = components_[InkClass][n];
        if (c.Count > minCount || (c.Count > 0 && lightDigit(c, H)))
            tallest = std::max(tallest, c.MaxY - c.MinY + 1);
    }
    tallestDigit_ = tallest > 0 ? tallest : std::numeric_limits<int32_t>::max();
    // Digits beyond the third, kept to see whether they are halves of one.
    std::vector<int32_t> beyond;
    for (int32_t pass = 1; pass <= 2; ++pass) {
        if (pass == 2 && groupCount_ == 0) {
            int32_t light = 0;
            int32_t pieces = 0;
            bool resolved = false;
            for (int32_t n = 1; n <= counts_[InkClass]; ++n) {
                const ComponentBox& c = components_[InkClass][n];
                if (c.Count > 0 && c.Count <= minCount && (lightDigit(c, H) || thinSmallOne(n, H))) {
                    ++light;
                    resolved = resolvedLightDigit(c, H);
                }
                pieces += c.Count >= 3 ? 1 : 0;
            }
            if (light < 2 && !(light == 1 && pieces == 1 && resolved))
                break;
            lone = light == 1;
        }
        for (int32_t n = 1; n <= counts_[InkClass]; ++n) {
            const ComponentBox& c = components_[InkClass][n];
            if (c.Count == 0)
                continue; // merged into another component
            const int32_t h = c.MaxY - c.MinY;
            // Only a component shaped like a digit tells the digit height: a
            // mark on the stone (a triangle, a circle) is as tall but wider
            // than high, a piece of a grid line or of the outline holds less
            // ink than a digit, and either would raise the mean above every
            // real digit; so would the pieces a cut leaves of a mark, so only
            // a window as cut from the page is learned from.
            if (pass == 1 && learn && beyond.empty() && DigitHeightSamples < 51 && h > H / 2 &&
                c.MaxX - c.MinX <= h && c.Count > minCount) {
                MeanDigitHeight = (MeanDigitHeight * DigitHeightSamples + 100 * h) / (DigitHeightSamples + 1);
                ++DigitHeightSamples;
            }
            const bool sized =
                pass == 1 ? c.Count > minCount : c.Count <= minCount && (lightDigit(c, H) || thinSmallOne(n, H));
            if (sized && h > MeanDigitHeight * 80 / 10000) {
                if (groupCount_ == 3) {
                    beyond.push_back(n);
                    continue;
                }
                int32_t at = groupCount_ + 1;
                for (int32_t i = 1; i <= groupCount_; ++i)
                    if (groupBox(i).MinX > c.MinX) {
                        at = i;
                        break;
                    }
                for (int32_t i = groupCount_; i >= at; --i)
                    groups_[i + 1] = groups_[i];
                groups_[at] = n;
                ++groupCount_;
                if (lone)
                    lightChosen_[static_cast<size_t>(n)] = true;
            }
        }
    }
    if (!beyond.empty() && !(halves && joinHalves(beyond)))
        return -1;
    return groupCount_;
}

void StoneNumberReader::joinCornerPieces(IntSize size)
{
    // A hairline that steps from pixel to pixel aslant touches the rest of
    // its digit only corner to corner, and labelling by four neighbours
    // leaves its pieces out of the digit (the top of a light 6's hook, the
    // top of a 9's bowl, the end of its tail): the digit's box is cut short
    // and the figures miss the stroke. Pieces that touch a digit corner to
    // corner, or a piece that does, join its box, unless they touch two
    // digits, stand above or below the rows of the number's other digits,
    // or would make it taller than half the stone (digits stand in the
    // square inscribed in it). Only where the strokes are hairlines, at
    // most a seventh of the digits' height: in a bolder face pieces
    // touching corner to corner are as often a broken bowl's or the end of
    // a base, whose box a piece makes a row taller or a column wider for
    // another digit's figures (a turned Times-Bold 6 read 4).
    // Nor in a slanted diagram: standing its digits upright steps their
    // strokes, and the pieces a step leaves touching corner to corner are
    // the next digit's as often.
    const int32_t W = size.Width;
    const int32_t H = size.Height;
    const DigitLabelTable& L = *labels_;
    const int32_t n = counts_[InkClass];
    if (n <= groupCount_)
        return; // no piece beside the digits
    // owner[c]: the digit position component c belongs to; 0 none, -1 two
    // (and so every piece it touches).
    std::vector<int32_t> owner(static_cast<size_t>(n) + 1, 0);
    for (int32_t i = 1; i <= groupCount_; ++i)
        owner[static_cast<size_t>(groups_[i])] = i;
    std::vector<bool> isGroup(static_cast<size_t>(n) + 1, false);
    for (int32_t i = 1; i <= groupCount_; ++i)
        isGroup[static_cast<size_t>(groups_[i])] = true;
    // Components that touch corner to corner (a pixel's neighbour aslant
    // to the right of another component), each pair once.
    std::vector<std::pair<int32_t, int32_t>> touching;
    for (int32_t x = 1; x < W; ++x)
        for (int32_t y = 1; y <= H; ++y) {
            if (L[x][y] / 100 != InkClass)
                continue;
            for (int32_t dy : {-1, 1}) {
                const int32_t yy = y + dy;
                if (yy < 1 || yy > H || L[x + 1][yy] / 100 != InkClass)
                    continue;
                const int32_t a = L[x][y] % 100;
                const int32_t b = L[x + 1][yy] % 100;
                if (a != b && a <= n && b <= n &&
                    std::find(touching.begin(), touching.end(), std::pair{std::min(a, b), std::max(a, b)}) ==
                        touching.end())
                    touching.emplace_back(std::min(a, b), std::max(a, b));
            }
        }
    bool changed = !touching.empty();
    while (changed) {
        changed = false;
        for (const auto& [a, b] : touching)
            for (const auto& [from, to] : {std::pair{a, b}, std::pair{b, a}}) {
                const int32_t o = owner[static_cast<size_t>(from)];
                int32_t& t = owner[static_cast<size_t>(to)];
                if (o == 0 || isGroup[static_cast<size_t>(to)] || t == o || t == -1)
                    continue;
                t = t == 0 ? o : -1;
                changed = true;
            }
    }
    for (int32_t c = 1; c <= n; ++c) {
        const int32_t o = owner[static_cast<size_t>(c)];
        if (o <= 0 || isGroup[static_cast<size_t>(c)] || components_[InkClass][c].Count == 0)
            continue;
        ComponentBox& g = components_[InkClass][groups_[o]];
        const ComponentBox& p = components_[InkClass][c];
        const int32_t top = std::min(g.MinY, p.MinY);
        const int32_t bottom = std::max(g.MaxY, p.MaxY);
        if ((bottom - top + 1) * 2 > H)
            continue;
        // Beside other digits, a piece stays within their rows.
        int32_t rowsTop = std::numeric_limits<int32_t>::max();
        int32_t rowsBottom = 0;
        for (int32_t i = 1; i <= groupCount_; ++i)
            if (i != o) {
                rowsTop = std::min(rowsTop, groupBox(i).MinY);
                rowsBottom = std::max(rowsBottom, groupBox(i).MaxY);
            }
        const int32_t slack = std::max(1, (rowsBottom - rowsTop + 1) / 10);
        if (groupCount_ >= 2 && (p.MinY < rowsTop - slack || p.MaxY > rowsBottom + slack))
            continue;
        g.MinX = std::min(g.MinX, p.MinX);
        g.MaxX = std::max(g.MaxX, p.MaxX);
        g.MinY = top;
        g.MaxY = bottom;
    }
}

bool StoneNumberReader::joinHalves(const std::vector<int32_t>& beyond)
{
    // More than three digits: a digit whose thin strokes at top and bottom
    // a scan broke stands in two halves side by side (a 0 as two brackets).
    // Neighbours whose boxes stand at most a pixel apart, each nearly as
    // tall as the two together and at most three fifths of their width,
    // and that together are no wider than high are joined, the closest
    // first, while more than three are left; if that does not bring them down to three, there are
    // more digits than a number has.
    std::vector<int32_t> all;
    for (int32_t i = 1; i <= groupCount_; ++i)
        all.push_back(groups_[i]);
    all.insert(all.end(), beyond.begin(), beyond.end());
    auto& boxes = components_[InkClass];
    std::sort(all.begin(), all.end(), [&](int32_t a, int32_t b) { return boxes[a].MinX < boxes[b].MinX; });
    while (all.size() > 3) {
        size_t best = 0;
        int32_t bestGap = 2;
        for (size_t i = 0; i + 1 < all.size(); ++i) {
            const ComponentBox& a = boxes[all[i]];
            const ComponentBox& b = boxes[all[i + 1]];
            const int32_t gap = b.MinX - a.MaxX - 1;
            const int32_t width = std::max(a.MaxX, b.MaxX) - a.MinX + 1;
            const int32_t height = std::max(a.MaxY, b.MaxY) - std::min(a.MinY, b.MinY) + 1;
            const bool halves = (a.MaxY - a.MinY + 1) * 5 >= height * 4 && (b.MaxY - b.MinY + 1) * 5 >= height * 4 &&
                                (a.MaxX - a.MinX + 1) * 5 <= width * 3 && (b.MaxX - b.MinX + 1) * 5 <= width * 3;
            // Halves of a digit leave its counter open between them; two
            // solid digits a pixel apart fill their joint box.
            const bool open = (a.Count + b.Count) * 10 <= width * height * 6;
            if (gap >= 0 && gap < bestGap && width <= height && halves && open) {
                bestGap = gap;
                best = i + 1;
            }
        }
        if (best == 0)
            return false;
        ComponentBox& a = boxes[all[best - 1]];
        const ComponentBox& b = boxes[all[best]];
        a.MinX = std::min(a.MinX, b.MinX);
        a.MaxX = std::max(a.MaxX, b.MaxX);
        a.MinY = std::min(a.MinY, b.MinY);
        a.MaxY = std::max(a.MaxY, b.MaxY);
        a.Count += b.Count;
        all.erase(all.begin() + static_cast<std::ptrdiff_t>(best));
    }
    groupCount_ = static_cast<int32_t>(all.size());
    for (int32_t i = 1; i <= groupCount_; ++i)
        groups_[i] = all[static_cast<size_t>(i - 1)];
    return true;
}

bool StoneNumberReader::readHalvesAsZero(Reading& r)
{
    // On a black stone the white 0 of a serif face thins at top and bottom
    // until it parts into two brackets, each read as a 1 or doubted. They
    // are told from two real digits by how a 0 is built: the halves stand
    // at the same rows, each bows out in its middle away from the other
    // with both its ends turned back toward it (a 1's foot or flag reaches
    // out at one end only), they leave the 0's counter open between them,
    // and together they are no wider than the number's other digit, read
    // sure, and a quarter of it (two digits side by side are twice as
    // wide). The figures are not asked: over the open gaps they find no
    // hole and take the halves for an 8.
    if (groupCount_ != 3 || r.digits.size() != 3 || r.failure != StoneReadFailure::None)
        return false;
    const auto halfRead = [](const StoneDigit& d) { return d.Rejected || d.Digit == 1; };
    for (int32_t i = 1; i <= 2; ++i) {
        const int32_t o = i == 1 ? 3 : 1;
        const StoneDigit& other = r.digits[static_cast<size_t>(o - 1)];
        if (!halfRead(r.digits[static_cast<size_t>(i - 1)]) || !halfRead(r.digits[static_cast<size_t>(i)]) ||
            other.Rejected || other.Digit == 1 || other.Digit < 0)
            continue;
        const ComponentBox& a = groupBox(i);
        const ComponentBox& b = groupBox(i + 1);
        const ComponentBox& c = groupBox(o);
        ComponentBox joint = a;
        joint.MinX = std::min(a.MinX, b.MinX);
        joint.MaxX = std::max(a.MaxX, b.MaxX);
        joint.MinY = std::min(a.MinY, b.MinY);
        joint.MaxY = std::max(a.MaxY, b.MaxY);
        const int32_t width = joint.MaxX - joint.MinX + 1;
        const int32_t height = joint.MaxY - joint.MinY + 1;
        // A face's digits differ in width by a fifth or so (a serif 0 is
        // wider than its 8); two digits side by side are twice as wide.
        const int32_t otherWidth = c.MaxX - c.MinX + 1;
        if (width > otherWidth + std::max(1, otherWidth / 4) || (a.MaxX - a.MinX + 1) * 3 > width * 2 ||
            (b.MaxX - b.MinX + 1) * 3 > width * 2 || std::abs(a.MinY - b.MinY) * 8 > height ||
            std::abs(a.MaxY - b.MaxY) * 8 > height)
            continue;
        const int32_t bow = std::max(2, height / 10);
        const int32_t aMid = inkEdge(a, (a.MinY + a.MaxY) / 2, true);
        const int32_t bMid = inkEdge(b, (b.MinY + b.MaxY) / 2, false);
        if (inkEdge(a, a.MinY, true) - aMid < bow || inkEdge(a, a.MaxY, true) - aMid < bow ||
            bMid - inkEdge(b, b.MinY, false) < bow || bMid - inkEdge(b, b.MaxY, false) < bow)
            continue;
        // The tips of each half, its top and bottom rows, reach its inner
        // edge: they point at the other half across the gap.
        if (inkEdge(a, a.MinY, false) + 1 < a.MaxX || inkEdge(a, a.MaxY, false) + 1 < a.MaxX ||
            inkEdge(b, b.MinY, true) > b.MinX + 1 || inkEdge(b, b.MaxY, true) > b.MinX + 1)
            continue;
        // Between them the 0's counter stands open, a fifth of its width
        // at least in its middle row; the solid halves of a heavy digit
        // split down its middle stand a pixel apart.
        const int32_t mid = (joint.MinY + joint.MaxY) / 2;
        if ((inkEdge(b, mid, true) - inkEdge(a, mid, false) - 1) * 5 < width)
            continue;
        ComponentBox& kept = components_[InkClass][groups_[i]];
        joint.Count = a.Count + b.Count;
        kept = joint;
        for (int32_t k = i + 1; k < groupCount_; ++k)
            groups_[k] = groups_[k + 1];
        --groupCount_;
        r.digits.erase(r.digits.begin() + i);
        r.digits[static_cast<size_t>(i - 1)] = StoneDigit{0, false};
        r.text.clear();
        for (const StoneDigit& g : r.digits)
            r.text += g.Rejected ? std::string("e") : std::to_string(g.Digit);
        return true;
    }
    return false;
}

bool StoneNumberReader::lightDigit(const ComponentBox& c, int32_t H) const
{
    // The area gate is sized for an ordinary digit; the small digits of a
    // three-digit number, and above all its narrow "1", hold less ink. Such
    // a component still is a digit when it is as tall as a digit can be (a
    // fifth of the stone at least), no wider than high, and a stroke at
    // least two pixels wide (one with thin digits) over its height.
    const int32_t w = c.MaxX - c.MinX + 1;
    const int32_t h = c.MaxY - c.MinY + 1;
    const int32_t stroke = ThinDigits ? 1 : 2;
    return h * 5 >= H && w <= h && c.Count >= stroke * h;
}

bool StoneNumberReader::thinSmallOne(int32_t n, int32_t H) const
{
    // In small print a "1" is a stroke of one pixel with a flag and a foot
    // of a few: on a black stone, its white stem eaten from both sides, it
    // holds less ink than two pixels over its height, and the number lost
    // its 1 ("e03" for 103). Such a component is a digit when it is as tall
    // as the number's other digits, no wider than high, and its middle rows
    // (from a third of its height to three quarters) hold a stem at most
    // two pixels wide that stands straight: a piece of a broken bowl or
    // arc bends.
    const ComponentBox& c = components_[InkClass][n];
    const int32_t w = c.MaxX - c.MinX + 1;
    const int32_t h = c.MaxY - c.MinY + 1;
    if (ThinDigits || h - 1 >= SmallDigitHeight || h * 5 < H || w > h || c.Count < h || h < tallestDigit_)
        return false;
    const DigitLabelTable& L = *labels_;
    int32_t lo = c.MaxX;
    int32_t hi = c.MinX;
    for (int32_t y = c.MinY + (h + 2) / 3; y <= c.MinY + 3 * (h - 1) / 4; ++y) {
        int32_t left = 0;
        int32_t right = 0;
        for (int32_t x = c.MinX; x <= c.MaxX; ++x)
            if (L[x][y] == 100 * InkClass + n) {
                left = left == 0 ? x : left;
                right = x;
            }
        if (left == 0 || right - left > 1)
            return false;
        lo = std::min(lo, left);
        hi = std::max(hi, left);
    }
    return hi - lo <= 1;
}

bool StoneNumberReader::resolvedLightDigit(const ComponentBox& c, int32_t H) const
{
    // A digit read from light strokes alone, with no ordinary digit beside
    // it to vouch for its size, must be as tall as a number's digits are
    // printed: a quarter of the stone at least. A shorter one is a digit of
    // a few pixels (a small page) whose one-pixel strokes every figure
    // covers alike, or a piece of one.
    return (c.MaxY - c.MinY + 1) * 4 >= H;
}

int32_t StoneNumberReader::inkEdge(const ComponentBox& g, int32_t y, bool left) const
{
    const DigitLabelTable& L = *labels_;
    if (left) {
        for (int32_t x = g.MinX; x <= g.MaxX; ++x)
            if (L[x][y] / 100 == InkClass)
                return x;
        return g.MaxX + 1;
    }
    for (int32_t x = g.MaxX; x >= g.MinX; --x)
        if (L[x][y] / 100 == InkClass)
            return x;
    return g.MinX - 1;
}

bool StoneNumberReader::topBar(int32_t k, int32_t rows) const
{
    // Three quarters of the group's columns have its own ink in its top
    // row (or rows: a bar a pixel askew on a turned page).
    const ComponentBox& g = groupBox(k);
    const DigitLabelTable& L = *labels_;
    int32_t ink = 0;
    for (int32_t x = g.MinX; x <= g.MaxX; ++x) {
        bool inked = false;
        for (int32_t y = g.MinY; y < g.MinY + rows && y <= g.MaxY && !inked; ++y)
            inked = L[x][y] == 100 * InkClass + groups_[k];
        ink += inked ? 1 : 0;
    }
    return ink * 4 >= (g.MaxX - g.MinX + 1) * 3;
}

bool StoneNumberReader::isMark(int32_t k) const
{
    // A lone group wider than high whose largest hole spans most of it both
    // ways is the outline of a mark. Touching digits are as wide, but each
    // of their holes lies within one digit, under half of the group's width.
    const ComponentBox& g = groupBox(k);
    const int32_t w = g.MaxX - g.MinX + 1;
    const int32_t h = g.MaxY - g.MinY + 1;
    if (w <= h)
        return false;
    for (int32_t n = 1; n <= counts_[PaperClass]; ++n) {
        const ComponentBox& p = components_[PaperClass][n];
        if (p.Count == 0 || p.MinX <= g.MinX || p.MaxX >= g.MaxX || p.MinY <= g.MinY || p.MaxY >= g.MaxY)
            continue;
        if ((p.MaxX - p.MinX + 1) * 2 >= w && (p.MaxY - p.MinY + 1) * 2 >= h)
            return true;
    }
    return false;
}

void StoneNumberReader::joinDigitPieces(int32_t H)
{
    // Digits stand side by side. A thin joint of a serif digit (the
    // diagonal of a "2", the flag of a "5") can part it into pieces that lie
    // one over the other within the digit's columns; such a piece, chosen
    // as a group or too small to be one, is part of the digit beside whose
    // columns it lies, and its box joins that digit's box (the matcher reads
    // every ink pixel of the box). The piece may also stand just above or
    // below every digit, as the bar of a lone "5" over its bowl or the base
    // of a lone "2" under its neck: a piece at least half as wide as the
    // digit, a small gap away (or reaching into the digit's own rows and
    // hanging at most that gap below the others, as the ball and lower arc
    // of a bold serif "3" that meet the rest corner to corner), that leaves
    // the digit no taller than two thirds of the stone joins it too.
    // Nothing else stands there: numbers are one row of digits.
    int32_t tallest = 0;
    for (int32_t i = 1; i <= groupCount_; ++i)
        tallest = std::max(tallest, groupBox(i).MaxY - groupBox(i).MinY);
    const auto isDigit = [&](int32_t i) { return (groupBox(i).MaxY - groupBox(i).MinY) * 5 >= tallest * 3; };
    int32_t top = std::numeric_limits<int32_t>::max();
    int32_t bottom = 0;
    for (int32_t i = 1; i <= groupCount_; ++i)
        if (isDigit(i)) {
            top = std::min(top, groupBox(i).MinY);
            bottom = std::max(bottom, groupBox(i).MaxY);
        }
    const int32_t slack = std::max(1, tallest / 10);
    const int32_t gapMax = std::max(2, tallest / 8);
    for (int32_t n = 1; n <= counts_[InkClass]; ++n) {
        ComponentBox& c = components_[InkClass][n];
        if (c.Count < 3)
            continue;
        const bool inRows = c.MinY >= top - slack && c.MaxY <= bottom + slack;
        int32_t self = 0;
        for (int32_t i = 1; i <= groupCount_; ++i)
            if (groups_[i] == n)
                self = i;
        const int32_t cw = c.MaxX - c.MinX + 1;
        if (self != 0 && isDigit(self)) {
            // Two groups of a digit's height whose columns overlap by a
            // third of the narrower are no two digits, which stand side by
            // side: they are the halves of one that a hairline parted
            // aslant (the stroke and the bowl of a light italic 6), and join
            // where the joint box is no wider than high.
            for (int32_t i = self + 1; i <= groupCount_; ++i) {
                const ComponentBox& g = components_[InkClass][groups_[i]];
                const ComponentBox joint = jointBox(c, g);
                if (!isDigit(i) || columnOverlap(c, g) * 3 < std::min(cw, g.MaxX - g.MinX + 1) ||
                    joint.MaxX - joint.MinX > joint.MaxY - joint.MinY)
                    continue;
                takeIn(c, g);
                for (int32_t j = i; j < groupCount_; ++j)
                    groups_[j] = groups_[j + 1];
                --groupCount_;
                break;
            }
            continue;
        }
        for (int32_t i = 1; i <= groupCount_; ++i) {
            if (i == self || !isDigit(i))
                continue;
            ComponentBox& g = components_[InkClass][groups_[i]];
            const int32_t overlap = columnOverlap(g, c);
            // A group short of a digit's height that stands against a
            // digit's side, within the digits' rows, is a stroke the
            // threshold parted from it (the stem of a "5" under its bar),
            // not a "1".
            const bool against = self != 0 && overlap >= -1 && inRows;
            if (overlap * 2 < cw && !against)
                continue;
            if (!inRows) {
                const int32_t gap = c.MinY > g.MaxY ? c.MinY - g.MaxY - 1 : g.MinY - c.MaxY - 1;
                const int32_t joined = std::max(g.MaxY, c.MaxY) - std::min(g.MinY, c.MinY) + 1;
                // A piece reaching into the digit's rows may only hang
                // below them, by a small gap's height at most.
                const bool hangs = c.MinY >= top - slack && c.MaxY <= bottom + gapMax;
                if ((gap < 0 && !hangs) || gap > gapMax || cw * 2 < g.MaxX - g.MinX + 1 || joined * 3 > H * 2)
                    continue;
            }
            takeIn(g, c);
            if (self != 0) {
                for (int32_t j = self; j < groupCount_; ++j)
                    groups_[j] = groups_[j + 1];
                --groupCount_;
            }
            break;
        }
    }
}

void StoneNumberReader::dropShortGroups()
{
    // The digits of one number stand equally tall. A group short of three
    // fifths of the tallest (what joinDigitPieces takes for no digit), after
    // the pieces of broken digits have joined theirs, is a piece that stayed
    // apart (the arc of a "2" whose hairline broke off its base); read alone
    // it passes for a confident "1". It is no digit: its ink is left over,
    // and a reading that leaves ink over is a question (see leftOverInk).
    int32_t tallest = 0;
    for (int32_t i = 1; i <= groupCount_; ++i)
        tallest = std::max(tallest, groupBox(i).MaxY - groupBox(i).MinY);
    const auto isDigit = [&](const ComponentBox& b) { return (b.MaxY - b.MinY) * 5 >= tallest * 3; };
    int32_t top = std::numeric_limits<int32_t>::max();
    int32_t bottom = 0;
    for (int32_t i = 1; i <= groupCount_; ++i)
        if (isDigit(groupBox(i))) {
            top = std::min(top, groupBox(i).MinY);
            bottom = std::max(bottom, groupBox(i).MaxY);
        }
    // First the pieces of one digit that a broken hairline parted one over
    // the other (the flag and stem of a "1" over its foot, the arc of a "2"
    // over its base) join again: pieces within one another's columns, a
    // small gap apart, within the digits' rows.
    const int32_t slack = std::max(1, tallest / 10);
    const int32_t gapMax = std::max(2, tallest / 4);
    for (int32_t i = 1; i <= groupCount_; ++i) {
        ComponentBox& g = components_[InkClass][groups_[i]];
        for (bool grown = true; grown && !isDigit(g);) {
            grown = false;
            for (int32_t n = 1; n <= counts_[InkClass]; ++n) {
                const ComponentBox& c = components_[InkClass][n];
                if (n == groups_[i] || c.Count < 3 || isDigit(c) || c.MinY < top - slack || c.MaxY > bottom + slack)
                    continue;
                if (c.MinY >= g.MinY && c.MaxY <= g.MaxY && c.MinX >= g.MinX && c.MaxX <= g.MaxX)
                    continue; // taken already
                const int32_t overlap = std::min(g.MaxX, c.MaxX) - std::max(g.MinX, c.MinX) + 1;
                const int32_t narrower = std::min(g.MaxX - g.MinX, c.MaxX - c.MinX) + 1;
                const int32_t gap = c.MinY > g.MaxY ? c.MinY - g.MaxY - 1 : g.MinY - c.MaxY - 1;
                if (overlap * 2 < narrower || gap < 0 || gap > gapMax)
                    continue;
                takeIn(g, c);
                grown = true;
            }
        }
    }
    int32_t kept = 0;
    for (int32_t i = 1; i <= groupCount_; ++i)
        if (isDigit(groupBox(i)))
            groups_[++kept] = groups_[i];
    groupCount_ = kept;
}

bool StoneNumberReader::leftOverInk(int32_t& beside) const
{
    // Every piece of ink of a number belongs to one of its digits. A piece
    // of a digit's size or a good part of one, among the digits or just
    // beside them in their rows, that no digit took, is a digit lost or
    // broken apart: whatever was read without it may be another number.
    // `beside` tells where it lies: 0 left of the first digit, k between
    // digits k and k + 1, the count right of the last.
    beside = 0;
    if (groupCount_ < 1)
        return false;
    int32_t top = std::numeric_limits<int32_t>::max();
    int32_t bottom = 0;
    int32_t tallest = 0;
    int32_t widest = 0;
    int32_t least = std::numeric_limits<int32_t>::max();
    for (int32_t i = 1; i <= groupCount_; ++i) {
        const ComponentBox& g = groupBox(i);
        top = std::min(top, g.MinY);
        bottom = std::max(bottom, g.MaxY);
        tallest = std::max(tallest, g.MaxY - g.MinY + 1);
        widest = std::max(widest, g.MaxX - g.MinX + 1);
        least = std::min(least, g.Count);
    }
    const int32_t left = groupBox(1).MinX - widest;
    const int32_t right = groupBox(groupCount_).MaxX + widest;
    for (int32_t n = 1; n <= counts_[InkClass]; ++n) {
        const ComponentBox& c = components_[InkClass][n];
        if (c.Count < 3 || c.Count * 4 < least || (c.MaxY - c.MinY + 1) * 4 < tallest)
            continue;
        if (c.MaxY < top || c.MinY > bottom || c.MaxX < left || c.MinX > right)
            continue;
        bool inGroup = false;
        for (int32_t i = 1; i <= groupCount_ && !inGroup; ++i) {
            const ComponentBox& g = groupBox(i);
            inGroup = c.MinX >= g.MinX && c.MaxX <= g.MaxX && c.MinY >= g.MinY && c.MaxY <= g.MaxY;
        }
        if (inGroup)
            continue;
        const int32_t centre = c.MinX + c.MaxX;
        beside = 0;
        for (int32_t i = 1; i <= groupCount_; ++i)
            if (centre > groupBox(i).MinX + groupBox(i).MaxX)
                beside = i;
        return true;
    }
    return false;
}

bool StoneNumberReader::lostDigitBetween(int32_t& after) const
{
    // Two digits whose gap is as wide as the wider of them and two thirds
    // of their height (room for a digit and the spaces beside it; a space
    // between digits is a fraction of one), with pieces of ink in the gap
    // within their rows.
    if (groupCount_ != 2)
        return false;
    const ComponentBox& a = groupBox(1);
    const ComponentBox& b = groupBox(2);
    const int32_t gap = b.MinX - a.MaxX - 1;
    const int32_t widest = std::max(a.MaxX - a.MinX, b.MaxX - b.MinX) + 1;
    const int32_t tallest = std::max(a.MaxY - a.MinY, b.MaxY - b.MinY) + 1;
    if (gap < widest || gap * 3 < tallest * 2)
        return false;
    const int32_t top = std::min(a.MinY, b.MinY);
    const int32_t bottom = std::max(a.MaxY, b.MaxY);
    for (int32_t n = 1; n <= counts_[InkClass]; ++n) {
        const ComponentBox& c = components_[InkClass][n];
        if (c.Count >= 3 && c.MinX > a.MaxX && c.MaxX < b.MinX && c.MinY >= top && c.MaxY <= bottom) {
            after = 1;
            return true;
        }
    }
    return false;
}

void StoneNumberReader::learnDigitShapes()
{
    // The groups of a number printed apart are single digits, unless one is
    // plainly wider than this diagram's digits (two digits that touch). The
    // start value counts as two groups, so that the first numbers of a
    // diagram move it only part of the way.
    for (int32_t k = 1; k <= groupCount_; ++k) {
        if (DigitAspectSamples >= 50)
            return;
        const ComponentBox& g = groupBox(k);
        const int32_t h = g.MaxY - g.MinY;
        if (h < 2)
            continue;
        const int32_t aspect = (g.MaxX - g.MinX + 1) * 1000 / h;
        if (aspect > 2 * MeanDigitAspect)
            continue;
        const int32_t weight = DigitAspectSamples + 2;
        MeanDigitAspect = (MeanDigitAspect * weight + aspect) / (weight + 1);
        ++DigitAspectSamples;
    }
}

void StoneNumberReader::labelWindow(IntSize size) { labelWindow(size, ThinDigits); }

void StoneNumberReader::labelWindow(IntSize size, bool eightNeighbours)
{
    const int32_t W = std::clamp(size.Width, 0, CutWindowSide);
    const int32_t H = std::clamp(size.Height, 0, CutWindowSide);
    DigitLabelTable& L = *labels_;
    counts_[PaperClass] = counts_[InkClass] = 0;
    eightLabelled_ = eightNeighbours;
    const int step = eightNeighbours ? 1 : 2;

    // One raster pass with in-place renaming. While the pass runs, more
    // components can be open than the window finally holds (the teeth of a
    // comb join only at its back), so the pass numbers them without limit
    // and the numbers are made compact afterwards.
    // The working labels have a border of 0 (no class) left, right and on
    // top, so a neighbour off the window never matches and needs no test.
    const size_t stride = static_cast<size_t>(W) + 2;
    const auto at = [stride](int32_t x, int32_t y) { return static_cast<size_t>(y) * stride + static_cast<size_t>(x); };
    work_.assign(stride * (static_cast<size_t>(std::max(H, 0)) + 1), 0);
    for (auto& b : boxes_)
        b.clear();
    int32_t issued[3] = {0, 0, 0};
    auto extend = [](ComponentBox& b, int32_t x, int32_t y) {
        b.MinX = std::min(b.MinX, x);
        b.MaxX = std::max(b.MaxX, x);
        b.MinY = std::min(b.MinY, y);
        b.MaxY = std::max(b.MaxY, y);
    };
    // A working label is class + 4 x number.
    for (int32_t y = 1; y <= H; ++y)
        for (int32_t x = 1; x <= W; ++x) {
            const int32_t cls = (cut(x, y) > 0 ? 1 : 0) + 1;
            std::vector<ComponentBox>& boxes = boxes_[static_cast<size_t>(cls)];
            int32_t label = 0;
            for (int i = 0; i < 4; i += step) {
                const int32_t nl = work_[at(x + NeighbourDX[i], y + NeighbourDY[i])];
                if ((nl & 3) != cls)
                    continue;
                if (label == 0) {
                    label = nl;
                    work_[at(x, y)] = label;
                    ComponentBox& b = boxes[static_cast<size_t>(label / 4)];
                    // Taken from the left neighbour, whose row and columns
                    // the box already holds, the box can only grow right.
                    if (i == 0)
                        b.MaxX = std::max(b.MaxX, x);
                    else
                        extend(b, x, y);
                    ++b.Count;
                } else if (nl != label) {
                    // Two components meet here: the larger number joins the
                    // smaller. Its pixels lie within its box, at most down to
                    // this row (it may reach this pixel only from the row
                    // above).
                    const int32_t keep = std::min(label, nl);
                    const int32_t gone = std::max(label, nl);
                    ComponentBox& kb = boxes[static_cast<size_t>(keep / 4)];
                    ComponentBox& gb = boxes[static_cast<size_t>(gone / 4)];
                    for (int32_t yy = std::min(gb.MaxY, y); yy >= gb.MinY; --yy)
                        for (int32_t xx = gb.MinX; xx <= gb.MaxX; ++xx)
                            if (work_[at(xx, yy)] == gone)
                                work_[at(xx, yy)] = keep;
                    kb.Count += gb.Count;
                    extend(kb, gb.MinX, gb.MinY);
                    extend(kb, gb.MaxX, gb.MaxY);
                    gb = ComponentBox{};
                    if (gone / 4 == issued[cls])
                        --issued[cls];
                    label = keep;
                }
            }
            if (label == 0) {
                const int32_t n = ++issued[cls];
                if (boxes.size() <= static_cast<size_t>(n))
                    boxes.resize(static_cast<size_t>(n) + 1);
                boxes[static_cast<size_t>(n)] = ComponentBox{x, x, y, y, 1};
                label = cls + 4 * n;
                work_[at(x, y)] = label;
            }
        }

    // Numbers 1..99 per class in the order the pass issued them; beyond that
    // a pixel keeps its class but belongs to no component (no digit, no hole).
    for (int32_t cls = PaperClass; cls <= InkClass; ++cls) {
        std::vector<ComponentBox>& boxes = boxes_[static_cast<size_t>(cls)];
        std::vector<int32_t>& number = numbers_[static_cast<size_t>(cls)];
        number.assign(boxes.size(), 0);
        for (size_t n = 1; n < boxes.size() && static_cast<int32_t>(n) <= issued[cls]; ++n)
            if (boxes[n].Count > 0 && counts_[cls] < MaxComponentsPerClass) {
                number[n] = ++counts_[cls];
                components_[cls][counts_[cls]] = boxes[n];
            }
    }
    for (int32_t y = 1; y <= H; ++y)
        for (int32_t x = 1; x <= W; ++x) {
            const int32_t w = work_[at(x, y)];
            const int32_t cls = w & 3;
            L[x][y] = 100 * cls + numbers_[static_cast<size_t>(cls)][static_cast<size_t>(w >> 2)];
        }
}

void StoneNumberReader::DeleteStoneCircle(IntSize size, int32_t colour)
{
    const int32_t W = size.Width;
    const int32_t H = size.Height;
    const double e = (W + 1) / 2.0;
    const double f = H / 2.0;
    auto g = [e, f](int32_t x, int32_t y) { return (x - e) * (x - e) / (e * e) + (y - f) * (y - f) / (f * f); };
    const int32_t est = currentPoint().Est;
    if (colour == 2) {
        if (est < 90 && FitWhiteStoneOutline(size))
            return;
        // The rows of the square inscribed in the stone hold the number;
        // its columns do not limit it, for a number of three digits is wider
        // than that square: at the sides the ellipse alone keeps the
        // outline out.
        const double r = std::sqrt(2.0) / 2.0;
        const double gmax = est >= 92 ? 0.75 : 0.8;
        const auto ylo = static_cast<int32_t>(std::nearbyint(f * (1 - r)));
        const auto yhi = static_cast<int32_t>(std::nearbyint(f * (1 + r)));
        for (int32_t x = 1; x <= W; ++x)
            for (int32_t y = 1; y <= H; ++y)
                if (!(y >= ylo && y <= yhi && g(x, y) <= gmax))
                    cut(x, y) = 0;
    } else {
        for (int32_t x = 1; x <= W; ++x)
            for (int32_t y = 1; y <= H; ++y)
                cut(x, y) = g(x, y) <= 0.85 ? static_cast<int16_t>(1 - (cut(x, y) > 0 ? 1 : 0)) : int16_t{0};
    }
}

bool StoneNumberReader::FitWhiteStoneOutline(IntSize size)
{
    const int32_t W = size.Width;
    const int32_t H = size.Height;
    auto ink = [W, H](int32_t x, int32_t y) { return x >= 1 && x <= W && y >= 1 && y <= H && cut(x, y) > 0; };

    int32_t top = H;
    for (int32_t n = 40; n >= 20; n -= 5) {
        int32_t found = 0;
        for (int32_t x = std::max(1, W * n / 100); x <= std::min(W, W * (100 - n) / 100); ++x) {
            int32_t y = H / 2;
            while (y >= 1 && ink(x, y))
                --y;
            if (H / 10 < y && y < 3 * H / 10 && y <= top) {
                if (top - y < 2)
                    ++found;
                top = y;
            }
        }
        if (found > 0)
            break;
    }
    int32_t bottom = 0;
    for (int32_t n = 40; n >= 20; n -= 5) {
        int32_t found = 0;
        for (int32_t x = std::max(1, W * n / 100); x <= std::min(W, W * (100 - n) / 100); ++x) {
            int32_t y = H / 2;
            while (y < H && ink(x, y))
                ++y;
            if (7 * H / 10 < y && y < 9 * H / 10 && y >= bottom) {
                if (y - bottom < 2)
                    ++found;
                bottom = y;
            }
        }
        if (found > 0)
            break;
    }
    if (top == H || bottom == 0)
        return false;

    const int32_t c = (top + bottom) / 2;
    const int32_t d = W / 10;
    auto rows = [&](int32_t x, int32_t lo, int32_t hi) {
        int32_t s = 0;
        for (int32_t y = std::max(1, lo); y <= std::min(H, hi); ++y)
            s += ink(x, y) ? 1 : 0;
        return s;
    };
    // Which band of the column holds the outline: 1 in the middle rows, 2
    // and 3 further out; 0 none.
    auto band = [&](int32_t x) {
        if (rows(x, c - d, c + d) > d)
            return 1;
        if (rows(x, c - 2 * d, c - d) + rows(x, c + d, c + 2 * d) > d)
            return 2;
        if (rows(x, c - 3 * d, c - 2 * d) + rows(x, c + 2 * d, c + 3 * d) > d)
            return 3;
        return 0;
    };
    int32_t left = -6;
    for (int32_t x = 1; x <= W / 10; ++x) {
        const int b = band(x);
        if (b != 0) {
            left = b == 1 ? x : (b == 2 ? -2 : -4);
            break;
        }
    }
    int32_t right = W + 6;
    for (int32_t x = W; x >= 9 * W / 10 && x >= 1; --x) {
        const int b = band(x);
        if (b != 0) {
            right = b == 1 ? x : (b == 2 ? W + 2 : W + 4);
            break;
        }
    }
    const double a = (right - left + 1) / 2.0;
    const double cx = (right + left + 1) / 2.0;
    const double b = H / 2.0;
    for (int32_t x = 1; x <= W; ++x)
        for (int32_t y = 1; y <= H; ++y) {
            if (y < top || y > bottom) {
                cut(x, y) = 0;
                continue;
            }
            const double gx = (x - cx) / a;
            const double gy = (y - H / 2.0) / b;
            if (gx * gx + gy * gy > 0.8)
                cut(x, y) = 0;
        }
    return true;
}

void StoneNumberReader::RemoveLoosePixels(IntSize size)
{
    const int32_t W = size.Width;
    const int32_t H = size.Height;
    for (int32_t x = 2; x <= W - 1; ++x)
        for (int32_t y = 2; y <= H - 1; ++y) {
            if (cut(x, y) <= 0)
                continue;
            int paper = 0;
            for (int i = 0; i < 8; ++i)
                paper += cut(x + NeighbourDX[i], y + NeighbourDY[i]) > 0 ? 0 : 1;
            if (paper >= 5)
                cut(x, y) = 0;
        }
}

namespace {
// Ink of the cut window at (x, y), nothing outside W x H.
bool cutInk(int32_t W, int32_t H, int32_t x, int32_t y) { return x >= 1 && x <= W && y >= 1 && y <= H && cut(x, y) > 0; }

// The mean stroke width of the cut window's ink in hundredths of a pixel:
// a stroke is about twice its area over its edge wide. 0 without ink.
int32_t strokeWidth100(int32_t W, int32_t H)
{
    int32_t area = 0;
    int32_t edge = 0;
    for (int32_t x = 1; x <= W; ++x)
        for (int32_t y = 1; y <= H; ++y)
            if (cutInk(W, H, x, y)) {
                ++area;
                if (!cutInk(W, H, x - 1, y) || !cutInk(W, H, x + 1, y) || !cutInk(W, H, x, y - 1) ||
                    !cutInk(W, H, x, y + 1))
                    ++edge;
            }
    return edge == 0 ? 0 : 200 * area / edge;
}

// Whether the cut window's ink is strokes of one pixel: fewer than half of
// its pixels lie in a square of two by two ink pixels (a stroke two pixels
// wide is made of such squares; one pixel wide, it holds them only where
// it steps aside or meets another).
bool onePixelStrokes(int32_t W, int32_t H)
{
    int32_t area = 0;
    int32_t square = 0;
    const auto inSquare = [W, H](int32_t x, int32_t y) {
        for (int32_t dx = -1; dx <= 0; ++dx)
            for (int32_t dy = -1; dy <= 0; ++dy)
                if (cutInk(W, H, x + dx, y + dy) && cutInk(W, H, x + dx + 1, y + dy) &&
                    cutInk(W, H, x + dx, y + dy + 1) && cutInk(W, H, x + dx + 1, y + dy + 1))
                    return true;
        return false;
    };
    for (int32_t x = 1; x <= W; ++x)
        for (int32_t y = 1; y <= H; ++y)
            if (cutInk(W, H, x, y)) {
                ++area;
                square += inSquare(x, y) ? 1 : 0;
            }
    return area > 0 && square * 2 < area;
}
} // namespace

void StoneNumberReader::ThinHeavyInk(IntSize size)
{
    const int32_t W = size.Width;
    const int32_t H = size.Height;
    auto ink = [W, H](int32_t x, int32_t y) { return cutInk(W, H, x, y); };
    const int32_t stroke100 = strokeWidth100(W, H);
    if (stroke100 == 0)
        return;
    // Ink printed
    // heavier (every mark a pixel bolder on each side) widens the strokes to
    // a tenth of the stone or more, closes the gaps between digits and
    // between a digit and the outline, and fills the figures. The width
    // alone does not tell heavy ink from a bold face, whose strokes come as
    // wide, so this is tried only where the digits ran into one group (see
    // readOnce). Strokes that wide lose their outer pixels once, and stay
    // at least two pixels wide.
    if (stroke100 < 400 || stroke100 * 100 < HeavyStrokePerMille * H * 10)
        return;
    std::vector<std::pair<int32_t, int32_t>> rim;
    for (int32_t x = 1; x <= W; ++x)
        for (int32_t y = 1; y <= H; ++y)
            if (ink(x, y) && (!ink(x - 1, y) || !ink(x + 1, y) || !ink(x, y - 1) || !ink(x, y + 1)))
                rim.emplace_back(x, y);
    for (const auto& [x, y] : rim)
        cut(x, y) = 0;
}

void StoneNumberReader::ThickenLightInk(IntSize size, int32_t colour)
{
    if (LightInk(size, colour))
        GrowLightInk(size, false);
}

bool StoneNumberReader::LightInk(IntSize size, int32_t colour)
{
    const int32_t H = size.Height;
    const int32_t stroke100 = strokeWidth100(size.Width, H);
    windowStroke100_ = stroke100;
    if (stroke100 == 0)
        return false;
    // A light face printed small has strokes of one or two pixels: its
    // diagonals step from pixel to pixel by their corners, so that labelling
    // by four neighbours breaks them, a digit holds too little ink for the
    // size gate, loose-pixel removal eats it, and a figure's centre line a
    // pixel off its stroke misses it altogether. Strokes that light for
    // the digits' height (a bold face's digits narrowed to fit three on a
    // stone have strokes as thin, but they are small digits) grow by a
    // pixel on every side, as a bolder face prints them; only where that
    // joins no two pieces, so that digits standing apart stay apart.
    //
    // Heavy ink also leaves the white digits of a black stone light, eaten
    // from both sides into broken strokes; grown, their pieces read as
    // digits they are not. The face shows in the dark digits of the white
    // stones, which heavy ink makes bolder, never lighter: a black stone's
    // digits grow only when the white stones of the diagram have shown a
    // light face.
    bool light = stroke100 <= 250;
    int32_t tallest = 0;
    if (light) {
        labelWindow(size, true);
        for (int32_t n = 1; n <= counts_[InkClass]; ++n) {
            const ComponentBox& c = components_[InkClass][n];
            if (c.Count > 0)
                tallest = std::max(tallest, c.MaxY - c.MinY + 1);
        }
        // Ink taller than half the stone is no number's (digits stand in
        // the square inscribed in it, with room above and below).
        if (tallest * 2 > H)
            return false;
        // Strokes of one pixel and of two measure alike (every pixel is on
        // their edge), so the eighth of the height is itself light. Where
        // one-pixel strokes meet they make a thicker joint, and their
        // measure goes a little over two pixels: strokes that are one pixel
        // wide nearly everywhere are taken at two.
        light = stroke100 * 1000 <= LightStrokePerMille * tallest * 100 ||
                (200 * 1000 <= LightStrokePerMille * tallest * 100 && onePixelStrokes(size.Width, H));
    }
    if (colour == 2)
        LightFaceVotes += light ? 1 : -1;
    return light && (colour == 2 || LightFaceVotes > 0);
}

void StoneNumberReader::GrowLightInk(IntSize size, bool relabel)
{
    const int32_t W = size.Width;
    const int32_t H = size.Height;
    auto ink = [W, H](int32_t x, int32_t y) { return cutInk(W, H, x, y); };
    if (relabel)
        labelWindow(size, true);
    const DigitLabelTable& L = *labels_;
    // The holes of small digits would close: only the paper around the
    // digits (what reaches the window's edge) takes ink.
    std::vector<bool> outside(static_cast<size_t>(MaxComponentsPerClass) + 1, false);
    for (int32_t x = 1; x <= W; ++x)
        for (int32_t y = 1; y <= H; ++y)
            if ((x == 1 || x == W || y == 1 || y == H) && L[x][y] / 100 == PaperClass)
                outside[static_cast<size_t>(L[x][y] % 100)] = true;
    // A pixel takes ink beside ink that was there, one at a time, and only
    // where it joins no two pieces and closes no paper off (the ink round it
    // is one piece, the paper round it one region): a gap between two
    // digits, or between the tail of a "6" and its bowl, stays open.
    const auto at = [W](int32_t x, int32_t y) { return static_cast<size_t>(y - 1) * static_cast<size_t>(W) + static_cast<size_t>(x - 1); };
    std::vector<char> was(static_cast<size_t>(W) * static_cast<size_t>(H), 0);
    for (int32_t x = 1; x <= W; ++x)
        for (int32_t y = 1; y <= H; ++y)
            was[at(x, y)] = ink(x, y) ? 1 : 0;
    const auto wasInk = [&](int32_t x, int32_t y) { return x >= 1 && x <= W && y >= 1 && y <= H && was[at(x, y)] != 0; };
    for (int32_t y = 1; y <= H; ++y)
        for (int32_t x = 1; x <= W; ++x) {
            if (ink(x, y) || !outside[static_cast<size_t>(L[x][y] % 100)] ||
                !(wasInk(x - 1, y) || wasInk(x + 1, y) || wasInk(x, y - 1) || wasInk(x, y + 1)))
                continue;
            bool n[3][3];
            for (int32_t dx = -1; dx <= 1; ++dx)
                for (int32_t dy = -1; dy <= 1; ++dy)
                    n[dx + 1][dy + 1] = ink(x + dx, y + dy);
            if (pieceCount(n, true) == 1 && pieceCount(n, false) == 1)
                cut(x, y) = 1;
        }
}

int32_t StoneNumberReader::MeasureSlant(IntSize size) const
{
    const int32_t W = size.Width;
    const int32_t H = size.Height;
    // The slant that stands the strokes upright: sheared by it, the ink
    // piles up in the fewest columns (the sides of a 0, the stem of a 1,
    // 4 or 7 each in one column), which the sum of the squared column
    // counts measures.
    int32_t best = 0;
    int64_t bestPeak = -1;
    std::vector<int32_t> columns(static_cast<size_t>(2 * W + 2), 0);
    // The ink's columns row by row, found once for every slant.
    std::vector<int32_t> inkX;
    std::vector<size_t> rowEnd(static_cast<size_t>(std::max(H, 0)) + 1, 0);
    for (int32_t y = 1; y <= H; ++y) {
        for (int32_t x = 1; x <= W; ++x)
            if (cut(x, y) > 0)
                inkX.push_back(x);
        rowEnd[static_cast<size_t>(y)] = inkX.size();
    }
    for (int32_t slant = -SlantStep * 2; slant <= MaxDigitSlant; slant += SlantStep) {
        std::fill(columns.begin(), columns.end(), 0);
        for (int32_t y = 1; y <= H; ++y) {
            const int32_t shift = slantShift(slant, y, H);
            for (size_t i = rowEnd[static_cast<size_t>(y) - 1]; i < rowEnd[static_cast<size_t>(y)]; ++i) {
                const int32_t c = std::clamp(inkX[i] + shift + W / 2, 0, 2 * W + 1);
                ++columns[static_cast<size_t>(c)];
            }
        }
        int64_t peak = 0;
        for (int32_t c : columns)
            peak += static_cast<int64_t>(c) * c;
        if (peak > bestPeak) {
            bestPeak = peak;
            best = slant;
        }
    }
    return best;
}

int32_t StoneNumberReader::diagramSlant() const
{
    // Upright digits measure a slant of a step or so either way, a 7 or a
    // 2 now and then more; a slanted face leans nearly all its digits. The
    // diagram is slanted when more of its windows lean plainly than stand
    // (and some more, so that the first numbers do not decide alone); the
    // slant taken out is the middle one of the leaning windows.
    int32_t upright = 8;
    int32_t leaning = 0;
    int32_t plain = 0;
    for (size_t i = 0; i < DigitSlants.size(); ++i) {
        const int32_t slant = static_cast<int32_t>(i) * SlantStep - 2 * SlantStep;
        if (slant < MinTakenSlant)
            upright += DigitSlants[i];
        else
            leaning += DigitSlants[i];
        if (slant >= MinTakenSlant + SlantStep)
            plain += DigitSlants[i];
    }
    if (plain <= upright)
        return 0;
    int32_t seen = 0;
    for (size_t i = 0; i < DigitSlants.size(); ++i) {
        const int32_t slant = static_cast<int32_t>(i) * SlantStep - 2 * SlantStep;
        if (slant < MinTakenSlant)
            continue;
        seen += DigitSlants[i];
        if (seen * 2 >= leaning)
            return slant;
    }
    return 0;
}

void StoneNumberReader::UprightSlantedInk(IntSize size)
{
    const int32_t taken = VoteSlant(size);
    if (taken != 0)
        ShearInk(size, taken);
}

int32_t StoneNumberReader::VoteSlant(IntSize size)
{
    const int32_t W = size.Width;
    const int32_t H = size.Height;
    // Slanted digits are read upright: the figures are upright, a slanted
    // stroke misses them, and slanted digits stand over each other's
    // columns so that no clean column parts them. One number's few strokes
    // tell its slant poorly (the diagonal of a 7 or a 2 leans as well), so
    // the diagram's slant decides (see diagramSlant): a slanted face leans
    // all its digits alike.
    int32_t ink = 0;
    for (int32_t x = 1; x <= W; ++x)
        for (int32_t y = 1; y <= H; ++y)
            ink += cut(x, y) > 0 ? 1 : 0;
    if (ink * 50 < W * H)
        return 0;
    const int32_t slant = MeasureSlant(size);
    ++DigitSlants[static_cast<size_t>((slant + 2 * SlantStep) / SlantStep)];
    return diagramSlant();
}

void StoneNumberReader::ShearInk(IntSize size, int32_t taken)
{
    const int32_t W = size.Width;
    const int32_t H = size.Height;
    // Rows move whole, one more column where the shear steps. Ink that
    // joined a row above it only straight up (the thin join of a 5's stem
    // to its bowl) would be left touching it by a corner, which labelling
    // by four neighbours parts: one pixel keeps them joined.
    std::vector<int16_t> was(static_cast<size_t>(W + 2) * static_cast<size_t>(H + 2), 0);
    const auto at = [W](int32_t x, int32_t y) { return static_cast<size_t>(y) * static_cast<size_t>(W + 2) + static_cast<size_t>(x); };
    for (int32_t y = 1; y <= H; ++y)
        for (int32_t x = 1; x <= W; ++x)
            was[at(x, y)] = cut(x, y) > 0 ? 1 : 0;
    for (int32_t y = 1; y <= H; ++y) {
        const int32_t shift = slantShift(taken, y, H);
        for (int32_t x = 1; x <= W; ++x) {
            const int32_t from = x - shift;
            cut(x, y) = from >= 1 && from <= W ? was[at(from, y)] : int16_t{0};
        }
        if (y == 1)
            continue;
        const int32_t above = slantShift(taken, y - 1, H);
        const int32_t step = shift - above;
        if (step == 0)
            continue;
        for (int32_t x = 1; x <= W; ++x) {
            const int32_t to = x + above;
            if (was[at(x, y - 1)] != 0 && was[at(x, y)] != 0 && was[at(x - step, y)] == 0 &&
                was[at(x + step, y - 1)] == 0 && to >= 1 && to <= W)
                cut(to, y) = 1;
        }
    }
}

// ---- Cuts ----------------------------------------------------------------------

bool StoneNumberReader::prepareCut()
{
    // The window as the last segmentation saw it: circle removed, loose
    // pixels gone.
    const DigitLabelTable& L = *labels_;
    for (int32_t x = 1; x <= size_.Width; ++x)
        for (int32_t y = 1; y <= size_.Height; ++y)
            cut(x, y) = static_cast<int16_t>(std::max(0, L[x][y] / 100 - 1));
    return WindowFeatures(size_, nullptr);
}

int32_t StoneNumberReader::CutDigitGroup(IntSize size, int32_t colour, int32_t k, bool* didCut)
{
    if (didCut)
        *didCut = false;
    size_ = size;
    colour_ = colour;
    if (k < 1 || k > groupCount_ || !prepareCut())
        return lastFound_;
    const ComponentBox g = groupBox(k);
    const int32_t q = (g.MaxX - g.MinX) / 6;
    const int32_t lo = std::max(1, g.MinX + q);
    const int32_t hi = std::min(size.Width, g.MaxX - q);
    int32_t best = 0;
    int32_t bestInk = 15;
    for (int32_t x = lo; x <= hi; ++x)
        if (Win.ColumnInk[x] < bestInk) {
            bestInk = Win.ColumnInk[x];
            best = x;
        }
    if (best == 0) {
        bestInk = 100;
        for (int32_t x = lo; x <= hi; ++x)
            if (Win.ColumnMidInk[x] > 30 && Win.ColumnInk[x] < bestInk) {
                bestInk = Win.ColumnInk[x];
                best = x;
            }
    }
    if (best == 0)
        return lastFound_; // no column to cut: the group stays as it is
    for (int32_t y = 1; y <= size.Height; ++y)
        cut(best, y) = 0;
    if (didCut)
        *didCut = true;
    return FindDigits(size, colour, 0, 2);
}

int32_t StoneNumberReader::CutGroupInThree(IntSize size, int32_t colour)
{
    size_ = size;
    colour_ = colour;
    if (groupCount_ < 1 || !prepareCut())
        return lastFound_;
    const ComponentBox g = groupBox(1);
    const int32_t W = size.Width;
    const int32_t t = (g.MaxX - g.MinX) / 3;
    const int32_t s = t * 3 / 5 + 1;
    for (int32_t i = 1; i <= 2; ++i) {
        const int32_t c = g.MinX + i * t;
        const int32_t lo = std::max(1, c - s);
        const int32_t hi = std::min(W, c + s - 1);
        int32_t best = 0;
        int32_t bestInk = 15;
        for (int32_t x = lo; x <= hi; ++x)
            if (Win.ColumnInk[x] < bestInk) {
                bestInk = Win.ColumnInk[x];
                best = x;
            }
        if (best == 0) {
            for (int32_t x = lo; x <= hi; ++x)
                if (Win.ColumnMidInk[x] > 30 && Win.ColumnInk[x] < 100 && (best == 0 || Win.ColumnInk[x] <= bestInk)) {
                    bestInk = Win.ColumnInk[x];
                    best = x;
                }
        }
        int32_t centre = best;
        int32_t width = 1;
        if (best == 0) {
            centre = c - 1;
            width = std::max(1, t / 5);
        }
        // Centre first, then alternately right and left of it.
        for (int32_t j = 0; j < width; ++j) {
            const int32_t off = (j + 1) / 2;
            const int32_t x = j % 2 == 1 ? centre + off : centre - off;
            if (x >= 1 && x <= W)
                for (int32_t y = 1; y <= size.Height; ++y)
                    cut(x, y) = 0;
        }
    }
    return FindDigits(size, colour, 0, 2);
}

// ---- The program's reader ------------------------------------------------------

StoneNumberReader& numberReader()
{
    static StoneNumberReader reader;
    return reader;
}

void resetDigitHeights() { numberReader().resetDigitHeights(); }

} // namespace quon
