#pragma once
// Collects what the code under test logs as failures it lived through, for as long as
// it exists; the sink before it comes back afterwards. Platform-neutral.

#include "framework/core/FailureLog.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

class FailureLogCapture {
public:
    FailureLogCapture()
        : m_previous{SetFailureSink([this](std::u16string_view line) { lines.emplace_back(line); })} {}
    ~FailureLogCapture() { SetFailureSink(std::move(m_previous)); }
    FailureLogCapture(const FailureLogCapture&) = delete;
    FailureLogCapture& operator=(const FailureLogCapture&) = delete;

    // How many lines contain `part`.
    size_t Count(std::u16string_view part) const {
        return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [&](const std::u16string& line) {
            return line.find(part) != std::u16string::npos;
        }));
    }

    std::vector<std::u16string> lines;

private:
    FailureSink m_previous;
};
