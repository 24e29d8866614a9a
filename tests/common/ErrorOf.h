#pragma once

#include <QString>
#include <functional>

namespace assi::test {

// The message of the BoardError that `action` throws, or "(no error)", so a
// test can compare the whole message a person would read.
QString errorOf(const std::function<void()>& action);

} // namespace assi::test
