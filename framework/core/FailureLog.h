#pragma once
// Failures the program lives through but a developer needs to hear of: a handler that
// threw where nothing could be passed on, a clean-up that failed while another error
// was on its way. Each is one line to the sink; by default standard error, in the
// Windows program the debugger's output (the application object puts that in). Tests
// put in their own sink to see them. Platform-neutral.

#include <functional>
#include <string>
#include <string_view>

using FailureSink = std::function<void(std::u16string_view line)>;

// Hands `line` to the sink. Never throws; a sink that throws is ignored.
void LogFailure(std::u16string_view line) noexcept;
// LogFailure of `what`, a colon and the text of the exception being handled. Call
// inside a catch block only.
void LogCurrentException(std::u16string_view what) noexcept;
// Replaces the sink (null puts the default back) and answers the one replaced.
FailureSink SetFailureSink(FailureSink sink);

// The message of the exception being handled. Call inside a catch block only.
std::u16string CurrentExceptionText();
