// The main window's highlighter instances: created once from the language
// registry and given the colours and styles the window sets on them.
// Tested by tests/ui/SyntaxTableTest.cpp
#pragma once

#include <array>
#include <memory>
#include <string_view>
#include <vector>

#include "app/SyntaxTable.h"
#include "platform/Graphics.h"

namespace vantrel {

class TCustomHighlighter;

// One attribute setting of an instance; kKeep leaves a value as the class has it.
struct TAttributeSetting {
  static constexpr TColor kKeepColor = 0xFFFFFFFF;
  static constexpr int kKeepStyle = -1;
  THighlighterInstance Instance;
  const char* Property;  // "CommentAttri"
  TColor Foreground = kKeepColor;
  TColor Background = kKeepColor;
  int Style = kKeepStyle;
};

const std::vector<TAttributeSetting>& AttributeSettings();

class THighlighterSet {
 public:
  THighlighterSet();
  ~THighlighterSet();
  THighlighterSet(const THighlighterSet&) = delete;  // editors hold the instances by address
  THighlighterSet& operator=(const THighlighterSet&) = delete;

  // nullptr while the language's highlighter is not built into the program.
  TCustomHighlighter* Instance(THighlighterInstance instance) const;

  // Settings that found no attribute on an existing instance (a renamed
  // attribute would otherwise lose its colours silently).
  const std::vector<const TAttributeSetting*>& UnappliedSettings() const { return unapplied_; }

 private:
  std::array<std::unique_ptr<TCustomHighlighter>, kHighlighterInstanceCount> instances_;
  std::vector<const TAttributeSetting*> unapplied_;
};

}  // namespace vantrel
