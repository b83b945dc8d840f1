#include "app/Clock.h"

namespace kv {

// Days from the civil date to 1 Jan 1970 (proleptic Gregorian calendar).
static long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

double toDayCount(const LocalTime& t) {
    constexpr long long kEpochOffset = 25569;  // 1 Jan 1970 in the day count
    const long long days = daysFromCivil(t.year, static_cast<unsigned>(t.month),
                                         static_cast<unsigned>(t.day)) + kEpochOffset;
    const double ms = ((t.hour * 60.0 + t.minute) * 60.0 + t.second) * 1000.0 + t.millisecond;
    return static_cast<double>(days) + ms / 86400000.0;
}

}  // namespace kv
