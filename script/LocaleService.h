#pragma once

#include <memory>
#include <string>

namespace lumora {

// How the user's locale writes numbers.
struct NumberFormat {
    std::string decimalSeparator = ".";
    std::string groupSeparator; // empty when the locale groups no digits
};

// The one place that consults the user's locale. Everything else that reads or writes numbers
// in files is locale-independent; only parameter values follow the user's notation.
class LocaleService {
  public:
    virtual ~LocaleService() = default;
    virtual NumberFormat numberFormat() const = 0;
};

// Reads LC_NUMERIC from the environment (LC_ALL, LC_NUMERIC, LANG) once, when first asked: the
// notation is the user's for the whole run, and asking the C library opens the locale's files.
class SystemLocaleService : public LocaleService {
  public:
    SystemLocaleService();
    NumberFormat numberFormat() const override { return format_; }

  private:
    NumberFormat format_;
};

class FixedLocaleService : public LocaleService {
  public:
    explicit FixedLocaleService(NumberFormat format) : format_(std::move(format)) {}
    NumberFormat numberFormat() const override { return format_; }

  private:
    NumberFormat format_;
};

const LocaleService& currentLocale();

// Replaces the locale service while it lives; tests use it to run under a "," locale.
class ScopedLocale {
  public:
    explicit ScopedLocale(NumberFormat format);
    ~ScopedLocale();
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

  private:
    std::unique_ptr<LocaleService> service_;
    const LocaleService* previous_;
};

} // namespace lumora
