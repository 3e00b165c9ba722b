// The highlighter framework: token attributes, the base class every language
// highlighter derives from and the registry of highlighter classes.
// Tested by tests/highlight/CodeEditHighlighterTest.cpp
#include "highlight/CodeEditHighlighter.h"

#include <algorithm>
#include <typeinfo>

#include "highlight/HighlighterLanguages.h"
#include "platform/CodePage.h"

namespace vantrel {

THighlighterCharSet MakeCharSet(std::string_view chars) {
  THighlighterCharSet set;
  for (char c : chars) set.set(static_cast<unsigned char>(c));
  return set;
}

void AddCharRange(THighlighterCharSet& set, unsigned first, unsigned last) {
  for (unsigned c = first; c <= last && c < 256; ++c) set.set(c);
}

// ---------------------------------------------------------------- attributes

THighlighterAttributes::THighlighterAttributes(std::string name) : name_(std::move(name)) {}

void THighlighterAttributes::SetBackground(TColor value) {
  if (background_ == value) return;
  background_ = value;
  Changed();
}

void THighlighterAttributes::SetForeground(TColor value) {
  if (foreground_ == value) return;
  foreground_ = value;
  Changed();
}

void THighlighterAttributes::SetStyle(TFontStyles value) {
  if (style_ == value) return;
  style_ = value;
  Changed();
}

void THighlighterAttributes::Assign(const TPersistent& source) {
  auto* attribute = dynamic_cast<const THighlighterAttributes*>(&source);
  if (!attribute) return TPersistent::Assign(source);
  name_ = attribute->name_;
  AssignColorAndStyle(*attribute);
}

void THighlighterAttributes::AssignColorAndStyle(const THighlighterAttributes& source) {
  bool changed = background_ != source.background_ || foreground_ != source.foreground_ ||
                 style_ != source.style_;
  background_ = source.background_;
  foreground_ = source.foreground_;
  style_ = source.style_;
  if (changed) Changed();
}

void THighlighterAttributes::SaveDefaults() {
  backgroundDefault_ = background_;
  foregroundDefault_ = foreground_;
  styleDefault_ = style_;
}

void THighlighterAttributes::Changed() {
  if (OnChange) OnChange(*this);
}

// ---------------------------------------------------------------- highlighter

TCustomHighlighter::TCustomHighlighter()
    : wordBreakChars_(MakeCharSet("!\"'()*+,-./:;=?[\\]^{|}")) {}

TCustomHighlighter::~TCustomHighlighter() = default;

int TCustomHighlighter::AttributeCount() const { return int(attributes_.size()); }

THighlighterAttributes* TCustomHighlighter::AttributeAt(int index) const {
  if (index < 0 || index >= AttributeCount()) return nullptr;
  return attributes_[size_t(index)].get();
}

THighlighterAttributes* TCustomHighlighter::AttributeByProperty(std::string_view) const { return nullptr; }

THighlighterAttributes* TCustomHighlighter::AttributeByName(std::string_view name) const {
  auto it = std::lower_bound(attributes_.begin(), attributes_.end(), name,
                             [](const auto& a, std::string_view n) { return a->Name() < n; });
  return it != attributes_.end() && (*it)->Name() == name ? it->get() : nullptr;
}

std::string TCustomHighlighter::DefaultFilter() const { return defaultFilter_; }
void TCustomHighlighter::SetDefaultFilter(std::string value) { defaultFilter_ = std::move(value); }
bool TCustomHighlighter::IsDefaultFilterStored() const { return true; }

THighlighterCharSet TCustomHighlighter::IdentifierChars() const {
  THighlighterCharSet set;
  AddCharRange(set, 33, 255);
  return set;
}

std::string TCustomHighlighter::SampleSource() const { return {}; }
void TCustomHighlighter::SetSampleSource(std::string) {}
std::string TCustomHighlighter::LanguageName() const { return "<Unknown>"; }
bool TCustomHighlighter::IsKeyword(std::string_view) const { return false; }

void TCustomHighlighter::SetWordBreakChars(const THighlighterCharSet& chars) { wordBreakChars_ = chars; }

void TCustomHighlighter::SetEnabled(bool value) {
  if (enabled_ == value) return;
  enabled_ = value;
  AttributeChanged(nullptr);
}

void TCustomHighlighter::StartLine(std::string_view text, int lineIndex) {
  SetLine(text, lineIndex);
  NextToken();
}

std::string TCustomHighlighter::TokenText() const { return std::string(TokenView()); }
int TCustomHighlighter::TokenStart() const { return tokenPos_; }

void TCustomHighlighter::ScanToLineEnd() {
  while (!AtLineEnd()) NextToken();
}

TLineRange TCustomHighlighter::ScanLineRange(std::string_view text, int lineIndex) {
  StartLine(text, lineIndex);
  ScanToLineEnd();
  return RangeState();
}

TLineRange TCustomHighlighter::RangeState() const { return 0; }
void TCustomHighlighter::SetRangeState(TLineRange) {}
void TCustomHighlighter::ResetRangeState() {}

void TCustomHighlighter::SetRangeForLine(const TCodeEditStringList& lines, int index) {
  if (index <= 0)
    ResetRangeState();
  else
    SetRangeState(lines.GetLineRange(index - 1));
}

namespace {

// Storing ranges is one batch for the buffer's listeners, not one per line.
class LinesUpdate {
 public:
  explicit LinesUpdate(TCodeEditStringList& lines) : lines_(lines) { lines_.BeginUpdate(); }
  ~LinesUpdate() { lines_.EndUpdate(); }
  LinesUpdate(const LinesUpdate&) = delete;  // brackets one batch
  LinesUpdate& operator=(const LinesUpdate&) = delete;

 private:
  TCodeEditStringList& lines_;
};

}  // namespace

void TCustomHighlighter::ScanAllRanges(TCodeEditStringList& lines) {
  LinesUpdate update(lines);
  ResetRangeState();
  for (int i = 0, n = lines.Count(); i < n; ++i) {
    lines.SetLineRange(i, ScanLineRange(lines.Get(i), i));
  }
}

int TCustomHighlighter::ScanRangesFrom(TCodeEditStringList& lines, int first, int lastChanged) {
  int count = lines.Count();
  first = std::max(first, 0);
  if (first >= count) return -1;
  LinesUpdate update(lines);
  SetRangeForLine(lines, first);
  for (int i = first; i < count; ++i) {
    TLineRange range = ScanLineRange(lines.Get(i), i);
    if (i >= lastChanged && range == lines.GetLineRange(i)) return i;
    lines.SetLineRange(i, range);
  }
  return count - 1;
}

void TCustomHighlighter::AddAttribute(THighlighterAttributes* attribute) {
  std::unique_ptr<THighlighterAttributes> owned(attribute);
  auto it = std::lower_bound(
      attributes_.begin(), attributes_.end(), owned->Name(),
      [](const auto& a, const std::string& name) { return a->Name() < name; });
  if (it != attributes_.end() && (*it)->Name() == owned->Name())
    throw Exception("String list does not allow duplicates");
  attributes_.insert(it, std::move(owned));
}

void TCustomHighlighter::FinishAttributes() {
  for (auto& attribute : attributes_) {
    attribute->OnChange = [this](THighlighterAttributes& sender) { AttributeChanged(&sender); };
    attribute->SaveDefaults();
  }
}

void TCustomHighlighter::HookAttrChange(const void* owner, TChangeHook handler) {
  hooks_.push_back({owner, std::move(handler)});
}

void TCustomHighlighter::UnhookAttrChange(const void* owner) {
  auto it = std::find_if(hooks_.begin(), hooks_.end(), [owner](const Hook& h) { return h.owner == owner; });
  if (it != hooks_.end()) hooks_.erase(it);
}

void TCustomHighlighter::BeginUpdate() { ++updateCount_; }

void TCustomHighlighter::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ == 0 && updatePending_) {
    updatePending_ = false;
    AttributeChanged(nullptr);
  }
}

void TCustomHighlighter::Loaded() {
  loading_ = false;
  AttributeChanged(nullptr);
}

void TCustomHighlighter::AttributeChanged(TPersistent* sender) {
  if (updateCount_ > 0) {
    updatePending_ = true;
    return;
  }
  if (loading_) return;
  // A handler may hook or unhook (an editor switching highlighters), so fire
  // from a snapshot.
  std::vector<Hook> hooks = hooks_;
  for (auto& hook : hooks)
    if (hook.handler) hook.handler(sender);
}

void TCustomHighlighter::Assign(const TPersistent& source) {
  auto* other = dynamic_cast<const TCustomHighlighter*>(&source);
  if (!other) return TPersistent::Assign(source);
  for (auto& own : attributes_) {
    for (auto& theirs : other->attributes_) {
      if (theirs->Name() == own->Name()) {
        own->Assign(*theirs);
        break;
      }
    }
  }
  if (typeid(*other) == typeid(*this)) SetSampleSource(other->SampleSource());
  SetWordBreakChars(other->WordBreakChars());
  SetDefaultFilter(other->DefaultFilter());
  SetEnabled(other->Enabled());
}

void TCustomHighlighter::SetLine(std::string_view text, int lineIndex) {
  // The copy gives the scanners a NUL sentinel; the buffer keeps its capacity,
  // so steady scanning does not allocate.
  lineBuffer_.assign(text.data(), text.size());
  line_ = lineBuffer_.c_str();
  lineIndex_ = lineIndex;
  run_ = 0;
  tokenPos_ = 0;
  codePage_ = nullptr;
}

// ---------------------------------------------------------------- shared scanners

void TCustomHighlighter::ScanSpaces() {
  while (IsSpaceChar(line_[run_])) ++run_;
}

void TCustomHighlighter::ScanLineBreak() {
  if (line_[run_] == '\r') {
    ++run_;
    if (line_[run_] == '\n') ++run_;
  } else if (line_[run_] == '\n') {
    ++run_;
  }
}

void TCustomHighlighter::SkipToLineEnd() {
  while (!IsLineEndChar(line_[run_])) ++run_;
}

bool TCustomHighlighter::SkipBlockCommentBody() {
  for (;;) {
    char c = line_[run_];
    if (IsLineEndChar(c)) return false;
    if (c == '*' && line_[run_ + 1] == '/') {
      run_ += 2;
      return true;
    }
    ++run_;
  }
}

bool TCustomHighlighter::SkipQuotedBody(char quote) {
  for (;;) {
    char c = line_[run_];
    if (IsLineEndChar(c)) return false;
    if (c == quote) {
      ++run_;
      return false;
    }
    if (c == '\\') {
      char next = line_[run_ + 1];
      if (next == '\0') {
        ++run_;
        return true;
      }
      if (next == quote || next == '\\') ++run_;
    }
    ++run_;
  }
}

void TCustomHighlighter::SkipCharacterCell() {
  if (!codePage_) codePage_ = &CodePage::Active();
  auto lead = static_cast<unsigned char>(line_[run_]);
  ++run_;
  if (codePage_->IsLeadByte(lead) && !IsLineEndChar(line_[run_])) ++run_;
}

// ---------------------------------------------------------------- registry

THighlighterClass THighlighterList::Item(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return classes_[size_t(index)];
}

void THighlighterList::Add(THighlighterClass cls) {
  if (cls && IndexOf(cls) < 0) classes_.push_back(cls);
}

int THighlighterList::IndexOf(THighlighterClass cls) const {
  auto it = std::find(classes_.begin(), classes_.end(), cls);
  return it == classes_.end() ? -1 : int(it - classes_.begin());
}

THighlighterList& GetPlaceableHighlighters() {
  // Filled from the language table on first use, so a language registers in
  // one place only.
  static THighlighterList list = [] {
    THighlighterList classes;
    for (const THighlighterLanguage& language : HighlighterLanguages()) classes.Add(language.Create);
    return classes;
  }();
  return list;
}

void RegisterPlaceableHighlighter(THighlighterClass cls) { GetPlaceableHighlighters().Add(cls); }

}  // namespace vantrel
