#include "ErrorOf.h"

#include "core/BoardError.h"

using namespace Qt::StringLiterals;

namespace assi::test {

QString errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const BoardError& error) {
        return error.message();
    }
    return u"(no error)"_s;
}

} // namespace assi::test
