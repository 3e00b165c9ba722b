// Shared set-up for the editor tests: an editor on a fake host, and a guard
// that switches the active code page for one test.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "support/FakeEditorHost.h"
#include "editor/CodeEdit.h"
#include "platform/CodePage.h"

namespace vantrel {

// 800 x 600 client, 8 x 16 cells, gutter 30: 96 visible columns, 37 rows.
struct EditorOnHost {
  explicit EditorOnHost(std::string_view text = {}, int width = 800, int height = 600)
      : host(width, height), edit(&host) {
    edit.OnStatusChange = [this](TCustomCodeEdit&, TStatusChanges changes) { statuses.push_back(changes); };
    if (!text.empty()) edit.SetText(text);
    statuses.clear();
    host.ClearRecords();
  }
  FakeEditorHost host;
  TCodeEdit edit;
  std::vector<TStatusChanges> statuses;
};

class ActiveCodePage {
 public:
  explicit ActiveCodePage(int number) : previous_(CodePage::Active().Number()) { CodePage::SetActive(number); }
  ~ActiveCodePage() { CodePage::SetActive(previous_); }
  ActiveCodePage(const ActiveCodePage&) = delete;
  ActiveCodePage& operator=(const ActiveCodePage&) = delete;

 private:
  int previous_;
};

inline std::string Lines(const TCustomCodeEdit& edit) { return edit.Lines().GetText(); }

}  // namespace vantrel
