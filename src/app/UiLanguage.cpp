#include "app/UiLanguage.h"

namespace vantrel {

namespace {

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// The C locale (with or without a code set) asks for no translation at all,
// which is what scripted runs rely on to see the stored captions.
bool IsCLocale(const std::string& locale) { return locale == "C" || locale == "POSIX" || StartsWith(locale, "C."); }

}  // namespace

bool UseEnglishCaptions(const TLanguageEnvironment& environment) {
  if (StartsWith(environment.VantrelLang, "zh")) return false;
  if (StartsWith(environment.VantrelLang, "en")) return true;
  // The first set of these decides the message language, as in the C library.
  const std::string& locale = !environment.LcAll.empty()        ? environment.LcAll
                              : !environment.LcMessages.empty() ? environment.LcMessages
                                                                : environment.Lang;
  if (locale.empty() || IsCLocale(locale)) return false;
  return !StartsWith(environment.FirstUiLanguage, "zh");
}

}  // namespace vantrel
