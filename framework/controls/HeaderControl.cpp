#include "framework/controls/HeaderControl.h"

#include <algorithm>
#include <string>

#include <commctrl.h>

// ---- sections --------------------------------------------------------------------------

void THeaderSection::SetWidth(int value) { ChangeField(m_width, std::max(0, value)); }

void THeaderSection::Publish(TPublisher<THeaderSection>& p) {
    p.String(u"Text", &THeaderSection::Text, &THeaderSection::SetText);
    p.Integer(u"Width", &THeaderSection::Width, &THeaderSection::SetWidth).Default(50);
    p.Enum(u"Alignment", &THeaderSection::Alignment, &THeaderSection::SetAlignment)
        .Default(TAlignment::taLeftJustify);
}

void THeaderSections::Update(TCollectionItem* item) { m_header.SectionsChanged(As<THeaderSection>(item)); }

// ---- the header --------------------------------------------------------------------------

TCustomHeaderControl::TCustomHeaderControl() {
    SetBounds(0, 0, 200, 17);
    SetAlign(TAlign::alTop);
}

void TCustomHeaderControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.baseClass = WC_HEADERW;
    params.commonControls = ICC_LISTVIEW_CLASSES;
    params.style |= HDS_BUTTONS | HDS_FULLDRAG;
}

void TCustomHeaderControl::InitializeWindow() {
    ::SendMessageW(HandleIfAllocated(), WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
    SendSections();
}

void TCustomHeaderControl::SendSection(const THeaderSection& section, UINT message) {
    std::wstring text = section.Text();
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.cxy = section.Width();
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    item.fmt = HDF_STRING;
    if (section.Alignment() == TAlignment::taRightJustify) item.fmt |= HDF_RIGHT;
    if (section.Alignment() == TAlignment::taCenter) item.fmt |= HDF_CENTER;
    if (UseRightToLeftReading()) item.fmt |= HDF_RTLREADING;
    ::SendMessageW(HandleIfAllocated(), message, static_cast<WPARAM>(section.Index()), reinterpret_cast<LPARAM>(&item));
}

void TCustomHeaderControl::SendSections() {
    HWND header = HandleIfAllocated();
    if (!header) return;
    for (int count = static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)); count > 0; --count)
        ::SendMessageW(header, HDM_DELETEITEM, static_cast<WPARAM>(count - 1), 0);
    for (int i = 0; i < m_sections.Count(); ++i) SendSection(*m_sections.Items(i), HDM_INSERTITEMW);
}

void TCustomHeaderControl::SectionsChanged(const THeaderSection* section) {
    if (m_following || !HandleAllocated()) return;
    if (section && section->Index() >= 0)
        SendSection(*section, HDM_SETITEMW);
    else
        SendSections();
}

void TCustomHeaderControl::Notified(const NMHDR& header) {
    const bool click = header.code == HDN_ITEMCLICKW || header.code == HDN_ITEMCLICKA;
    const bool changed = header.code == HDN_ITEMCHANGEDW || header.code == HDN_ITEMCHANGEDA;
    if (!click && !changed) return;  // other notices are smaller than NMHEADER
    // The item and width fields sit alike in the A and W forms of the notice.
    const auto& notice = reinterpret_cast<const NMHEADERW&>(header);
    THeaderSection* section = m_sections.Items(notice.iItem);
    if (!section) return;
    if (click) {
        Fire(OnSectionClick, this, section);
        return;
    }
    if (notice.pitem && (notice.pitem->mask & HDI_WIDTH) && notice.pitem->cxy != section->Width()) {
        m_following = true;
        section->SetWidth(notice.pitem->cxy);
        m_following = false;
        Fire(OnSectionResize, this, section);
    }
}

void TCustomHeaderControl::WndProc(TMessage& message) {
    if (message.Msg == kMsgReflectNotify && message.LParam) {
        Notified(*reinterpret_cast<const NMHDR*>(message.LParam));
        message.Result = 0;
        return;
    }
    TWinControl::WndProc(message);
}

void TCustomHeaderControl::Publish(TPublisher<TCustomHeaderControl>& p) {
    p.Object(u"Sections", &TCustomHeaderControl::Sections);
    p.Event(u"OnSectionClick", &TCustomHeaderControl::OnSectionClick);
    p.Event(u"OnSectionResize", &TCustomHeaderControl::OnSectionResize);
}
