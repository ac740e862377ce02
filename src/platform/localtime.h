// The date and time that generated output shows ("{\d}", "{\t}", the DATE
// and TIME blocks of external output files): the system locale's short date
// and long time formats, as Shift_JIS. SOURCE_DATE_EPOCH, when set, replaces
// the clock so that output is reproducible.
#pragma once

#include <string>

namespace lexicana {

// Today's date in the system's short date format (Shift_JIS).
std::string CurrentDateText();
// The current time in the system's long time format without its time-zone
// part (Shift_JIS).
std::string CurrentTimeText();

// The instant SOURCE_DATE_EPOCH names (whole seconds since 1970 UTC); false
// when the variable is unset or not a number.
bool SourceDateEpoch(long long& seconds);

// A date/time format (UTF-8, Qt pattern letters) with its time-zone field
// "t" removed, together with the blanks that separated it; quoted literal
// text is kept as it is.
std::string TimeFormatWithoutZone(const std::string& format);

} // namespace lexicana
