// Handler chains: order, swallowing keys, re-entry, and the notification
// chain's exception rule.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "EditorTestUtil.h"
#include "editor/CodeEditKbdHandler.h"

namespace vantrel {
namespace {

TEST(CodeEditKbdHandler, KeyDownRunsNewestFirstAndStopsWhenSwallowed) {
  TCodeEdit edit;
  TCodeEditKbdHandler chain;
  std::string order;
  int a = 0, b = 0, c = 0;
  chain.AddKeyDownHandler(&a, [&](TCustomCodeEdit&, TVirtualKey&, TShiftState) { order += 'a'; });
  chain.AddKeyDownHandler(&b, [&](TCustomCodeEdit&, TVirtualKey& key, TShiftState) {
    order += 'b';
    if (key == 'X') key = 0;
  });
  chain.AddKeyDownHandler(&c, [&](TCustomCodeEdit&, TVirtualKey&, TShiftState) { order += 'c'; });
  TVirtualKey key = 'Y';
  chain.RunKeyDown(edit, key, 0);
  EXPECT_EQ(order, "cba");
  order.clear();
  key = 'X';
  chain.RunKeyDown(edit, key, 0);
  EXPECT_EQ(order, "cb");
  EXPECT_EQ(key, 0);
  chain.RemoveKeyDownHandler(&b);
  order.clear();
  key = 'X';
  chain.RunKeyDown(edit, key, 0);
  EXPECT_EQ(order, "ca");
}

TEST(CodeEditKbdHandler, MouseChainsCallEveryCallback) {
  TCodeEdit edit;
  TCodeEditKbdHandler chain;
  int calls = 0;
  int a = 0, b = 0;
  chain.AddMouseDownHandler(&a, [&](TCustomCodeEdit&, TMouseButton, TShiftState, int, int) { ++calls; });
  chain.AddMouseDownHandler(&b, [&](TCustomCodeEdit&, TMouseButton, TShiftState, int, int) { ++calls; });
  chain.RunMouseDown(edit, mbLeft, 0, 0, 0);
  EXPECT_EQ(calls, 2);
  TCursor cursor = crIBeam;
  chain.AddMouseCursorHandler(&a, [](TCustomCodeEdit&, const TBufferCoord&, TCursor& c) { c = crArrow; });
  chain.RunMouseCursor(edit, {1, 1}, cursor);
  EXPECT_EQ(cursor, crArrow);
}

TEST(CodeEditKbdHandler, NoReentryAndFlagClearedAfterFailure) {
  TCodeEdit edit;
  TCodeEditKbdHandler chain;
  int depth = 0;
  bool fail = true;
  int owner = 0;
  chain.AddKeyPressHandler(&owner, [&](TCustomCodeEdit& sender, char& ch) {
    ++depth;
    char inner = ch;
    chain.RunKeyPress(sender, inner);  // ignored while running
    if (fail) throw std::runtime_error("boom");
  });
  char ch = 'a';
  EXPECT_THROW(chain.RunKeyPress(edit, ch), std::runtime_error);
  EXPECT_EQ(depth, 1);
  fail = false;
  chain.RunKeyPress(edit, ch);  // runs again: the flag was cleared
  EXPECT_EQ(depth, 2);
}

TEST(CodeEditKbdHandler, NotifyChainExceptionRule) {
  struct Row {
    const char* name;
    bool handler;
    bool handlerContinues;
    bool handlerThrows;
    std::string calls;
    const char* error;  // what escapes, if anything
  } rows[] = {
      {"no handler: the error passes on", false, false, false, "12", "boom"},
      {"handler continues", true, true, false, "123", nullptr},
      {"handler stops", true, false, false, "12", nullptr},
      {"handler fails", true, true, true, "12",
       "TNotifyEventChain.DoHandleException : MUST NOT occur any kind of exception in ExceptionHandler"},
  };
  for (const auto& row : rows) {
    int sender = 0;
    TNotifyEventChain chain(&sender);
    std::string calls;
    int o1 = 0, o2 = 0, o3 = 0;
    chain.Add(&o1, [&](const void* s) {
      EXPECT_EQ(s, &sender);
      calls += '1';
    });
    chain.Add(&o2, [&](const void*) {
      calls += '2';
      throw std::runtime_error("boom");
    });
    chain.Add(&o3, [&](const void*) { calls += '3'; });
    if (row.handler) {
      chain.OnException = [&](TMethodChain&, std::exception_ptr, bool& doContinue) {
        if (row.handlerThrows) throw std::runtime_error("again");
        doContinue = row.handlerContinues;
      };
    }
    std::string escaped;
    try {
      chain.Fire();
    } catch (const std::exception& e) {
      escaped = e.what();
    }
    EXPECT_EQ(calls, row.calls) << row.name;
    EXPECT_EQ(escaped, row.error ? row.error : "") << row.name;
  }
}

TEST(CodeEditKbdHandler, RemovingDropsEveryEntryOfTheCallback) {
  TNotifyEventChain chain;
  int owner = 0, other = 0, count = 0;
  chain.Add(&owner, [&](const void*) { ++count; });
  chain.Add(&other, [&](const void*) { ++count; });
  chain.Add(&owner, [&](const void*) { ++count; });
  chain.Remove(&owner);
  EXPECT_EQ(chain.Count(), 1);
  chain.Fire();
  EXPECT_EQ(count, 1);
}

}  // namespace
}  // namespace vantrel
