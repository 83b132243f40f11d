// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers for the engine tests: scheme files written as drawings, and the board read back
// as drawings of its marks, its colours and its clues.
#pragma once

#include "game.h"
#include "memoryboard.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <string>

namespace enginetest {

using engine::MemoryBoard;
using engine::MemoryBox;

// The lines of a scheme file, each followed by lineEnd.
inline QByteArray schemeFile(std::initializer_list<const char*> lines, const char* lineEnd = "\n")
{
    QByteArray bytes;
    for (const char* line : lines)
        bytes.append(line).append(lineEnd);
    return bytes;
}

// Writes bytes to name inside dir and returns the full path.
inline std::string writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path.toStdString();
}

// A 21 x 21 drawing from its first rows: rows are padded with fill to 21 characters, and
// missing rows are all fill.
inline QByteArray grid(std::initializer_list<const char*> rows, char fill = '.')
{
    QByteArray drawing;
    auto row = rows.begin();
    for (int r = 0; r < engine::GridSize; ++r) {
        QByteArray line = row != rows.end() ? QByteArray(*row++) : QByteArray();
        drawing.append(line.leftJustified(engine::GridSize, fill)).append('\n');
    }
    return drawing;
}

// The marks of the cells: "." for a hidden cell, "_" for a visible cell with an empty mark,
// otherwise the mark itself.
inline QByteArray marksDrawing(const MemoryBoard& board)
{
    QByteArray drawing;
    for (int r = 1; r <= engine::GridSize; ++r) {
        for (int c = 1; c <= engine::GridSize; ++c) {
            const MemoryBox& cell = board.at(engine::cell(r, c));
            const std::string mark = cell.text();
            if (!cell.visibleFlag())
                drawing.append('.');
            else if (mark.empty())
                drawing.append('_');
            else
                drawing.append(mark.size() == 1 ? mark[0] : '?');
        }
        drawing.append('\n');
    }
    return drawing;
}

// The colours of the cells: "w" white, "b" sky blue, "y" yellow, "g" green, "?" anything else;
// upper case for a disabled cell; "." for a hidden cell. A cell whose text colour differs from
// its background while it holds a mark shows "!", since its mark could be read.
inline QByteArray colorsDrawing(const MemoryBoard& board)
{
    QByteArray drawing;
    for (int r = 1; r <= engine::GridSize; ++r) {
        for (int c = 1; c <= engine::GridSize; ++c) {
            const MemoryBox& cell = board.at(engine::cell(r, c));
            char letter = '?';
            switch (cell.color()) {
            case engine::color::White:
                letter = 'w';
                break;
            case engine::color::SkyBlue:
                letter = 'b';
                break;
            case engine::color::Yellow:
                letter = 'y';
                break;
            case engine::color::Green:
                letter = 'g';
                break;
            default:
                break;
            }
            if (!cell.text().empty() && cell.fontColor() != cell.color())
                letter = '!';
            if (!cell.enabledFlag())
                letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
            drawing.append(cell.visibleFlag() ? letter : '.');
        }
        drawing.append('\n');
    }
    return drawing;
}

// The visible clues of every row (or column), one entry per line separated by "/", each entry
// the clue texts in slot order separated by spaces, empty for a hidden line; trailing empty
// entries are left out. A line whose group and label disagree in visibility shows "?".
inline QByteArray cluesSummary(const MemoryBoard& board, bool columns)
{
    QByteArrayList entries;
    for (int line = 1; line <= engine::GridSize; ++line) {
        const int label = columns ? engine::columnLabel(line) : engine::rowLabel(line);
        const bool visible = board.at(label).visibleFlag();
        QByteArrayList clues;
        bool consistent = true;
        for (int k = 1; k <= engine::CluesPerLine; ++k) {
            const MemoryBox& slot
                = board.at(columns ? engine::columnClueSlot(line, k) : engine::rowClueSlot(line, k));
            consistent = consistent && slot.visibleFlag() == visible;
            if (!slot.text().empty())
                clues.append(QByteArray::fromStdString(slot.text()));
        }
        entries.append(!consistent ? QByteArray("?") : visible ? clues.join(' ') : QByteArray());
    }
    while (!entries.isEmpty() && entries.last().isEmpty())
        entries.removeLast();
    return entries.join('/');
}

// The five slot texts of a row or column, in slot order, joined by ",".
inline QByteArray slotTexts(const MemoryBoard& board, bool column, int line)
{
    QByteArrayList texts;
    for (int k = 1; k <= engine::CluesPerLine; ++k) {
        const int n = column ? engine::columnClueSlot(line, k) : engine::rowClueSlot(line, k);
        texts.append(QByteArray::fromStdString(board.at(n).text()));
    }
    return texts.join(',');
}

// A readable failure message for two drawings, row by row, or an empty string when equal.
inline QString drawingDifference(const QByteArray& actual, const QByteArray& expected)
{
    if (actual == expected)
        return {};
    const QByteArrayList got = actual.split('\n');
    const QByteArrayList want = expected.split('\n');
    QString message = QStringLiteral("drawings differ (got | expected):");
    for (qsizetype i = 0; i < std::max(got.size(), want.size()); ++i) {
        const QByteArray a = i < got.size() ? got[i] : QByteArray();
        const QByteArray b = i < want.size() ? want[i] : QByteArray();
        if (a.isEmpty() && b.isEmpty())
            continue;
        message += QStringLiteral("\n  %1 | %2%3")
                       .arg(QString::fromLatin1(a), QString::fromLatin1(b),
                           a == b ? QString() : QStringLiteral("  <-"));
    }
    return message;
}

} // namespace enginetest

#define COMPARE_DRAWING(actual, expected)                                                                    \
    do {                                                                                                     \
        const QString difference = enginetest::drawingDifference((actual), (expected));                      \
        QVERIFY2(difference.isEmpty(), qPrintable(difference));                                              \
    } while (false)
