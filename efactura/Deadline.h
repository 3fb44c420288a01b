#pragma once
// The last day an issued invoice may reach the e-Factura platform: five working days after the
// day it was issued, Saturdays, Sundays and the Romanian public holidays not counted.

#include <QDate>

namespace kov::efactura {

// Orthodox Easter Sunday of a year (Julian computus, moved to the Gregorian calendar).
QDate orthodoxEaster(int year);

// Whether the day is a Romanian public holiday.
bool isPublicHoliday(const QDate& day);

// The fifth working day after the day of issue.
QDate sendingDeadline(const QDate& issued);

}  // namespace kov::efactura
