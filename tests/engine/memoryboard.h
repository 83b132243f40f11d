// A plain in-memory board for the engine's tests and benchmark: 693 boxes in their design
// state and a record of what the engine did to the window parts it drives.
#pragma once

#include "board.h"

#include <array>
#include <string>
#include <vector>

namespace enginetest {

class MemoryBox : public engine::Box {
public:
    std::string text() const override { return text_; }
    void setText(std::string_view text) override { text_ = std::string(text); }
    bool visibleFlag() const override { return visible_; }
    void setVisibleFlag(bool visible) override { visible_ = visible; }
    bool enabledFlag() const override { return enabled_; }
    void setEnabledFlag(bool enabled) override { enabled_ = enabled; }
    engine::Color color() const override { return color_; }
    void setColor(engine::Color color) override { color_ = color; }
    engine::Color fontColor() const override { return fontColor_; }
    void setFontColor(engine::Color color) override { fontColor_ = color; }
    engine::Bounds bounds() const override { return bounds_; }
    void setBounds(const engine::Bounds& bounds) { bounds_ = bounds; }

private:
    std::string text_;
    bool visible_ = true;
    bool enabled_ = true;
    engine::Color color_ = engine::color::White;
    engine::Color fontColor_ = engine::color::Black;
    engine::Bounds bounds_;
};

// The board as the window is created: cells white, visible, enabled and empty; clue slots
// silver, hidden and empty; line labels silver with grey text, hidden, "1" .. "21". Every box
// is 20 x 20 at its design position.
class MemoryBoard : public engine::BoardHost {
public:
    MemoryBoard()
    {
        using namespace engine;
        for (int r = 1; r <= GridSize; ++r) {
            for (int c = 1; c <= GridSize; ++c)
                at(cell(r, c)).setBounds({286 + 23 * (c - 1), 144 + 22 * (r - 1), 20, 20});
            for (int k = 1; k <= CluesPerLine; ++k) {
                makeSlot(rowClueSlot(r, k), {165 + 23 * (k - 1), 144 + 22 * (r - 1), 20, 20});
                makeSlot(columnClueSlot(r, k), {286 + 23 * (r - 1), 29 + 22 * (k - 1), 20, 20});
            }
            makeLabel(rowLabel(r), r, {770, 144 + 22 * (r - 1), 20, 20});
            makeLabel(columnLabel(r), r, {286 + 23 * (r - 1), 607, 20, 20});
        }
    }

    engine::Box& box(int n) override { return at(n); }
    MemoryBox& at(int n) { return boxes_.at(static_cast<std::size_t>(n - 1)); }
    const MemoryBox& at(int n) const { return boxes_.at(static_cast<std::size_t>(n - 1)); }

    std::string label1Caption() const override { return label1; }
    void setLabel1Caption(std::string_view caption) override { label1.assign(caption); }
    void setLabel4Caption(std::string_view caption) override { label4.assign(caption); }
    void setLabel2Visible(bool visible) override { label2Visible = visible; }
    void setTimer1Enabled(bool enabled) override { timer1Calls.push_back(enabled); }
    bool checkBox1Checked() const override { return checkBox1; }
    void setShape1Bounds(const engine::Bounds& bounds) override { shape1 = bounds; }

    bool timer1Enabled() const { return timer1Calls.empty() || timer1Calls.back(); }

    // The window parts, in their state at start.
    std::string label1 = "0";
    std::string label4;
    bool label2Visible = false;
    std::vector<bool> timer1Calls; // every enable (true) and disable (false), in order
    bool checkBox1 = false;
    engine::Bounds shape1 {286, 144, 20, 23};

private:
    void makeSlot(int n, const engine::Bounds& bounds)
    {
        MemoryBox& slot = at(n);
        slot.setColor(engine::color::Silver);
        slot.setVisibleFlag(false);
        slot.setBounds(bounds);
    }
    void makeLabel(int n, int number, const engine::Bounds& bounds)
    {
        MemoryBox& label = at(n);
        label.setColor(engine::color::Silver);
        label.setFontColor(engine::color::Grey);
        label.setVisibleFlag(false);
        label.setText(std::to_string(number));
        label.setBounds(bounds);
    }

    std::array<MemoryBox, engine::BoxCount> boxes_;
};

} // namespace enginetest
