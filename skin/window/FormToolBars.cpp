// The tool-bar side of TWinSkinForm: the painters it gives its tool bars' custom-draw
// events, and the menu items of tool bars and tool buttons it makes owner-drawn.

#include "skin/window/WinSkinForm.h"

#include "framework/controls/Menus.h"
#include "framework/controls/ToolBar.h"
#include "framework/core/FailureLog.h"
#include "framework/core/Properties.h"
#include "skin/controls/ToolButtonSkin.h"
#include "skin/data/WinSkinData.h"

#include <algorithm>

namespace {

// The painters given to tool bars. They hold the window's object by reference, so a
// bar that outlives it draws plainly; and their type tells them from the program's own
// handlers when skinning lets go.
struct SkinToolBarPainter {
    ComponentRef<TWinSkinForm> form;
    void operator()(TToolBar* sender, const RECT& rect, bool& defaultDraw) const {
        if (TWinSkinForm* owner = form.Get()) owner->PaintToolBar(sender, rect, defaultDraw);
    }
};

struct SkinToolButtonPainter {
    ComponentRef<TWinSkinForm> form;
    void operator()(TToolBar* sender, TToolButton* button, TCustomDrawState state, bool& defaultDraw) const {
        if (TWinSkinForm* owner = form.Get()) owner->PaintToolButton(sender, button, state, defaultDraw);
    }
};

bool IsOurs(const TTBCustomDrawEvent& handler) noexcept { return handler.target<SkinToolBarPainter>() != nullptr; }
bool IsOurs(const TTBCustomDrawBtnEvent& handler) noexcept {
    return handler.target<SkinToolButtonPainter>() != nullptr;
}

template <class T>
bool Holds(const std::vector<ComponentRef<T>>& refs, const T& wanted) noexcept {
    return std::any_of(refs.begin(), refs.end(), [&](const ComponentRef<T>& ref) { return ref.Get() == &wanted; });
}

}  // namespace

// --- painting ---------------------------------------------------------------------------

void TWinSkinForm::PaintToolBar(TToolBar* sender, const RECT& rect, bool&) {
    if (!sender || !m_skinData || m_skinData->Options().Contains(TSkinOption::xoToolbarBK)) return;
    const TDataSkinObject* background = m_skinData->ToolbarSkin();
    if (!background || background->Image.Empty() || !sender->Canvas().Handle()) return;
    // Nearest-neighbour, with the DC's stretch mode given back afterwards.
    sender->Canvas().StretchDraw(rect, background->Image);
}

void TWinSkinForm::PaintToolButton(TToolBar* sender, TToolButton* button, TCustomDrawState state, bool&) {
    if (!sender || !button || !m_skinData || m_skinState != SkinState::Running) return;
    const RECT bounds{button->Left(), button->Top(), button->Left() + button->Width(), button->Top() + button->Height()};
    // A state without a face of the skin's (a disabled or a checked button) keeps the
    // control's own background, so that it still looks what it is.
    if (PaintToolButtonFace(sender->Canvas(), bounds, state, *m_skinData))
        sender->SetButtonParts(TToolButtonParts::ImageAndCaption);
}

// --- installing and taking back -------------------------------------------------------------

void TWinSkinForm::SkinToolBar(TToolBar& bar) {
    if (!Holds(m_paintedToolBars, bar)) {
        bool installed = false;
        if (!bar.OnCustomDraw) {
            bar.OnCustomDraw = SkinToolBarPainter{this};
            installed = true;
        }
        if (!bar.OnCustomDrawButton) {
            bar.OnCustomDrawButton = SkinToolButtonPainter{this};
            installed = true;
        }
        if (installed) {
            m_paintedToolBars.emplace_back(&bar);
            bar.Invalidate();
        }
    }
    // The framework's bar has no menu of its own; a bar class that publishes one gets its
    // items drawn in the skin's look.
    if (TMenu* menu = GetObjectProp<TMenu>(&bar, u"Menu"))
        for (int i = 0; i < menu->Items().Count(); ++i) SetItemOwnerDraw(*menu->Items().Items(i), true);
}

void TWinSkinForm::SkinToolButtonMenu(TToolButton& button) {
    if (TMenuItem* item = button.MenuItem()) SetItemOwnerDraw(*item, true);
}

void TWinSkinForm::ReleaseToolBars() noexcept {
    try {
        for (const ComponentRef<TToolBar>& ref : m_paintedToolBars) {
            TToolBar* bar = ref.Get();
            if (!bar) continue;
            if (IsOurs(bar->OnCustomDraw)) bar->OnCustomDraw = nullptr;
            if (IsOurs(bar->OnCustomDrawButton)) bar->OnCustomDrawButton = nullptr;
            if (!bar->IsDestroying()) bar->Invalidate();
        }
        m_paintedToolBars.clear();
        const auto items = std::move(m_ownerDrawnItems);
        m_ownerDrawnItems.clear();
        for (const ComponentRef<TMenuItem>& ref : items)
            if (TMenuItem* item = ref.Get()) SetItemOwnerDraw(*item, false);
    } catch (...) {
        // The bars keep the skin's painters, which draw nothing once this object is gone.
        LogCurrentException(u"the tool bars could not be given their own look back");
    }
}
