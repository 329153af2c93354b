#pragma once

#include <cstdint>
#include <string>

#include "ledgernova/export.h"

namespace ledgernova {

// A point in time as COM keeps it: days since 30 December 1899, the fraction being the time of day.
// Dates after 1899 are the only ones an accounting ledger holds, so negative serials are not
// special-cased.
struct LEDGERNOVA_API Date {
    double serial = 0.0;

    [[nodiscard]] static Date from_ymd(int year, int month, int day, int hour = 0, int minute = 0,
                                       int second = 0);
    // Reads "YYYY-MM-DD" or "YYYY-MM-DD HH:MM:SS" (a "T" may stand for the blank); false when the
    // text is not such a date or names a day that does not exist.
    [[nodiscard]] static bool parse_iso(const std::string& text, Date& out);

    // A finite serial from 1 January 100 to 31 December 9999, the range the platform's dates
    // cover. The calendar readings below are meaningful only for a valid date.
    [[nodiscard]] bool is_valid() const;

    [[nodiscard]] int year() const;
    [[nodiscard]] int month() const;
    [[nodiscard]] int day() const;
    [[nodiscard]] int hour() const;
    [[nodiscard]] int minute() const;
    [[nodiscard]] int second() const;
    [[nodiscard]] bool has_time() const;
    [[nodiscard]] Date date_only() const;

    // "YYYY-MM-DD" and "YYYY-MM-DD HH:MM:SS".
    [[nodiscard]] std::string iso_date() const;
    [[nodiscard]] std::string iso_date_time() const;
    // The short date form of the regional settings this build stands in for: "dd/mm/yyyy".
    [[nodiscard]] std::string short_date() const;

    friend bool operator==(const Date&, const Date&) = default;
};

}  // namespace ledgernova
