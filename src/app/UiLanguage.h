// Which language the menus and dialogs speak: the stored Chinese captions or
// their English translation.
// Tested by tests/ui/TranslationsTest.cpp
#pragma once

#include <string>

namespace vantrel {

// What the choice depends on; empty strings stand for unset variables.
struct TLanguageEnvironment {
  std::string VantrelLang;         // VANTREL_LANG: "zh" or "en" overrides all else
  std::string LcAll;               // LC_ALL
  std::string LcMessages;          // LC_MESSAGES
  std::string Lang;                // LANG
  std::string FirstUiLanguage;     // the first of the system's interface languages
};

// True when the English translation is to be installed.
bool UseEnglishCaptions(const TLanguageEnvironment& environment);

}  // namespace vantrel
