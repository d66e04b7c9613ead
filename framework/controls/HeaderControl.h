#pragma once
// A header on the common header control: a row of sections (text, width, alignment)
// the user can click and resize. A section the user resizes takes the new width.

#include "framework/controls/WinControl.h"
#include "framework/core/Collection.h"

#include <functional>
#include <string>
#include <string_view>

class TCustomHeaderControl;

class THeaderSection : public TCollectionItem {
    KESTRELLE_CLASS(THeaderSection, TCollectionItem)

public:
    const std::wstring& Text() const noexcept { return m_text; }
    void SetText(std::wstring_view value) { ChangeField(m_text, value); }
    // Never below 0.
    int Width() const noexcept { return m_width; }
    void SetWidth(int value);
    TAlignment Alignment() const noexcept { return m_alignment; }
    void SetAlignment(TAlignment value) { ChangeField(m_alignment, value); }

    static void Publish(TPublisher<THeaderSection>& p);

private:
    std::wstring m_text;
    int m_width = 50;
    TAlignment m_alignment = TAlignment::taLeftJustify;
};

// The sections of one header, in index order; owned by the header.
class THeaderSections : public TCollection {
    KESTRELLE_CLASS(THeaderSections, TCollection)

public:
    explicit THeaderSections(TCustomHeaderControl& header) noexcept
        : TCollection(TCollection::Of<THeaderSection>()), m_header{header} {}

    THeaderSection& Add() { return static_cast<THeaderSection&>(TCollection::Add()); }
    // Null outside the range.
    THeaderSection* Items(int index) const noexcept { return ItemAs<THeaderSection>(index); }

protected:
    void Update(TCollectionItem* item) override;

private:
    TCustomHeaderControl& m_header;
};

using TSectionNotifyEvent = std::function<void(TCustomHeaderControl* header, THeaderSection* section)>;

class TCustomHeaderControl : public TWinControl {
    KESTRELLE_CLASS(TCustomHeaderControl, TWinControl)

public:
    TCustomHeaderControl();

    THeaderSections& Sections() noexcept { return m_sections; }

    // A section was clicked; a section's width was changed by the user.
    TSectionNotifyEvent OnSectionClick;
    TSectionNotifyEvent OnSectionResize;

    static void Publish(TPublisher<TCustomHeaderControl>& p);

    // The sections changed: all of them (null) or one.
    void SectionsChanged(const THeaderSection* section);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void WndProc(TMessage& message) override;

private:
    void SendSections();
    void SendSection(const THeaderSection& section, UINT message);
    void Notified(const NMHDR& header);

    THeaderSections m_sections{*this};
    bool m_following = false;  // a section takes a width from the control: nothing to send back
};

class THeaderControl : public TCustomHeaderControl {
    KESTRELLE_CLASS(THeaderControl, TCustomHeaderControl)
};
