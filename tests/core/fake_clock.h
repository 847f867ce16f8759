// A clock for tests that always answers the time it was set to.
#pragma once

#include "ports/clock.h"

namespace sorvane {

class FixedClock : public Clock {
  public:
    FixedClock() = default;
    explicit FixedClock(const LocalTime& t) : now_(t) {}
    FixedClock(int year, int month, int day, int hour, int minute, int second) {
        Set(year, month, day, hour, minute, second);
    }

    LocalTime Now() const override { return now_; }

    void Set(const LocalTime& t) { now_ = t; }
    void Set(int year, int month, int day, int hour, int minute, int second) {
        now_ = LocalTime{year, month, day, hour, minute, second, 0};
    }

  private:
    LocalTime now_;
};

}  // namespace sorvane
