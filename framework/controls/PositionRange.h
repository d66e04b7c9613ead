#pragma once
// Min, Max and a position between them, as progress and track bars keep them, and the
// part of those controls that holds them. Platform-neutral, so the rules are tested
// natively.
//
// A Min set above Max takes Max up with it, a Max set below Min takes Min down, and
// the position is kept within both. So a layout that stores a valid pair reads back
// right in either order, and a pair that is not valid ends as one that is. Max and Min
// are never more than kMaxSpan apart, as the controls compute Max - Min in 32 bits (and
// the trackbar's divides by it): the value set last stays and the other comes closer.
// While a layout is read, values are taken as they come (Settling::Later) and put in
// order once it is complete (Settle, which keeps Min), so the order of the lines does
// not matter.

#include "framework/core/Component.h"

#include <algorithm>
#include <cstdint>

enum class Settling { Now, Later };

struct PositionRange {
    static constexpr int64_t kMaxSpan = INT32_MAX;
    // Automatic tick marks aim at no more than this many; more make a wide range slow
    // to lay out and draw.
    static constexpr int64_t kMaxAutoTicks = 1000;
    // The trackbar keeps the tick step in 16 bits.
    static constexpr int64_t kMaxTickFrequency = 0xFFFF;

    int min = 0;
    int max = 100;
    int position = 0;

    void SetMin(int value, Settling settling) noexcept {
        min = value;
        if (settling == Settling::Later) return;
        max = static_cast<int>(std::clamp<int64_t>(max, min, min + kMaxSpan));
        Settle();
    }
    void SetMax(int value, Settling settling) noexcept {
        max = value;
        if (settling == Settling::Later) return;
        min = static_cast<int>(std::clamp<int64_t>(min, max - kMaxSpan, max));
        Settle();
    }
    void SetPosition(int value, Settling settling) noexcept {
        position = value;
        if (settling == Settling::Now) Settle();
    }
    // Max no lower than Min and no further than kMaxSpan from it, the position within.
    void Settle() noexcept {
        max = static_cast<int>(std::clamp<int64_t>(max, min, min + kMaxSpan));
        position = std::clamp(position, min, max);
    }
    // The position `delta` further on, stopping at Min or Max.
    int Moved(int delta) const noexcept {
        return static_cast<int>(std::clamp<int64_t>(int64_t{position} + delta, min, max));
    }
    // The position `step` further on, started again from the other end once it runs
    // past Max (or Min), as a progress bar steps round.
    int SteppedRound(int step) const noexcept {
        const int64_t span = int64_t{max} - min;
        if (span == 0) return min;
        const int64_t next = int64_t{position} + step;
        if (next > max) return static_cast<int>(min + (next - min) % span);
        if (next < min) return static_cast<int>(max + (next - min) % span);
        return static_cast<int>(next);
    }
    // The spacing of automatic tick marks: `frequency`, but at least 1, at most
    // kMaxTickFrequency, and otherwise wide enough for kMaxAutoTicks marks at most.
    int AutoTickFrequency(int frequency) const noexcept {
        const int64_t least = (int64_t{max} - min + kMaxAutoTicks - 1) / kMaxAutoTicks;
        return static_cast<int>(std::clamp<int64_t>(std::max<int64_t>(frequency, least), 1, kMaxTickFrequency));
    }
};

// Mixed into a control that shows a PositionRange (a progress or track bar), which
// hands it itself: Min, Max and Position as published, taken as they come while a
// layout is read and put in order by SettleRange, which the control's Loaded calls.
class RangeControl {
public:
    int Min() const noexcept { return m_range.min; }
    void SetMin(int value) {
        m_range.SetMin(value, SettleWhen());
        ShowRange();
    }
    int Max() const noexcept { return m_range.max; }
    void SetMax(int value) {
        m_range.SetMax(value, SettleWhen());
        ShowRange();
    }
    int Position() const noexcept { return m_range.position; }
    void SetPosition(int value) {
        m_range.SetPosition(value, SettleWhen());
        ShowPosition();
    }

protected:
    RangeControl(const TComponent& control, PositionRange initial) noexcept : m_range{initial}, m_control{control} {}
    ~RangeControl() = default;

    void SettleRange() {
        m_range.Settle();
        ShowRange();
    }
    // The control shows the whole range with the position in it, or a new position.
    virtual void ShowRange() = 0;
    virtual void ShowPosition() = 0;

    PositionRange m_range;

private:
    Settling SettleWhen() const noexcept { return m_control.IsLoading() ? Settling::Later : Settling::Now; }

    const TComponent& m_control;
};
