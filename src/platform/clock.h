// SPDX-License-Identifier: GPL-3.0-or-later
// Where the current time comes from. Generators and rules that print a date or a year
// take a Clock, so tests can fix the time and compare generated text byte for byte.
//
//   kx::platform::FixedClock clock({2026, 12, 6, 9, 30, 0});
//   int year = clock.Now().year;
#pragma once

namespace kx::platform {

struct DateTime {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime Now() const = 0;
};

// Local time of the machine.
class SystemClock final : public Clock {
 public:
  DateTime Now() const override;
};

class FixedClock final : public Clock {
 public:
  explicit FixedClock(DateTime at) : at_(at) {}
  DateTime Now() const override { return at_; }

 private:
  DateTime at_;
};

}  // namespace kx::platform
