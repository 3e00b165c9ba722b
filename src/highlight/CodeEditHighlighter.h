// The highlighter framework: token attributes, the base class every language
// highlighter derives from (attribute list, change hooks, token interface,
// range bookkeeping over a line buffer) and the registry of highlighter classes.
// Tested by tests/highlight/CodeEditHighlighterTest.cpp
#pragma once

#include <bitset>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Graphics.h"
#include "platform/Persistent.h"
#include "text/CodeEditTextBuffer.h"

namespace vantrel {

class CodePage;

// A set of byte values (word-break and identifier characters).
using THighlighterCharSet = std::bitset<256>;

// Builds a character set from the bytes of a string.
THighlighterCharSet MakeCharSet(std::string_view chars);
// Adds the byte range first..last (inclusive) to a set.
void AddCharRange(THighlighterCharSet& set, unsigned first, unsigned last);

// Colours and font style of one kind of token.
class THighlighterAttributes : public TPersistent {
 public:
  using TChangeEvent = std::function<void(THighlighterAttributes& sender)>;

  explicit THighlighterAttributes(std::string name);
  THighlighterAttributes(const THighlighterAttributes&) = delete;  // identity: listed and hooked by address
  THighlighterAttributes& operator=(const THighlighterAttributes&) = delete;

  const std::string& Name() const { return name_; }
  TColor Background() const { return background_; }
  TColor Foreground() const { return foreground_; }
  TFontStyles Style() const { return style_; }
  TColor BackgroundDefault() const { return backgroundDefault_; }
  TColor ForegroundDefault() const { return foregroundDefault_; }
  TFontStyles StyleDefault() const { return styleDefault_; }

  // Each setter calls Changed only when the value really changes.
  void SetBackground(TColor value);
  void SetForeground(TColor value);
  void SetStyle(TFontStyles value);

  // Whether a form description would store the value (it differs from the default).
  bool IsBackgroundStored() const { return background_ != backgroundDefault_; }
  bool IsForegroundStored() const { return foreground_ != foregroundDefault_; }
  bool IsStyleStored() const { return style_ != styleDefault_; }

  // From another attribute: its name, then its colours and style.
  void Assign(const TPersistent& source) override;
  // Copies the colours and style; one Changed at the end when anything differed.
  void AssignColorAndStyle(const THighlighterAttributes& source);
  void SaveDefaults();
  virtual void Changed();
  std::string ClassName() const override { return "THighlighterAttributes"; }

  TChangeEvent OnChange;

 private:
  TColor background_ = clNone;
  TColor backgroundDefault_ = clNone;
  TColor foreground_ = clNone;
  TColor foregroundDefault_ = clNone;
  std::string name_;
  TFontStyles style_ = 0;
  TFontStyles styleDefault_ = 0;
};

// Indices of DefaultAttribute, the same for every language.
enum THighlighterDefaultAttribute : int {
  haComment = 0,
  haIdentifier = 1,
  haKeyword = 2,
  haString = 3,
  haWhitespace = 4,
  haSymbol = 5,
};

// The base of every language highlighter. One instance is shared by all the
// editors showing its language, so it holds no per-document state: clients
// set the range a line starts in, then StartLine, then step through tokens.
class TCustomHighlighter : public TPersistent {
 public:
  // Called with the changed attribute, or with no sender (nullptr) when
  // Enabled changed or loading finished.
  using TChangeHook = std::function<void(TPersistent* sender)>;

  TCustomHighlighter();
  ~TCustomHighlighter() override;
  TCustomHighlighter(const TCustomHighlighter&) = delete;  // identity: editors hook it by address
  TCustomHighlighter& operator=(const TCustomHighlighter&) = delete;

  // ---- Attributes, ordered by Name (byte-wise) whatever the order added.
  virtual int AttributeCount() const;
  virtual THighlighterAttributes* AttributeAt(int index) const;
  THighlighterAttributes* AttributeByName(std::string_view name) const;
  // The attribute behind a property name of the main window's settings
  // ("CommentAttri"); nullptr when the language has no such property.
  virtual THighlighterAttributes* AttributeByProperty(std::string_view property) const;
  // Index per THighlighterDefaultAttribute; nullptr when the language has none.
  virtual THighlighterAttributes* DefaultAttribute(int index) const = 0;

  // ---- Descriptive data.
  virtual std::string DefaultFilter() const;
  virtual void SetDefaultFilter(std::string value);
  virtual bool IsDefaultFilterStored() const;
  virtual THighlighterCharSet IdentifierChars() const;
  virtual std::string SampleSource() const;
  virtual void SetSampleSource(std::string text);
  virtual std::string LanguageName() const;
  virtual bool IsKeyword(std::string_view word) const;

  const THighlighterCharSet& WordBreakChars() const { return wordBreakChars_; }
  virtual void SetWordBreakChars(const THighlighterCharSet& chars);

  // When false, clients draw the text without highlighting.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);

  // ---- Token interface.
  // Makes text the current line (scanned up to its first NUL; the highlighter
  // keeps its own copy) and scans the first token.
  virtual void StartLine(std::string_view text, int lineIndex);
  // Scans the token after the current one. Before the line end every call
  // consumes at least one character.
  virtual void NextToken() = 0;
  // True when the current token is the end-of-line token (length 0).
  virtual bool AtLineEnd() const = 0;
  // Copy of the current token's characters; the only call that allocates.
  virtual std::string TokenText() const;
  // 0-based offset of the current token in the line.
  virtual int TokenStart() const;
  // Length of the current token in characters (0 for the end of line).
  int TokenLength() const { return run_ - tokenPos_; }
  // The current token's characters, valid until the next StartLine.
  std::string_view TokenView() const { return {line_ + tokenPos_, size_t(run_ - tokenPos_)}; }
  // The language's token kind number of the current token.
  virtual int TokenKind() const = 0;
  // Attribute to draw the current token with; nullptr for the end of line.
  virtual THighlighterAttributes* TokenAttribute() const = 0;
  void ScanToLineEnd();
  int LineIndex() const { return lineIndex_; }
  // Scans text as line lineIndex from the current range state and returns
  // the state the next line starts in, which is then current. A language may
  // find it quicker than its token loop; no token is valid afterwards.
  virtual TLineRange ScanLineRange(std::string_view text, int lineIndex);

  // ---- Range state: the per-line value that carries multi-line constructs.
  // The state reached so far; after the last token, the state the next line starts in.
  virtual TLineRange RangeState() const;
  // Makes value the state the next StartLine starts in.
  virtual void SetRangeState(TLineRange value);
  // Makes the language's initial state the starting state.
  virtual void ResetRangeState();

  // ---- Range bookkeeping over a line buffer, whose GetLineRange(i) holds the
  // state line i ends in (kNoLineRange when not scanned yet). The scans store
  // their ranges inside one BeginUpdate/EndUpdate of the buffer.
  // Sets the state that line `index` (0-based) starts in.
  void SetRangeForLine(const TCodeEditStringList& lines, int index);
  // Scans every line from the initial state and stores each end state.
  void ScanAllRanges(TCodeEditStringList& lines);
  // After lines first..lastChanged were changed or inserted: scans them all,
  // then goes on until a line ends in the state already stored for it.
  // Returns the index of the last line scanned (-1 when none was).
  int ScanRangesFrom(TCodeEditStringList& lines, int first, int lastChanged);

  // ---- Change notification.
  void AddAttribute(THighlighterAttributes* attribute);  // takes ownership
  // `owner` identifies the handler for UnhookAttrChange (an editor passes itself).
  void HookAttrChange(const void* owner, TChangeHook handler);
  void UnhookAttrChange(const void* owner);
  // While the update count is above 0 notifications are only remembered.
  void BeginUpdate();
  void EndUpdate();
  // Values set between BeginLoading and Loaded raise no notifications;
  // Loaded raises one with no sender.
  void BeginLoading() { loading_ = true; }
  void Loaded();

  // From another highlighter: attributes by name, sample source (same class
  // only), word-break characters, DefaultFilter and Enabled.
  void Assign(const TPersistent& source) override;
  std::string ClassName() const override { return "TCustomHighlighter"; }

 protected:
  // Binds every attribute's OnChange to the change handler and saves the
  // current values as defaults; languages call it at the end of their constructor.
  void FinishAttributes();
  void AttributeChanged(TPersistent* sender);
  // Copies the line (with a NUL after it) into the reused line buffer and
  // sets the scan position to 0.
  void SetLine(std::string_view text, int lineIndex);

  // ---- Scanners shared by the languages; each reads at run_ and advances it.
  static bool IsLineEndChar(char c) { return c == '\0' || c == '\n' || c == '\r'; }
  static bool IsSpaceChar(char c) {
    auto b = static_cast<unsigned char>(c);
    return b != 0 && b <= 32 && b != '\n' && b != '\r';
  }
  // A run of blanks and control characters other than NUL, CR and LF.
  void ScanSpaces();
  // CR, LF, or CR LF as one token.
  void ScanLineBreak();
  // Up to (not including) NUL, CR or LF.
  void SkipToLineEnd();
  // Up to and including `*/`, or to the line end; true when `*/` was found.
  bool SkipBlockCommentBody();
  // A quoted literal whose opening quote is already consumed: ends after the
  // closing quote or before NUL, CR or LF; a backslash steps over a following
  // quote or backslash. Returns true when the line ended inside the literal
  // right after a backslash (the literal continues on the next line).
  bool SkipQuotedBody(char quote);
  // One character, or two when it is a lead byte of the active double-byte
  // code page and a character other than NUL, CR or LF follows it.
  void SkipCharacterCell();

  const char* line_ = "";  // NUL-terminated copy of the current line
  int run_ = 0;            // scan position
  int tokenPos_ = 0;       // start of the current token
  int lineIndex_ = 0;

 private:
  struct Hook {
    const void* owner;
    TChangeHook handler;
  };

  std::vector<std::unique_ptr<THighlighterAttributes>> attributes_;  // sorted by Name
  std::vector<Hook> hooks_;
  int updateCount_ = 0;
  bool updatePending_ = false;
  bool loading_ = false;
  bool enabled_ = true;
  THighlighterCharSet wordBreakChars_;
  std::string defaultFilter_;
  std::string lineBuffer_;
  const CodePage* codePage_ = nullptr;  // fetched on first need in a line
};

// The registry of highlighter classes; a class is represented by the
// function that creates an instance.
using THighlighterClass = std::unique_ptr<TCustomHighlighter> (*)();

class THighlighterList {
 public:
  int Count() const { return int(classes_.size()); }
  THighlighterClass Item(int index) const;
  // Adds the class unless it is already there.
  void Add(THighlighterClass cls);
  int IndexOf(THighlighterClass cls) const;

 private:
  std::vector<THighlighterClass> classes_;
};

// The process-wide registry, created on first use.
THighlighterList& GetPlaceableHighlighters();
void RegisterPlaceableHighlighter(THighlighterClass cls);

}  // namespace vantrel
