#include "text/OutputDecoder.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace vantrel {

namespace {

iconv_t Handle(void* cd) { return static_cast<iconv_t>(cd); }

// Charsets whose first 128 codes are ASCII, so that ASCII passes unchanged
// (a command printing 100 MB of ASCII must not pay for iconv).
bool IsAsciiBased(const std::string& name) {
  std::string upper;
  for (char c : name) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper == "UTF-8" || upper == "UTF8" || upper == "ANSI_X3.4-1968" || upper == "ASCII" ||
         upper.starts_with("CP125") || upper.starts_with("ISO-8859") || upper == "GBK" || upper == "CP936" ||
         upper == "GB18030" || upper == "EUC-JP" || upper == "EUC-KR" || upper == "CP949" || upper == "BIG5" ||
         upper == "CP950" || upper == "KOI8-R" || upper == "KOI8-U";
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

TOutputDecoder::TOutputDecoder(const std::string& from, const std::string& to) : cd_(nullptr) {
  // Characters the target lacks become "?" instead of stopping the conversion.
  iconv_t cd = iconv_open((to + "//TRANSLIT").c_str(), from.c_str());
  if (cd != reinterpret_cast<iconv_t>(-1)) cd_ = cd;
  asciiCompatible_ = IsAsciiBased(from) && IsAsciiBased(to);
}

TOutputDecoder::~TOutputDecoder() {
  if (cd_) iconv_close(Handle(cd_));
}

std::string TOutputDecoder::Convert(std::string_view piece) {
  if (!cd_ || (pending_.empty() && asciiCompatible_ && IsAscii(piece))) return std::string(piece);
  std::string input = pending_ + std::string(piece);
  pending_.clear();
  std::string out;
  char buffer[4096];
  char* in = input.data();
  size_t inLeft = input.size();
  while (inLeft > 0) {
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    const size_t rc = iconv(Handle(cd_), &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, sizeof buffer - outLeft);
    if (rc != static_cast<size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    if (errno == EINVAL) {  // an unfinished character: wait for its rest
      pending_.assign(in, inLeft);
      break;
    }
    out.push_back('?');  // EILSEQ: a byte that is no character, or none in the target
    ++in;
    --inLeft;
  }
  return out;
}

std::string TOutputDecoder::Finish() {
  std::string rest(pending_.size(), '?');
  pending_.clear();
  if (cd_) iconv(Handle(cd_), nullptr, nullptr, nullptr, nullptr);
  return rest;
}

}  // namespace vantrel
