// Converts a command's output, arriving in pieces, from the console charset
// to the active code page. A character split between two pieces is
// converted whole once its rest arrives.
// Tested by tests/text/TextToolsTest.cpp
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

class TOutputDecoder {
 public:
  // Charsets by iconv name.
  TOutputDecoder(const std::string& from, const std::string& to);
  ~TOutputDecoder();
  TOutputDecoder(const TOutputDecoder&) = delete;  // owns a conversion state
  TOutputDecoder& operator=(const TOutputDecoder&) = delete;

  // The converted text of piece; bytes that do not convert become '?'.
  std::string Convert(std::string_view piece);
  // What is left of an unfinished character at the end of the output.
  std::string Finish();

 private:
  void* cd_;  // iconv_t, or null when the pair is unknown (bytes pass as they are)
  bool asciiCompatible_ = false;
  std::string pending_;  // the start of a character split at a piece's end
};

}  // namespace vantrel
