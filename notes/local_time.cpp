#include "notes/local_time.h"

namespace yorimemo {

bool isRealDate(int year, int month, int day) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

std::string zeroPadded(int value, int width) {
    std::string text = std::to_string(value < 0 ? 0 : value);
    if (text.size() < static_cast<std::size_t>(width)) {
        text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
    }
    return text;
}

std::string dateText(const LocalTime& time) {
    return zeroPadded(time.year, 4) + "-" + zeroPadded(time.month, 2) + "-" +
           zeroPadded(time.day, 2);
}

}  // namespace yorimemo
