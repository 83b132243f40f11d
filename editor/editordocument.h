// SPDX-License-Identifier: GPL-3.0-or-later
// The scheme being drawn: its file, the teacher's cell changes with their undo history, and the
// puzzle as the game would show it (loaded by the engine through schemetools after every change).
#pragma once

#include "schemetext.h"

#include "puzzle.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <optional>

namespace editor {

// What a cell of the file holds, as the editor shows it.
enum class CellKind {
    Filled, // "#": a picture cell
    Blank, // "-"
    Hole, // "°": hidden from the start
    Keep, // "=", or nothing (line or file too short): hidden, no mark
    Other, // any other byte: a mark the game shows as it is
};

class EditorDocument : public QObject {
    Q_OBJECT

public:
    explicit EditorDocument(QObject* parent = nullptr);

    // The file's bytes with the changes written in; what Save writes.
    const std::string& bytes() const { return bytes_; }
    const schemetools::Puzzle& puzzle() const { return puzzle_; }
    CellKind kind(int cell) const;
    // The byte of an Other cell.
    char mark(int cell) const;
    bool filled(int cell) const { return kind(cell) == CellKind::Filled; }
    const CellEdits& edits() const { return edits_; }
    const SchemeText& text() const { return text_; }

    QUndoStack& undoStack() { return undo_; }
    // Changes since the last open, new or save.
    bool isModified() const { return !undo_.isClean(); }
    // The file the scheme was opened from or saved to; empty for a new one.
    const QString& filePath() const { return filePath_; }

    // Starts over on an empty 21 x 21 drawing, or on the bytes of a file.
    void reset(std::string bytes, const QString& filePath);
    void newScheme();
    // Marks the current state as saved to filePath.
    void markSaved(const QString& filePath);

    // Changes, each one undo step named text; a change that changes nothing records nothing.
    void setCell(int cell, bool filled, const QString& text);
    void toggleCell(int cell);
    // Every picture cell made blank.
    void clear();
    // The picture moved by one cell (cells leaving the grid are lost).
    void shift(int rows, int columns);
    void mirror();
    // The picture replaced by picture (whose size is at most 21 x 21), placed at the top left.
    void setPicture(const std::vector<bool>& picture, const QString& text);

    // A stroke of the mouse: cells change at once, and the whole stroke is one undo step.
    void beginStroke(bool filled);
    void strokeCell(int cell);
    void endStroke();
    bool inStroke() const { return stroke_.has_value(); }
    // Forgets the stroke under way without recording it; its cells stay as they are.
    void dropStroke() { stroke_.reset(); }

    // Applies edits without recording them (for the undo history).
    void applyEdits(const CellEdits& edits);

signals:
    // The cells, and so the puzzle, changed.
    void changed();

private:
    // Records the change from the current edits to after as one undo step.
    void change(const CellEdits& after, const QString& text);
    // The edits that make the picture cells exactly those of picture (441 cells).
    CellEdits editsFor(const std::vector<bool>& picture) const;
    std::vector<bool> picture() const;

    SchemeText text_;
    CellEdits edits_ {};
    std::string bytes_;
    engine::SchemeDrawing drawing_ {};
    schemetools::Puzzle puzzle_;
    QUndoStack undo_;
    QString filePath_;
    struct Stroke {
        bool filled = true;
        CellEdits before {};
    };
    std::optional<Stroke> stroke_;
};

} // namespace editor
