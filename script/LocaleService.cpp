#include "script/LocaleService.h"

#include <clocale>
#include <langinfo.h>
#include <locale.h>

namespace lumora {

namespace {

const LocaleService* g_override = nullptr;

NumberFormat userNumberFormat() {
    NumberFormat format;
    locale_t user = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
    if (user == static_cast<locale_t>(0)) {
        return format; // unknown locale names fall back to the C rules
    }
    const char* radix = nl_langinfo_l(RADIXCHAR, user);
    const char* group = nl_langinfo_l(THOUSEP, user);
    if (radix != nullptr && *radix != '\0') {
        format.decimalSeparator = radix;
    }
    if (group != nullptr) {
        format.groupSeparator = group;
    }
    freelocale(user);
    return format;
}

} // namespace

SystemLocaleService::SystemLocaleService() : format_(userNumberFormat()) {}

const LocaleService& currentLocale() {
    static const SystemLocaleService system;
    return g_override != nullptr ? *g_override : system;
}

ScopedLocale::ScopedLocale(NumberFormat format)
    : service_(std::make_unique<FixedLocaleService>(std::move(format))), previous_(g_override) {
    g_override = service_.get();
}

ScopedLocale::~ScopedLocale() {
    g_override = previous_;
}

} // namespace lumora
