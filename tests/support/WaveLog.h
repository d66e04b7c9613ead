#pragma once
// A wave sink that logs what a player writes instead of playing it.

#include "framework/win/WaveSink.h"

#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <vector>

// What a player wrote to its wave sinks. A new stream starts at every open.
struct WaveLog {
    bool device = true;         // whether a device opens
    bool holdBuffers = false;   // whether written buffers stay queued for ever
    bool failWrites = false;    // whether writing throws, as a device that fails under us
    int opens = 0, closes = 0, writes = 0;
    std::vector<int16_t> stream;  // interleaved stereo since the latest open
};

class LoggingSink : public WaveSink {
public:
    explicit LoggingSink(WaveLog& log) : m_log{log} {}
    bool Open(unsigned) override {
        ++m_log.opens;
        m_log.stream.clear();
        return m_log.device;
    }
    bool Write(std::span<const int16_t> samples) override {
        ++m_log.writes;
        if (m_log.failWrites) throw std::runtime_error("the device failed");
        m_log.stream.insert(m_log.stream.end(), samples.begin(), samples.end());
        if (m_log.holdBuffers) ++m_pending;
        return true;
    }
    size_t Pending() override { return m_pending; }
    void Close() noexcept override { ++m_log.closes; }

private:
    WaveLog& m_log;
    size_t m_pending = 0;
};

inline WaveSinkFactory LogTo(WaveLog& log) {
    return [&log] { return std::make_unique<LoggingSink>(log); };
}
