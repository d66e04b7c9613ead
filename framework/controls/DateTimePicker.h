#pragma once
// A date-time picker on the common date-time picker control: a field that shows one
// date and time of day, as a date (short or long) with a calendar that drops down, or as
// a time with up-down buttons. The control keeps the value, so it outlives a re-created
// window. OnChange fires when the user changes the value; OnDropDown and OnCloseUp when
// the calendar opens and closes.

#include "framework/controls/WinControl.h"
#include "framework/core/DateTime.h"

class TDateTimePicker : public TWinControl {
    KESTRELLE_CLASS(TDateTimePicker, TWinControl)

public:
    TDateTimePicker();

    // The date and the time of day, whichever Kind shows.
    LocalDateTime DateTime() const noexcept;
    // Throws EConvertError for a value that is no valid date and time.
    void SetDateTime(const LocalDateTime& value);
    TDateTimeKind Kind() const noexcept { return m_kind; }
    void SetKind(TDateTimeKind value);
    TDTDateFormat DateFormat() const noexcept { return m_dateFormat; }
    void SetDateFormat(TDTDateFormat value);
    // The calendar is open.
    bool DroppedDown() const noexcept { return m_droppedDown; }

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    static void Publish(TPublisher<TDateTimePicker>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void WndProc(TMessage& message) override;

private:
    // The value as stored-layout text.
    std::u16string DateTimeText() const;
    void SetDateTimeText(std::u16string_view text);
    void SendValue();

    LocalDateTime m_value;
    TDateTimeKind m_kind = TDateTimeKind::dtkDate;
    TDTDateFormat m_dateFormat = TDTDateFormat::dfShort;
    bool m_droppedDown = false;
};
