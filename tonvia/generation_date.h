#pragma once

#include <ctime>
#include <string>

namespace tonvia {

// The date as YYYY-MM-DD in UTC.
std::string formatDateUtc(std::time_t time);

// The date written into CONFIL: today's local date, or the date of
// SOURCE_DATE_EPOCH when that is set, so that builds can be reproduced.
// Not for use from more than one thread at once.
std::string generationDate();

}  // namespace tonvia
