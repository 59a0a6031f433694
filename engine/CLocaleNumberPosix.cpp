#include "CLocaleNumber.h"

#include <cstdlib>
#include <locale.h>

namespace curvix {

double StrtodCLocale(const char* text) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return strtod_l(text, nullptr, cLocale);
}

} // namespace curvix
