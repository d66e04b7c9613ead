#pragma once
// A push button that draws itself with a glyph strip beside its caption. A Kind other
// than bkCustom gives the button the caption, modal result and default or cancel role
// of a standard answer (its glyph is the program's to give); bkClose closes the form.

#include "framework/controls/Button.h"
#include "framework/controls/ButtonGlyph.h"

class TBitBtn : public TButton, public GlyphButtonLook {
    KESTRELLE_CLASS(TBitBtn, TButton)

public:
    TBitBtn();

    TBitBtnKind Kind() const noexcept { return m_kind; }
    void SetKind(TBitBtnKind value);

    void Click() override;
    static void Publish(TPublisher<TBitBtn>& p);

protected:
    DWORD ButtonType() const noexcept override { return BS_OWNERDRAW; }
    void WndProc(TMessage& message) override;

private:
    bool DrawItem(const DRAWITEMSTRUCT& item) noexcept;

    TBitBtnKind m_kind = TBitBtnKind::bkCustom;
};
