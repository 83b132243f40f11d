// SPDX-License-Identifier: GPL-3.0-or-later
// A plain in-memory board: 693 boxes in their design state and a record of what the engine
// did to the window parts it drives. The engine's tests and benchmarks play on it, and tools
// that need the engine's own reading of a scheme (its marks, its clues) load schemes into it.
#pragma once

#include "board.h"
#include "layout.h"

#include <array>
#include <string>
#include <vector>

namespace engine {

class MemoryBox : public Box {
public:
    std::string text() const override { return text_; }
    void setText(std::string_view text) override { text_ = std::string(text); }
    bool visibleFlag() const override { return visible_; }
    void setVisibleFlag(bool visible) override { visible_ = visible; }
    bool enabledFlag() const override { return enabled_; }
    void setEnabledFlag(bool enabled) override { enabled_ = enabled; }
    Color color() const override { return color_; }
    void setColor(Color color) override { color_ = color; }
    Color fontColor() const override { return fontColor_; }
    void setFontColor(Color color) override { fontColor_ = color; }
    Bounds bounds() const override { return bounds_; }
    void setBounds(const Bounds& bounds) { bounds_ = bounds; }

private:
    std::string text_;
    bool visible_ = true;
    bool enabled_ = true;
    Color color_ = color::White;
    Color fontColor_ = color::Black;
    Bounds bounds_;
};

// The board as the window is created: cells white, visible, enabled and empty; clue slots
// silver, hidden and empty; line labels silver with grey text, hidden, "1" .. "21". Every box
// stands at its design bounds.
class MemoryBoard : public BoardHost {
public:
    MemoryBoard()
    {
        for (int n = 1; n <= BoxCount; ++n) {
            MemoryBox& box = at(n);
            box.setBounds(layout::designBounds(n));
            const BoxPlace p = place(n);
            if (p.kind == BoxKind::RowClueSlot || p.kind == BoxKind::ColumnClueSlot) {
                box.setColor(color::Silver);
                box.setVisibleFlag(false);
            } else if (p.kind == BoxKind::RowLabel || p.kind == BoxKind::ColumnLabel) {
                box.setColor(color::Silver);
                box.setFontColor(color::Grey);
                box.setVisibleFlag(false);
                box.setText(std::to_string(p.line));
            }
        }
    }

    Box& box(int n) override { return at(n); }
    MemoryBox& at(int n) { return boxes_.at(static_cast<std::size_t>(n - 1)); }
    const MemoryBox& at(int n) const { return boxes_.at(static_cast<std::size_t>(n - 1)); }

    std::string label1Caption() const override { return label1; }
    void setLabel1Caption(std::string_view caption) override { label1.assign(caption); }
    void setLabel4Caption(std::string_view caption) override { label4.assign(caption); }
    void setLabel2Visible(bool visible) override { label2Visible = visible; }
    void setTimer1Enabled(bool enabled) override { timer1Calls.push_back(enabled); }
    bool checkBox1Checked() const override { return checkBox1; }
    void setShape1Bounds(const Bounds& bounds) override { shape1 = bounds; }

    bool timer1Enabled() const { return timer1Calls.empty() || timer1Calls.back(); }

    // The window parts, in their state at start.
    std::string label1 = "0";
    std::string label4;
    bool label2Visible = false;
    std::vector<bool> timer1Calls; // every enable (true) and disable (false), in order
    bool checkBox1 = false;
    Bounds shape1 {layout::GridLeft, layout::GridTop, layout::BoxSize, layout::BoxSize + 3}; // under cell 1

private:
    std::array<MemoryBox, BoxCount> boxes_;
};

} // namespace engine
