#include "SystemClock.h"

#include <chrono>
#include <ctime>

namespace tulma {

TDateTimeFields CurrentLocalDateTime() {
    const std::time_t Now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    // The program has one thread, so the shared buffer of localtime is safe here.
    const std::tm* Local = std::localtime(&Now);
    if (Local == nullptr) {
        return {};
    }
    return {Local->tm_year + 1900, Local->tm_mon + 1, Local->tm_mday,
            Local->tm_hour,        Local->tm_min,     Local->tm_sec > 59 ? 59 : Local->tm_sec};
}

}  // namespace tulma
