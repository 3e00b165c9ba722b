// vantrel-regex [-m MODIFIERS] [--replace TEMPLATE] [--plain] PATTERN [SUBJECT]
// Runs the regular-expression engine once and prints the groups, or the
// result of replacing every match. SUBJECT defaults to standard input.
// --plain searches without reusing failures, to compare results.
#include <cstdio>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>

#include "search/Regex.h"

namespace vantrel {
namespace {

int Usage() {
  std::fputs("usage: vantrel-regex [-m MODIFIERS] [--replace TEMPLATE] [--plain] PATTERN [SUBJECT]\n"
             "  MODIFIERS: letters of imsxgr to turn on, then optionally '-' and letters to turn off\n",
             stderr);
  return 2;
}

// "i-s": i on, s off; letters not named keep their defaults.
bool ApplyModifiers(TRegex& regex, const std::string& letters) {
  static const std::string kLetters = "irsgmx";  // in modifier-number order
  bool on = true;
  for (char c : letters) {
    if (c == '-') {
      if (!on) return false;
      on = false;
      continue;
    }
    size_t number = kLetters.find(c);
    if (number == std::string::npos) return false;
    regex.SetModifier(static_cast<int>(number) + 1, on);
  }
  return true;
}

int Run(int argc, char** argv) {
  std::optional<std::string> modifiers;
  std::optional<std::string> templ;
  std::optional<std::string> pattern;
  std::optional<std::string> subject;
  bool plain = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "-m" && i + 1 < argc) {
      modifiers = argv[++i];
    } else if (arg == "--replace" && i + 1 < argc) {
      templ = argv[++i];
    } else if (arg == "--plain") {
      plain = true;
    } else if (arg == "--") {
      for (++i; i < argc; ++i) {
        if (!pattern) {
          pattern = argv[i];
        } else if (!subject) {
          subject = argv[i];
        } else {
          return Usage();
        }
      }
    } else if (!pattern) {
      pattern = arg;
    } else if (!subject) {
      subject = arg;
    } else {
      return Usage();
    }
  }
  if (!pattern) return Usage();
  if (!subject) {
    subject = std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  }

  TRegex regex;
  regex.SetReuseFailures(!plain);
  if (modifiers && !ApplyModifiers(regex, *modifiers)) return Usage();
  try {
    regex.SetExpression(*pattern);
    if (templ) {
      std::string result = regex.ReplaceMatches(*subject, *templ, true);
      std::fwrite(result.data(), 1, result.size(), stdout);
      return 0;
    }
    if (!regex.Exec(*subject)) {
      std::puts("nomatch");
      return 0;
    }
    std::puts("match");
    for (int i = 0; i < kRegexGroupCount; ++i) {
      std::printf("%d\t%d\t%d\n", i, regex.GroupStart(i), regex.GroupLength(i));
    }
    return 0;
  } catch (const ERegex& e) {
    std::printf("error\t%d\t%s\n", e.ErrorCode(), e.what());
    return 1;
  }
}

}  // namespace
}  // namespace vantrel

int main(int argc, char** argv) { return vantrel::Run(argc, argv); }
