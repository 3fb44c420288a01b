#include "efactura/Deadline.h"

namespace kov::efactura {

QDate orthodoxEaster(int year) {
    const int a = year % 4;
    const int b = year % 7;
    const int c = year % 19;
    const int d = (19 * c + 15) % 30;
    const int e = (2 * a + 4 * b - d + 34) % 7;
    const int month = (d + e + 114) / 31;
    const int day = (d + e + 114) % 31 + 1;
    // Julian to Gregorian: 13 days from 1900 to 2099.
    return QDate(year, month, day).addDays(13);
}

bool isPublicHoliday(const QDate& day) {
    static constexpr int kFixed[][2] = {{1, 1}, {1, 2},  {1, 6},   {1, 7},  {1, 24},  {5, 1},
                                        {6, 1}, {8, 15}, {11, 30}, {12, 1}, {12, 25}, {12, 26}};
    for (const auto& [month, dayOfMonth] : kFixed) {
        if (day.month() == month && day.day() == dayOfMonth) {
            return true;
        }
    }
    // Good Friday, Easter Sunday and Monday, Pentecost Sunday and Monday.
    const QDate easter = orthodoxEaster(day.year());
    for (const int offset : {-2, 0, 1, 49, 50}) {
        if (day == easter.addDays(offset)) {
            return true;
        }
    }
    return false;
}

QDate sendingDeadline(const QDate& issued) {
    QDate day = issued;
    for (int working = 0; working < 5;) {
        day = day.addDays(1);
        if (day.dayOfWeek() < 6 && !isPublicHoliday(day)) {
            ++working;
        }
    }
    return day;
}

}  // namespace kov::efactura
