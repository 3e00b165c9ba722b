// Saving a file so that a failure leaves the old content in place, while the
// file keeps its links, permissions and owner.
// Tested by tests/text/CodeEditTextBufferTest.cpp
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "text/CodeEditFileWriter.h"

namespace vantrel {

// Writes the `size` bytes that writeContent produces to fileName. An existing
// file the user may not write is refused as an ordinary write would refuse it
// ("Permission denied"). A file with one link is replaced atomically: a
// temporary file in the same directory is written, synced, given the
// original's permissions and owner, and renamed over it. A file with several
// hard links, or one in a directory the user may not write, is written in
// place once its new size is reserved on disk. A symbolic link is kept and
// its target written. Throws EFileError.
void SaveFileSafely(const std::string& fileName, size_t size, const std::function<void(TByteSink&)>& writeContent);

}  // namespace vantrel
