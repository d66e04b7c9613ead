#pragma once
// A bar between an aligned control and the rest of its parent; dragging it resizes
// that control, and alignment moves everything else.

#include "framework/controls/GraphicControl.h"

#include <functional>

using TCanResizeEvent = std::function<void(TObject* sender, int& newSize, bool& accept)>;

class TSplitter : public TGraphicControl {
    KESTRELLE_CLASS(TSplitter, TGraphicControl)

public:
    TSplitter();

    int MinSize() const noexcept { return m_minSize; }
    void SetMinSize(int value) noexcept { m_minSize = value < 1 ? 1 : value; }
    bool AutoSnap() const noexcept { return m_autoSnap; }
    void SetAutoSnap(bool value) noexcept { m_autoSnap = value; }
    bool Beveled() const noexcept { return m_beveled; }
    void SetBeveled(bool value);
    TResizeStyle ResizeStyle() const noexcept { return m_resizeStyle; }
    void SetResizeStyle(TResizeStyle value) noexcept { m_resizeStyle = value; }

    // The control the splitter would resize now: the nearest visible control with the
    // same alignment that touches it on the side away from the client area.
    TControl* ResizeControl() const;

    TCanResizeEvent OnCanResize;
    TNotifyEvent OnMoved;

    static void Publish(TPublisher<TSplitter>& p);

protected:
    void WndProc(TMessage& message) override;
    bool Paint(HDC dc, const RECT& box) noexcept override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    bool Horizontal() const noexcept;
    int SizeOf(const TControl& control) const noexcept;
    int NewSizeAt(int x, int y) const;
    void Apply(int size);
    void DrawLine();
    void EndDrag(bool apply);

    int m_minSize = 30;
    bool m_autoSnap = true;
    bool m_beveled = false;
    TResizeStyle m_resizeStyle = TResizeStyle::rsPattern;

    // The drag in progress.
    TControl* m_control = nullptr;
    core::Point m_downAt;
    int m_startSize = 0;
    int m_maxSize = 0;
    int m_newSize = 0;
    bool m_lineVisible = false;
    core::Rect m_line;
};
