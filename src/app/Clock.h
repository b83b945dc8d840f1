#pragma once
// Local time and random numbers, behind interfaces so that timed logic can be tested.
#include <string>

namespace kv {

struct LocalTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

class IClock {
public:
    virtual ~IClock() = default;
    virtual LocalTime now() const = 0;
    // The time separator of the user's regional settings (":" on German and English systems).
    virtual std::wstring timeSeparator() const = 0;
    // Waits this long on the calling thread, handling no messages meanwhile.
    virtual void sleep(int milliseconds) const = 0;
};

class IRandom {
public:
    virtual ~IRandom() = default;
    virtual void seed() = 0;  // from the clock
    // A whole number drawn uniformly from 1 to n.
    virtual int draw(int n) = 0;
};

// Local date plus time of day as a day count with fraction, day 0 being 30 Dec 1899.
double toDayCount(const LocalTime& time);

}  // namespace kv
