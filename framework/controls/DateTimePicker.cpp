#include "framework/controls/DateTimePicker.h"

#include "framework/core/Exception.h"

#include <commctrl.h>

namespace {

constexpr DWORD FormatBits(TDateTimeKind kind, TDTDateFormat format) noexcept {
    if (kind == TDateTimeKind::dtkTime) return DTS_TIMEFORMAT;
    return format == TDTDateFormat::dfLong ? DTS_LONGDATEFORMAT : DTS_SHORTDATEFORMAT;
}

SYSTEMTIME ToSystemTime(const LocalDateTime& value) noexcept {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(value.year);
    time.wMonth = static_cast<WORD>(value.month);
    time.wDay = static_cast<WORD>(value.day);
    time.wDayOfWeek = static_cast<WORD>(value.dayOfWeek - 1);
    time.wHour = static_cast<WORD>(value.hour);
    time.wMinute = static_cast<WORD>(value.minute);
    time.wSecond = static_cast<WORD>(value.second);
    return time;
}

LocalDateTime FromSystemTime(const SYSTEMTIME& time) noexcept {
    LocalDateTime value{time.wYear, time.wMonth, time.wDay, 1, time.wHour, time.wMinute, time.wSecond};
    value.dayOfWeek = DayOfWeek(value.year, value.month, value.day);
    return value;
}

LocalDateTime Today() noexcept {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return FromSystemTime(now);
}

}  // namespace

TDateTimePicker::TDateTimePicker() : m_value{Today()} {
    SetBounds(0, 0, 186, 21);
    SetColor(clWindow);
    SetTabStop(true);
}

void TDateTimePicker::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.baseClass = DATETIMEPICK_CLASSW;
    params.commonControls = ICC_DATE_CLASSES;
    params.style |= FormatBits(m_kind, m_dateFormat);
}

void TDateTimePicker::InitializeWindow() {
    m_droppedDown = false;
    ::SendMessageW(HandleIfAllocated(), WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
    SendValue();
}

void TDateTimePicker::SendValue() {
    HWND picker = HandleIfAllocated();
    if (!picker) return;
    SYSTEMTIME time = ToSystemTime(m_value);
    ::SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

LocalDateTime TDateTimePicker::DateTime() const noexcept {
    // Code sets the value here and in the window, the user's changes come back with their
    // notice: the value kept is the one shown.
    return m_value;
}

void TDateTimePicker::SetDateTime(const LocalDateTime& value) {
    if (!IsValidDateTime(value)) throw EConvertError(u"Not a valid date and time: " + ::DateTimeText(value));
    m_value = value;
    m_value.dayOfWeek = DayOfWeek(value.year, value.month, value.day);
    SendValue();
}

std::u16string TDateTimePicker::DateTimeText() const { return ::DateTimeText(m_value); }

void TDateTimePicker::SetDateTimeText(std::u16string_view text) {
    const auto value = ParseDateTime(text);
    if (!value) throw EConvertError(u"Not a date and time as \"yyyy-mm-dd hh:mm:ss\": \"" + std::u16string(text) + u"\"");
    SetDateTime(*value);
}

void TDateTimePicker::SetKind(TDateTimeKind value) {
    if (value == m_kind) return;
    m_kind = value;
    RecreateWnd();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat value) {
    if (value == m_dateFormat) return;
    m_dateFormat = value;
    RecreateWnd();
}

void TDateTimePicker::WndProc(TMessage& message) {
    if (message.Msg != kMsgReflectNotify || !message.LParam) {
        TWinControl::WndProc(message);
        return;
    }
    message.Result = 0;
    const auto& notice = *reinterpret_cast<const NMHDR*>(message.LParam);
    switch (notice.code) {
    case DTN_DATETIMECHANGE: {
        const auto& change = reinterpret_cast<const NMDATETIMECHANGE&>(notice);
        if (change.dwFlags != GDT_VALID) return;
        const LocalDateTime value = FromSystemTime(change.st);
        if (!IsValidDateTime(value) || value == m_value) return;
        m_value = value;
        Fire(OnChange, this);
        return;
    }
    // WINE: the calendar window stays after it closes (DTM_GETMONTHCAL answers it), so
    // whether it is open is taken from these notices.
    case DTN_DROPDOWN:
        m_droppedDown = true;
        Fire(OnDropDown, this);
        return;
    case DTN_CLOSEUP:
        m_droppedDown = false;
        Fire(OnCloseUp, this);
        return;
    default: return;
    }
}

void TDateTimePicker::Publish(TPublisher<TDateTimePicker>& p) {
    p.String(u"DateTime", &TDateTimePicker::DateTimeText, &TDateTimePicker::SetDateTimeText);
    p.Enum(u"Kind", &TDateTimePicker::Kind, &TDateTimePicker::SetKind).Default(TDateTimeKind::dtkDate);
    p.Enum(u"DateFormat", &TDateTimePicker::DateFormat, &TDateTimePicker::SetDateFormat).Default(TDTDateFormat::dfShort);
    p.Event(u"OnChange", &TDateTimePicker::OnChange);
    p.Event(u"OnDropDown", &TDateTimePicker::OnDropDown);
    p.Event(u"OnCloseUp", &TDateTimePicker::OnCloseUp);
}
