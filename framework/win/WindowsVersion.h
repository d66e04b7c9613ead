#pragma once
// The Windows the program runs on, as the skin engine's rules ask for it: the version the
// system reports to this program (GetVersionExW: a program whose manifest names no newer
// system is told 6.2 on Windows 8 and later), whether it is the NT family, and whether it
// is Wine. One place answers for the whole program; tests set what it answers.

class WindowsVersion {
public:
    unsigned major = 0;
    unsigned minor = 0;
    bool ntFamily = true;
    bool wine = false;

    // The version in force: the innermost ScopedWindowsVersion if one is alive, else
    // the system's (read once).
    static WindowsVersion Current() noexcept;
    // What the system reports, whatever a test set.
    static WindowsVersion Detect() noexcept;

    bool operator==(const WindowsVersion&) const = default;
};

// Makes `version` the current one while it lives, for tests that walk the rules of
// other Windows versions. Nests; UI thread only.
class ScopedWindowsVersion {
public:
    explicit ScopedWindowsVersion(const WindowsVersion& version) noexcept;
    ~ScopedWindowsVersion();
    ScopedWindowsVersion(const ScopedWindowsVersion&) = delete;
    ScopedWindowsVersion& operator=(const ScopedWindowsVersion&) = delete;

private:
    friend class WindowsVersion;
    WindowsVersion m_version;
    const ScopedWindowsVersion* m_outer;
};
