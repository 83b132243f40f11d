// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the solver: the line solver against every placement of small lines, and the whole
// solver against brute force on every 4 x 4 drawing.
#include "solver.h"

#include <QTest>

#include <map>

using namespace schemetools;

namespace {

// The runs of a line given as bits, written independently of the library.
Clues bitRuns(unsigned bits, int length)
{
    Clues runs;
    int run = 0;
    for (int i = 0; i < length; ++i) {
        if (bits >> i & 1u) {
            ++run;
        } else if (run) {
            runs.push_back(run);
            run = 0;
        }
    }
    if (run)
        runs.push_back(run);
    return runs;
}

// Line reasoning by brute force: every filling of the line that fits the known cells and the
// clues; a cell is fixed when they all agree. False when none fits.
bool bruteLine(std::vector<CellState>& line, const Clues& clues)
{
    const int n = int(line.size());
    unsigned canFill = 0, canEmpty = 0;
    bool any = false;
    for (unsigned bits = 0; bits < (1u << n); ++bits) {
        bool fits = bitRuns(bits, n) == clues;
        for (int i = 0; i < n && fits; ++i) {
            const bool filled = bits >> i & 1u;
            fits = line[size_t(i)] == CellState::Unknown || (line[size_t(i)] == CellState::Filled) == filled;
        }
        if (!fits)
            continue;
        any = true;
        canFill |= bits;
        canEmpty |= ~bits;
    }
    for (int i = 0; i < n && any; ++i) {
        if (!(canEmpty >> i & 1u))
            line[size_t(i)] = CellState::Filled;
        else if (!(canFill >> i & 1u))
            line[size_t(i)] = CellState::Empty;
    }
    return any;
}

constexpr int Side = 4;

unsigned rowBits(unsigned grid, int r)
{
    return grid >> (r * Side) & 0xFu;
}

unsigned columnBits(unsigned grid, int c)
{
    unsigned bits = 0;
    for (int r = 0; r < Side; ++r)
        bits |= (grid >> (r * Side + c) & 1u) << r;
    return bits;
}

SolverInput inputOf(unsigned grid)
{
    SolverInput input;
    input.width = input.height = Side;
    for (int i = 0; i < Side; ++i) {
        input.rows.push_back(bitRuns(rowBits(grid, i), Side));
        input.columns.push_back(bitRuns(columnBits(grid, i), Side));
    }
    return input;
}

// Line reasoning to a fixed point by brute force: whether it decides the whole grid.
bool bruteLineByLine(const SolverInput& input)
{
    std::vector<CellState> grid(Side * Side, CellState::Unknown);
    for (bool changed = true; changed;) {
        changed = false;
        for (int i = 0; i < 2 * Side; ++i) {
            std::vector<CellState> line;
            for (int k = 0; k < Side; ++k)
                line.push_back(grid[size_t(i < Side ? i * Side + k : k * Side + i - Side)]);
            const std::vector<CellState> before = line;
            bruteLine(line, i < Side ? input.rows[size_t(i)] : input.columns[size_t(i - Side)]);
            for (int k = 0; k < Side; ++k)
                grid[size_t(i < Side ? i * Side + k : k * Side + i - Side)] = line[size_t(k)];
            changed = changed || line != before;
        }
    }
    return std::find(grid.begin(), grid.end(), CellState::Unknown) == grid.end();
}

Bitmap drawingOf(unsigned grid)
{
    Bitmap drawing(Side, Side);
    for (int i = 0; i < Side * Side; ++i)
        drawing.setFilled(i / Side, i % Side, grid >> i & 1u);
    return drawing;
}

unsigned bitsOf(const Bitmap& d)
{
    unsigned bits = 0;
    for (int r = 0; r < Side; ++r) {
        for (int c = 0; c < Side; ++c)
            bits |= unsigned(d.filled(r, c)) << (r * Side + c);
    }
    return bits;
}

} // namespace

class SolverTest : public QObject {
    Q_OBJECT

private slots:
    void lineSolverAgreesWithEveryPlacement();
    void everyFourByFourDrawing();
    void budgetEndsTheSearch();
    void hiddenCellsAreEmpty();
};

void SolverTest::lineSolverAgreesWithEveryPlacement()
{
    // Every line of up to 7 cells in every state of knowledge, with every clue list such a
    // line can have.
    for (int n = 1; n <= 7; ++n) {
        std::map<Clues, int> clueLists;
        for (unsigned bits = 0; bits < (1u << n); ++bits)
            clueLists[bitRuns(bits, n)] = 1;
        int states = 1;
        for (int i = 0; i < n; ++i)
            states *= 3;
        for (int s = 0; s < states; ++s) {
            std::vector<CellState> start;
            for (int i = 0, v = s; i < n; ++i, v /= 3)
                start.push_back(CellState(v % 3));
            for (const auto& [clues, unused] : clueLists) {
                std::vector<CellState> expected = start;
                const bool expectedFits = bruteLine(expected, clues);
                std::vector<CellState> actual = start;
                const bool fits = solveLine(actual, clues);
                QCOMPARE(fits, expectedFits);
                if (fits)
                    QVERIFY2(
                        actual == expected, qPrintable(QStringLiteral("length %1, state %2").arg(n).arg(s)));
            }
        }
    }
}

void SolverTest::everyFourByFourDrawing()
{
    std::map<std::vector<Clues>, int> drawingsWithClues;
    for (unsigned grid = 0; grid < (1u << (Side * Side)); ++grid) {
        const SolverInput input = inputOf(grid);
        std::vector<Clues> key = input.rows;
        key.insert(key.end(), input.columns.begin(), input.columns.end());
        ++drawingsWithClues[key];
    }
    int lineByLine = 0, needsTrial = 0, several = 0;
    for (unsigned grid = 0; grid < (1u << (Side * Side)); ++grid) {
        const SolverInput input = inputOf(grid);
        std::vector<Clues> key = input.rows;
        key.insert(key.end(), input.columns.begin(), input.columns.end());
        const bool unique = drawingsWithClues[key] == 1;
        const SolverResult result = solve(input);
        // Told the drawing, the solver looks only for another picture: same verdict.
        const Bitmap drawing = drawingOf(grid);
        const SolverResult against = solve(input, DefaultNodeBudget, &drawing);
        QCOMPARE(against.solvability, result.solvability);
        QCOMPARE(against.pictures.front(), drawing);
        if (against.solvability == Solvability::Several) {
            QVERIFY(against.pictures[1] != drawing);
            QCOMPARE(inputOf(bitsOf(against.pictures[1])).rows, input.rows);
            QCOMPARE(inputOf(bitsOf(against.pictures[1])).columns, input.columns);
        }
        const QString tag = QStringLiteral("drawing %1").arg(grid, 4, 16, QLatin1Char('0'));
        switch (result.solvability) {
        case Solvability::LineByLine:
        case Solvability::NeedsTrial:
            QVERIFY2(unique, qPrintable(tag));
            QCOMPARE(result.pictures.size(), size_t(1));
            QCOMPARE(bitsOf(result.pictures[0]), grid);
            QCOMPARE(result.solvability == Solvability::LineByLine, bruteLineByLine(input));
            ++(result.solvability == Solvability::LineByLine ? lineByLine : needsTrial);
            break;
        case Solvability::Several:
            QVERIFY2(!unique, qPrintable(tag));
            QCOMPARE(result.pictures.size(), size_t(2));
            QVERIFY(result.pictures[0] != result.pictures[1]);
            for (const Bitmap& picture : result.pictures)
                QVERIFY(inputOf(bitsOf(picture)).rows == input.rows
                    && inputOf(bitsOf(picture)).columns == input.columns);
            ++several;
            break;
        default:
            QFAIL(qPrintable(tag + QStringLiteral(": no verdict")));
        }
    }
    // Every kind of verdict is met among the 65,536 drawings.
    QVERIFY(lineByLine > 0 && needsTrial > 0 && several > 0);
}

void SolverTest::budgetEndsTheSearch()
{
    // Two runs of 1 on a diagonal: two pictures fit, and only a guess finds them.
    const SolverInput input = inputOf(0b1000'0100'0010'0001);
    QCOMPARE(solve(input).solvability, Solvability::Several);
    const SolverResult stopped = solve(input, 1);
    QCOMPARE(stopped.solvability, Solvability::Undecided);
    QCOMPARE(stopped.nodes, 1L);
}

void SolverTest::hiddenCellsAreEmpty()
{
    // Row clue 1 over three cells, the first and last hidden: only the middle one is left.
    SolverInput input;
    input.width = 3;
    input.height = 1;
    input.rows = {{1}};
    input.columns = {{}, {1}, {}};
    input.fixedEmpty = {true, false, true};
    const SolverResult result = solve(input);
    QCOMPARE(result.solvability, Solvability::LineByLine);
    QCOMPARE(result.pictures[0].rows(), std::vector<std::string> {"-#-"});
    input.columns = {{1}, {}, {}};
    QCOMPARE(solve(input).solvability, Solvability::NoPicture);
}

QTEST_GUILESS_MAIN(SolverTest)
#include "tst_solver.moc"
