#pragma once
// What the soak programs share: their arguments, the figures each part is judged by,
// one line per part, and a watchdog that names the part that hung or crashed.

#include <functional>
#include <string>
#include <vector>

struct HWND__;

namespace soak {

struct Options {
    std::string parts = "abcde";  // the letters of the parts to run
    double scale = 1.0;           // every count is multiplied by this (at least 1 remains)
    long long memorySlackKiB = 2048;
    int handleSlack = 8;
    bool Wants(char part) const { return parts.find(part) != std::string::npos; }
    int Count(int full) const;
    // Count(full) rounded up to whole rounds of `round` steps.
    int CountOfRounds(int full, size_t round) const;
};

// `[parts] [--scale F] [--memory-slack KiB] [--handle-slack N]`; false after printing
// why when an argument cannot be used.
bool ParseOptions(int argc, char** argv, Options& options);

// Handle headroom, private bytes and threads at one moment.
struct Figures {
    int gdi = 0;
    int user = 0;
    unsigned long long privateBytes = 0;
    int threads = 0;
};
Figures Measure();
// The threads of this process.
int ThreadCount();
// What one more live thread adds to private bytes: its stack, reserved and committed
// whole under Wine (3 MiB), committed as it is used on Windows.
unsigned long long ThreadBytes();
// The process's private bytes: GetProcessMemoryInfo's PrivateUsage.
unsigned long long PrivateBytes();

// Runs every soak part of one program and remembers whether any failed.
class Runner {
public:
    explicit Runner(const Options& options);
    ~Runner();

    // One part: `warmUp` once (the caches and first-use allocations it fills stay out
    // of the figures), then `step(i)` for i in [0, count); `step` answers false for a
    // fault it found, whose text it gave to Fault(). Prints the part's line and answers
    // its figures. One thread more at the end is allowed, with its stack: the system
    // starts and ends threads of its own (Wine's sound device thread comes and goes
    // with the devices opened and closed, racing their messages). `systemLoss` is what the same steps lose without the program's part
    // in them (the system's own leaks), allowed on top of the slack; a part run only
    // to find that loss is measured, not judged.
    enum class Judge { Yes, No };
    struct Result {
        Figures before, after;
        int GdiLoss() const { return before.gdi - after.gdi; }
        int UserLoss() const { return before.user - after.user; }
    };
    Result Part(const std::string& name, int count, const std::string& unit, const std::function<bool()>& warmUp,
                const std::function<bool(int)>& step, const Result* systemLoss = nullptr, Judge judge = Judge::Yes);
    // A fault of the running part, printed at once and failing it.
    void Fault(const std::string& text);
    // Keeps the watchdog from ending a part that is still moving.
    void Alive() noexcept;

    const Options& Settings() const noexcept { return m_options; }
    // 0 when every part passed, 1 otherwise.
    int ExitCode() const noexcept { return m_failed ? 1 : 0; }

private:
    Options m_options;
    unsigned long long m_threadBytes = 0;
    bool m_failed = false;
    std::vector<std::string> m_faults;
};

// Handles the thread's messages for `milliseconds`, or until `done` holds; false when
// the time ran out first.
bool PumpUntil(const std::function<bool()>& done, unsigned long milliseconds);
void Pump(unsigned long milliseconds);

// Posts `command` to every visible dialog of this thread each time the thread's timers
// run, for as long as it lives: a modal box opened by the soak closes once it is up.
// `seen` hears of each dialog before it is told to close.
class DialogCloser {
public:
    DialogCloser(unsigned command, std::function<void(HWND__*)> seen);
    ~DialogCloser();
    DialogCloser(const DialogCloser&) = delete;
    DialogCloser& operator=(const DialogCloser&) = delete;
};

}  // namespace soak
