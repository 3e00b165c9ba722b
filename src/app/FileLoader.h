// Reading a file for a document off the interface thread, so that a long read
// can show progress and be cancelled.
// Tested by tests/ui/FileLoaderTest.cpp
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

namespace vantrel {

class TCodeEditStringList;

// What a reader shares with the thread that watches it.
struct TReadProgress {
  std::atomic<int64_t> Done{0};
  std::atomic<int64_t> Total{0};
  std::atomic<bool> Cancel{false};
};

// Reads a whole file in chunks, updating progress and stopping (returning
// false) when Cancel is set. Throws EFileError naming the file and the reason.
// `lineBreaks` receives the number of CR and LF bytes, an upper bound for the
// number of lines, so the line buffer can be sized once.
bool ReadFileCancellable(const std::string& fileName, std::string& data, int64_t& lineBreaks,
                         TReadProgress& progress);

// Reads the file in a worker thread; after `delayMs` without the read having
// finished, a progress dialog with a Cancel button appears. Then the bytes go
// into `lines` on the calling (interface) thread. Returns false when the user
// cancelled (the lines are unchanged); throws EFileError when the read fails.
bool LoadLinesWithProgress(TCodeEditStringList& lines, const std::string& fileName, int delayMs = 500);

}  // namespace vantrel
