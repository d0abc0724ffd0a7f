#include "UserLocale.h"

#if defined(__unix__) || defined(__APPLE__)
#include <langinfo.h>
#include <locale.h>
#endif

namespace inlet {

NumberLocale userNumberLocale()
{
    NumberLocale result{".", ""};
#if defined(__unix__) || defined(__APPLE__)
    locale_t user = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
    if (user == static_cast<locale_t>(0))
        return result;
    const char* decimal = nl_langinfo_l(RADIXCHAR, user);
    const char* group = nl_langinfo_l(THOUSEP, user);
    if (decimal != nullptr && *decimal != '\0')
        result.decimalSeparator = decimal;
    if (group != nullptr)
        result.groupSeparator = group;
    freelocale(user);
#endif
    return result;
}

}  // namespace inlet
