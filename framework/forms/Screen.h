#pragma once
// The forms of the program and which one is active, the screen-wide cursor, and the
// cursor shapes controls ask for. One instance, made by the application object.

#include "framework/controls/ControlTypes.h"
#include "framework/core/Component.h"
#include "framework/graphics/GraphicsObjects.h"

#include <vector>

#include <windows.h>

class TCustomForm;

class TScreen : public TComponent {
    KESTRELLE_CLASS(TScreen, TComponent)

public:
    TScreen();
    ~TScreen() override;

    int FormCount() const noexcept { return static_cast<int>(m_forms.size()); }
    // Forms in the order they were made; null outside the range.
    TCustomForm* Forms(int index) const noexcept;
    TCustomForm* ActiveForm() const noexcept { return m_activeForm; }

    // Overrides every control's cursor while not crDefault (an hourglass during work).
    TCursor Cursor() const noexcept { return m_cursor; }
    void SetCursor(TCursor value);

    int Width() const noexcept { return ::GetSystemMetrics(SM_CXSCREEN); }
    int Height() const noexcept { return ::GetSystemMetrics(SM_CYSCREEN); }
    int PixelsPerInch() const noexcept;
    // The system's menu font, as menus measure and draw their items with it; read when
    // the screen object is made.
    TFont& MenuFont() noexcept { return m_menuFont; }

    // Kept up to date by the forms themselves.
    void AddForm(TCustomForm& form);
    void RemoveForm(TCustomForm& form) noexcept;
    void SetActiveForm(TCustomForm* form) noexcept { m_activeForm = form; }

private:
    std::vector<TCustomForm*> m_forms;
    TCustomForm* m_activeForm = nullptr;
    TCursor m_cursor = crDefault;
    TFont m_menuFont;
};

// The screen object of the running program, or null before the application exists.
extern TScreen* Screen;

// The system cursor for a cursor identity; shared, never destroyed by callers.
HCURSOR CursorHandle(TCursor cursor) noexcept;
