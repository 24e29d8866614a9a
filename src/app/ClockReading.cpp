#include "app/ClockReading.h"

#include <chrono>

namespace assi {

qint64 steadyMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace assi
