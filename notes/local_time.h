#pragma once
// The local time of day as the note file's names and stamps use it, and its text forms.

#include <string>

namespace yorimemo {

struct LocalTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// A day that the calendar has (years 1 to 9999).
bool isRealDate(int year, int month, int day);

// `value` in at least `width` decimal digits, zeros in front; a negative value as 0.
std::string zeroPadded(int value, int width);

// "2026-12-07": sorts as the days do.
std::string dateText(const LocalTime& time);

}  // namespace yorimemo
