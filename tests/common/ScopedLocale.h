#pragma once

#include <string>

namespace assi::test {

// Sets the C library's locale (all categories) for the life of the object and
// restores the previous one afterwards. Returns false from ok() when the
// locale is not installed, so a test can skip rather than pass vacuously.
class ScopedLocale {
public:
    explicit ScopedLocale(const char* name);
    ~ScopedLocale();
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

    bool ok() const { return m_ok; }

private:
    std::string m_previous;
    bool m_ok = false;
};

} // namespace assi::test
