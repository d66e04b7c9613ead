#pragma once
// A memo: a multi-line edit whose text is also seen as Lines. Lines are read from the
// text each time they are asked for, so they include what the user typed; change them
// through SetLines (or by name), which replaces the text.

#include "framework/controls/Edit.h"
#include "framework/core/StringList.h"

class TCustomMemo : public TCustomEdit {
    KESTRELLE_CLASS(TCustomMemo, TCustomEdit)

public:
    TCustomMemo();

    const TStringList& Lines() const;
    void SetLines(const TStringList& value);
    TScrollStyle ScrollBars() const noexcept { return m_scrollBars; }
    void SetScrollBars(TScrollStyle value);
    // Long lines break at the right edge; without it they scroll sideways.
    bool WordWrap() const noexcept { return m_wordWrap; }
    void SetWordWrap(bool value);

    static void Publish(TPublisher<TCustomMemo>& p);

protected:
    void CreateParams(TCreateParams& params) override;

private:
    mutable TStringList m_lines;
    TScrollStyle m_scrollBars = TScrollStyle::ssNone;
    bool m_wordWrap = true;
};

class TMemo : public TCustomMemo {
    KESTRELLE_CLASS(TMemo, TCustomMemo)
};
