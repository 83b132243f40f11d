// SPDX-License-Identifier: GPL-3.0-or-later
// The scheme being drawn, its undo history, and its puzzle loaded by the engine.
#include "editordocument.h"

#include <QUndoCommand>

namespace editor {

namespace {

constexpr int GridSize = engine::GridSize;

// One undo step: the cell changes before and after it.
class EditCommand : public QUndoCommand {
public:
    EditCommand(
        EditorDocument& document, const CellEdits& before, const CellEdits& after, const QString& text)
        : QUndoCommand(text)
        , document_(document)
        , before_(before)
        , after_(after)
    {
    }
    // An undo or redo in the middle of a stroke ends the stroke where it stands.
    void undo() override
    {
        document_.dropStroke();
        document_.applyEdits(before_);
    }
    void redo() override
    {
        document_.dropStroke();
        document_.applyEdits(after_);
    }

private:
    EditorDocument& document_;
    CellEdits before_;
    CellEdits after_;
};

} // namespace

EditorDocument::EditorDocument(QObject* parent)
    : QObject(parent)
{
    newScheme();
}

void EditorDocument::reset(std::string bytes, const QString& filePath)
{
    stroke_.reset();
    text_ = SchemeText(std::move(bytes));
    filePath_ = filePath;
    undo_.clear();
    edits_.fill(0);
    applyEdits(edits_);
}

void EditorDocument::newScheme()
{
    stroke_.reset();
    text_ = SchemeText();
    filePath_.clear();
    undo_.clear();
    edits_.fill(0);
    applyEdits(edits_);
}

void EditorDocument::markSaved(const QString& filePath)
{
    filePath_ = filePath;
    undo_.setClean();
}

CellKind EditorDocument::kind(int cell) const
{
    const engine::SchemeCell& c = drawing_[static_cast<std::size_t>(cell)];
    switch (c.kind) {
    case engine::SchemeChar::Missing:
    case engine::SchemeChar::Keep:
        return CellKind::Keep;
    case engine::SchemeChar::Hole:
        return CellKind::Hole;
    case engine::SchemeChar::Mark:
        break;
    }
    return c.mark == '#' ? CellKind::Filled : c.mark == '-' ? CellKind::Blank : CellKind::Other;
}

char EditorDocument::mark(int cell) const
{
    return drawing_[static_cast<std::size_t>(cell)].mark;
}

void EditorDocument::applyEdits(const CellEdits& edits)
{
    edits_ = edits;
    bytes_ = text_.withEdits(edits_);
    // The drawing and the puzzle come from the engine's own reading of the bytes Save writes,
    // so the editor shows exactly what the game will.
    drawing_ = schemetools::parseScheme(bytes_);
    puzzle_ = schemetools::loadPuzzle(drawing_);
    emit changed();
}

void EditorDocument::change(const CellEdits& after, const QString& text)
{
    if (after == edits_)
        return;
    undo_.push(new EditCommand(*this, edits_, after, text));
}

void EditorDocument::setCell(int cell, bool filled, const QString& text)
{
    if (this->filled(cell) == filled)
        return;
    CellEdits after = edits_;
    after[static_cast<std::size_t>(cell)] = filled ? '#' : '-';
    change(after, text);
}

void EditorDocument::toggleCell(int cell)
{
    setCell(cell, !filled(cell),
        filled(cell) ? QStringLiteral("Cancella casella") : QStringLiteral("Colora casella"));
}

std::vector<bool> EditorDocument::picture() const
{
    std::vector<bool> cells(engine::CellCount);
    for (int i = 0; i < engine::CellCount; ++i)
        cells[static_cast<std::size_t>(i)] = filled(i);
    return cells;
}

CellEdits EditorDocument::editsFor(const std::vector<bool>& picture) const
{
    // Only the cells whose picture state changes are written, so holes, marks and "=" that
    // stay outside the picture are kept.
    CellEdits after = edits_;
    for (int i = 0; i < engine::CellCount; ++i) {
        const bool want = picture[static_cast<std::size_t>(i)];
        if (want != filled(i))
            after[static_cast<std::size_t>(i)] = want ? '#' : '-';
    }
    return after;
}

void EditorDocument::clear()
{
    change(editsFor(std::vector<bool>(engine::CellCount, false)), QStringLiteral("Cancella tutto"));
}

void EditorDocument::shift(int rows, int columns)
{
    const std::vector<bool> now = picture();
    std::vector<bool> moved(engine::CellCount, false);
    for (int r = 0; r < GridSize; ++r) {
        for (int c = 0; c < GridSize; ++c) {
            const int from = r - rows;
            const int fromColumn = c - columns;
            if (from >= 0 && from < GridSize && fromColumn >= 0 && fromColumn < GridSize)
                moved[static_cast<std::size_t>(r * GridSize + c)]
                    = now[static_cast<std::size_t>(from * GridSize + fromColumn)];
        }
    }
    change(editsFor(moved), QStringLiteral("Sposta"));
}

void EditorDocument::mirror()
{
    const std::vector<bool> now = picture();
    std::vector<bool> mirrored(engine::CellCount, false);
    for (int r = 0; r < GridSize; ++r) {
        for (int c = 0; c < GridSize; ++c)
            mirrored[static_cast<std::size_t>(r * GridSize + c)]
                = now[static_cast<std::size_t>(r * GridSize + GridSize - 1 - c)];
    }
    change(editsFor(mirrored), QStringLiteral("Rifletti"));
}

void EditorDocument::setPicture(const std::vector<bool>& picture, const QString& text)
{
    change(editsFor(picture), text);
}

void EditorDocument::beginStroke(bool filled)
{
    stroke_ = Stroke {filled, edits_};
}

void EditorDocument::strokeCell(int cell)
{
    if (!stroke_ || filled(cell) == stroke_->filled)
        return;
    CellEdits after = edits_;
    after[static_cast<std::size_t>(cell)] = stroke_->filled ? '#' : '-';
    applyEdits(after);
}

void EditorDocument::endStroke()
{
    if (!stroke_)
        return;
    const Stroke stroke = *stroke_;
    stroke_.reset();
    if (edits_ == stroke.before)
        return;
    // Pushing runs the command's redo, which sets the edits the stroke already made.
    undo_.push(new EditCommand(
        *this, stroke.before, edits_, stroke.filled ? QStringLiteral("Colora") : QStringLiteral("Cancella")));
}

} // namespace editor
