#include "framework/core/FailureLog.h"

#include "framework/core/Exception.h"
#include "framework/core/Strings.h"

#include <cstdio>
#include <utility>

namespace {

FailureSink& Sink() {
    static FailureSink sink;
    return sink;
}

}  // namespace

void LogFailure(std::u16string_view line) noexcept {
    try {
        if (const FailureSink& sink = Sink()) {
            sink(line);
            return;
        }
        const std::string text = "Kestrelle: " + ToUtf8(line) + "\n";
        std::fputs(text.c_str(), stderr);
    } catch (...) {  // the log is the last resort: a failure to log has nowhere to go
    }
}

void LogCurrentException(std::u16string_view what) noexcept {
    try {
        LogFailure(std::u16string(what) + u": " + CurrentExceptionText());
    } catch (...) {
        LogFailure(what);  // no memory for the longer line: the short one still says what failed
    }
}

FailureSink SetFailureSink(FailureSink sink) { return std::exchange(Sink(), std::move(sink)); }

std::u16string CurrentExceptionText() {
    try {
        throw;
    } catch (const Exception& e) {
        return e.Message();
    } catch (const std::exception& e) {
        return FromUtf8(e.what());
    } catch (...) {
        return u"An unknown error occurred";
    }
}
