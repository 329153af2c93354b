#include "ledgernova/date.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <string_view>

#include <fmt/format.h>

#include "util/compose.h"

namespace ledgernova {
namespace {

constexpr std::int64_t kDaysFrom1970To1899Epoch = 25569;  // 1899-12-30 .. 1970-01-01
constexpr double kSecondsPerDay = 86400.0;

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
std::int64_t days_from_civil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

struct Civil {
    int year;
    int month;
    int day;
};

Civil civil_from_days(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2 ? 1 : 0);
    return {static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
}

// Rounded to the whole second first, so that binary noise in the fraction never shows as 23:59:59
// of the day before.
std::int64_t total_seconds(double serial) {
    return std::llround(serial * kSecondsPerDay);
}

std::int64_t whole_days(double serial) {
    const std::int64_t seconds = total_seconds(serial);
    return seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
}

constexpr double kFirstSerial = -657434.0;  // 0100-01-01
constexpr double kEndSerial = 2958466.0;    // 10000-01-01

int seconds_of_day(double serial) {
    return static_cast<int>(total_seconds(serial) - whole_days(serial) * 86400);
}

bool valid_civil(int year, int month, int day) {
    if (month < 1 || month > 12 || day < 1) {
        return false;
    }
    const Civil back = civil_from_days(
        days_from_civil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)));
    return back.year == year && back.month == month && back.day == day;
}

// "YYYY-MM-DD" with an optional " HH:MM:SS": digits exactly where they belong, so that sscanf's
// tolerance of blanks and signs lets nothing else through.
bool has_iso_shape(const std::string& text) {
    static constexpr std::string_view kShape = "dddd-dd-dd?dd:dd:dd";
    if (text.size() != 10 && text.size() != kShape.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = std::isdigit(static_cast<unsigned char>(text[i])) != 0;
        if ((kShape[i] == 'd') != digit ||
            (kShape[i] != 'd' && kShape[i] != '?' && text[i] != kShape[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool Date::is_valid() const {
    return std::isfinite(serial) && serial >= kFirstSerial && serial < kEndSerial;
}

Date Date::from_ymd(int year, int month, int day, int hour, int minute, int second) {
    const std::int64_t days =
        days_from_civil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
        kDaysFrom1970To1899Epoch;
    const double time = (hour * 3600.0 + minute * 60.0 + second) / kSecondsPerDay;
    return Date{static_cast<double>(days) + time};
}

bool Date::parse_iso(const std::string& text, Date& out) {
    if (!has_iso_shape(text)) {
        return false;
    }
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    char separator = ' ';
    int consumed = 0;
    const int fields = std::sscanf(text.c_str(), "%4d-%2d-%2d%n%c%2d:%2d:%2d%n", &year, &month,
                                   &day, &consumed, &separator, &hour, &minute, &second, &consumed);
    const bool date_only = fields == 3 && text.size() == 10;
    const bool date_time = fields == 7 && (separator == ' ' || separator == 'T') &&
                           static_cast<std::size_t>(consumed) == text.size();
    if (!(date_only || date_time) || !valid_civil(year, month, day) || hour > 23 || minute > 59 ||
        second > 59 || hour < 0 || minute < 0 || second < 0) {
        return false;
    }
    out = from_ymd(year, month, day, hour, minute, second);
    return true;
}

int Date::year() const {
    return civil_from_days(whole_days(serial) - kDaysFrom1970To1899Epoch).year;
}
int Date::month() const {
    return civil_from_days(whole_days(serial) - kDaysFrom1970To1899Epoch).month;
}
int Date::day() const {
    return civil_from_days(whole_days(serial) - kDaysFrom1970To1899Epoch).day;
}
int Date::hour() const {
    return seconds_of_day(serial) / 3600;
}
int Date::minute() const {
    return seconds_of_day(serial) / 60 % 60;
}
int Date::second() const {
    return seconds_of_day(serial) % 60;
}
bool Date::has_time() const {
    return seconds_of_day(serial) != 0;
}
Date Date::date_only() const {
    return Date{static_cast<double>(whole_days(serial))};
}

std::string Date::iso_date() const {
    return util::compose(FMT_COMPILE("{:04}-{:02}-{:02}"), year(), month(), day());
}

std::string Date::iso_date_time() const {
    return util::compose(FMT_COMPILE("{} {:02}:{:02}:{:02}"), iso_date(), hour(), minute(),
                         second());
}

std::string Date::short_date() const {
    return fmt::format("{:02}/{:02}/{:04}", day(), month(), year());
}

}  // namespace ledgernova
