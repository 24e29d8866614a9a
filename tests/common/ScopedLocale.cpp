#include "ScopedLocale.h"

#include <clocale>

namespace assi::test {

ScopedLocale::ScopedLocale(const char* name) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    m_previous = previous ? previous : "C";
    m_ok = std::setlocale(LC_ALL, name) != nullptr;
}

ScopedLocale::~ScopedLocale() {
    std::setlocale(LC_ALL, m_previous.c_str());
}

} // namespace assi::test
