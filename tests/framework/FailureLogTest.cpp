#include "framework/core/FailureLog.h"

#include "framework/core/Exception.h"
#include "tests/support/FailureLogCapture.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(FailureLog, LinesReachTheSinkInPlaceWithTheExceptionsText) {
    FailureLogCapture log;
    LogFailure(u"plain");
    try {
        throw EConvertError(u"bad value");
    } catch (...) {
        LogCurrentException(u"Reading");
    }
    try {
        throw std::runtime_error("standard text");
    } catch (...) {
        LogCurrentException(u"Writing");
    }
    try {
        throw 7;
    } catch (...) {
        LogCurrentException(u"Other");
    }
    {
        FailureLogCapture inner;
        LogFailure(u"inner");
        EXPECT_EQ(inner.lines, std::vector<std::u16string>{u"inner"});
    }
    LogFailure(u"outer again");  // the sink before comes back
    const std::vector<std::u16string> expected{u"plain", u"Reading: bad value", u"Writing: standard text",
                                               u"Other: An unknown error occurred", u"outer again"};
    EXPECT_EQ(log.lines, expected);

    // A sink that fails is passed over: LogFailure is noexcept, so a failure escaping
    // it would end the program here.
    FailureSink kept = SetFailureSink([](std::u16string_view) { throw std::runtime_error("sink failed"); });
    LogFailure(u"lost");
    SetFailureSink(std::move(kept));
    LogFailure(u"after");
    EXPECT_EQ(log.lines.back(), u"after");
}
