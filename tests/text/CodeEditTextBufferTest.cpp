// Line buffer: splitting, saving, notifications, tab expansion, longest line.
#include "text/CodeEditTextBuffer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "text/CodeEditFileWriter.h"
#include "text/LineLimits.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const TCodeEditStringList& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list.GetString(i));
  return out;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class TempDir {
 public:
  TempDir() {
    char pattern[] = "/tmp/vantrel-text-XXXXXX";
    path_ = ::mkdtemp(pattern);
  }
  ~TempDir() { fs::remove_all(path_); }
  fs::path operator/(const std::string& name) const { return path_ / name; }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

struct LoadCase {
  const char* name;
  std::string bytes;
  std::vector<std::string> lines;
  TLineBreakStyle style;
  std::string saved;  // what saving writes back
};

TEST(StringListLoad, SplitsEveryBreakStyleAndSavesInTheDetectedOne) {
  const std::vector<LoadCase> cases = {
      {"empty", "", {}, lbsCRLF, ""},
      {"lf with final break", "a\nb\n", {"a", "b", ""}, lbsLF, "a\nb\n"},
      {"lone cr", "a\rb", {"a", "b"}, lbsCR, "a\rb"},
      {"crlf", "a\r\nb\r\n", {"a", "b", ""}, lbsCRLF, "a\r\nb\r\n"},
      {"mixed becomes crlf", "a\nb\r\n", {"a", "b", ""}, lbsCRLF, "a\r\nb\r\n"},
      {"lf cr is two breaks", "a\n\rb", {"a", "", "b"}, lbsCRLF, "a\r\n\r\nb"},
      {"no break at all", "abc", {"abc"}, lbsCRLF, "abc"},
      {"only a break", "\n", {"", ""}, lbsLF, "\n"},
      {"nul is text", std::string("a\0b\nc", 5), {std::string("a\0b", 3), "c"}, lbsLF, std::string("a\0b\nc", 5)},
      {"blank lines", "\n\n\n", {"", "", "", ""}, lbsLF, "\n\n\n"},
      {"cr at the very end", "x\r", {"x", ""}, lbsCR, "x\r"},
  };
  TCodeEditStringList reloaded;  // a reload reuses the records of a longer text
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TCodeEditStringList list;
    list.LoadFromBytes(c.bytes);
    EXPECT_EQ(Lines(list), c.lines);
    EXPECT_EQ(list.LineBreakStyle, c.style);
    EXPECT_EQ(list.SaveToBytes(), c.saved);
    reloaded.LoadFromBytes(std::string(1000, 'x') + std::string(1000, '\n'));
    reloaded.Put(0, "owned copy");
    reloaded.LoadFromBytes(c.bytes);
    EXPECT_EQ(Lines(reloaded), c.lines);
    EXPECT_EQ(reloaded.SaveToBytes(), c.saved);
  }
}

TEST(StringListLoad, FilesRoundTripThroughDiskIncludingLongLines) {
  TempDir dir;
  const std::string longLine(40000, 'x');
  const std::vector<std::string> files = {"one\ntwo\n", "a\rb\rc", longLine + "\r\n" + longLine,
                                           std::string(70000, 'y') + "\n"};
  for (const std::string& bytes : files) {
    WriteFile(dir / "f.txt", bytes);
    TCodeEditStringList list;
    list.LoadFromFile((dir / "f.txt").string());
    list.SaveToFile((dir / "g.txt").string());
    EXPECT_EQ(ReadFile(dir / "g.txt"), bytes);
  }
}

TEST(StringListLoad, FailedLoadKeepsTheLinesAndNamesTheReason) {
  TempDir dir;
  ::mkfifo((dir / "fifo").c_str(), 0600);
  const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", (dir / "socket").c_str());
  ASSERT_EQ(::bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  struct Case {
    fs::path path;
    std::string reason;
  };
  // None of these may block or read without end.
  const std::vector<Case> cases = {
      {dir / "missing.txt", "No such file or directory"},
      {dir.path(), "Is a directory"},
      {dir / "fifo", "not a regular file (a FIFO)"},
      {"/dev/zero", "not a regular file (a character device)"},
      {dir / "socket", "not a regular file (a socket)"},
  };
  TCodeEditStringList list;
  list.SetText("keep\r\nme");
  for (const Case& c : cases) {
    try {
      list.LoadFromFile(c.path.string());
      ADD_FAILURE() << "no error for " << c.path;
    } catch (const EFileError& e) {
      EXPECT_EQ(std::string(e.what()), "Cannot open \"" + c.path.string() + "\": " + c.reason);
    }
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"keep", "me"}));
  }
  ::close(server);
}

struct LimitCase {
  const char* name;
  std::string bytes;
  size_t maxLength;
  size_t maxLines;
  std::string error;  // "" when loadable
};

// The real limits need 2 GiB of text; the same scan runs with small ones.
TEST(StringListLoad, LinesBeyondTheLimitsAreRefused) {
  const std::vector<LimitCase> cases = {
      {"within both", "a\nbb\nccc", 3, 3, ""},
      {"too short to scan", "abcd", 4, 5, ""},
      {"a line one byte too long", "a\nbbbb\ncc", 3, 10, "line 2 is 4 bytes long; a line holds at most 3"},
      {"the last line too long", "a\r\nbbbb", 3, 10, "line 2 is 4 bytes long"},
      {"cr lf is one break", "ab\r\ncd", 2, 2, ""},
      {"lf cr is two breaks", "ab\n\rcd", 2, 2, "more than 2 lines"},
      {"a final break adds a line", "ab\ncd\n", 2, 2, "more than 2 lines"},
      {"only breaks", "\n\n\n", 0, 4, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      CheckLoadable(c.bytes, "big.txt", c.maxLength, c.maxLines);
      EXPECT_EQ(c.error, "");
    } catch (const EFileError& e) {
      ASSERT_NE(c.error, "") << e.what();
      EXPECT_NE(std::string(e.what()).find("Cannot open \"big.txt\": " + c.error), std::string::npos) << e.what();
    }
  }
}

TEST(StringListSave, KeepsPermissionsAndWritesThroughSymlinks) {
  TempDir dir;
  WriteFile(dir / "target.txt", "old");
  ::chmod((dir / "target.txt").c_str(), 0640);
  fs::create_symlink("target.txt", dir / "link.txt");
  TCodeEditStringList list;
  list.SetText("new\r\ntext");
  list.SaveToFile((dir / "link.txt").string());
  EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
  EXPECT_EQ(ReadFile(dir / "target.txt"), "new\r\ntext");
  struct stat st;
  ASSERT_EQ(::stat((dir / "target.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  // No temporary file is left behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

TEST(StringListSave, NewFileGetsTheUsualPermissions) {
  TempDir dir;
  TCodeEditStringList list;
  list.Add("x");
  mode_t mask = ::umask(022);
  list.SaveToFile((dir / "new.txt").string());
  ::umask(mask);
  struct stat st;
  ASSERT_EQ(::stat((dir / "new.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
}

TEST(StringListSave, AFailedWriteLeavesTheOriginalByteIdentical) {
  TempDir dir;
  const std::string original = "precious\ncontent\n";
  WriteFile(dir / "f.txt", original);
  // A child with a file size limit below the new size: the write fails
  // (EFBIG) part-way through.
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = {20000, 20000};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    TCodeEditStringList list;
    for (int i = 0; i < 1000; ++i) list.Add(std::string(100, 'z'));
    try {
      list.SaveToFile((dir / "f.txt").string());
      ::_exit(1);
    } catch (const EFileError& e) {
      ::_exit(std::string(e.what()).find("too large") != std::string::npos ? 0 : 2);
    }
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadFile(dir / "f.txt"), original);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

// Runs fn in a child process; as root (whom mode bits do not stop) the child
// first becomes the unprivileged user nobody. Returns what fn returned, or
// nothing when privileges could not be dropped.
std::optional<std::string> RunUnprivileged(const std::function<std::string()>& fn) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return std::nullopt;
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeFds[0]);
    const uid_t nobody = 65534;
    const bool dropped = ::geteuid() != 0 || (::setgroups(0, nullptr) == 0 && ::setresgid(nobody, nobody, nobody) == 0 &&
                                              ::setresuid(nobody, nobody, nobody) == 0);
    const std::string out = dropped ? fn() : std::string();
    (void)!::write(pipeFds[1], out.data(), out.size());
    ::_exit(dropped ? 0 : 1);
  }
  ::close(pipeFds[1]);
  std::string out;
  char chunk[4096];
  for (ssize_t n; (n = ::read(pipeFds[0], chunk, sizeof chunk)) > 0;) out.append(chunk, static_cast<size_t>(n));
  ::close(pipeFds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return out;
}

struct SaveCase {
  const char* name;
  mode_t fileMode;
  mode_t dirMode;
  int links;
  rlim_t sizeLimit;    // RLIM_INFINITY: none
  std::string oldBytes;
  std::string newBytes;
  std::string reason;  // "" when the save succeeds
};

TEST(StringListSave, RespectsPermissionsAndKeepsHardLinks) {
  const std::string big(100000, 'z');
  const std::vector<SaveCase> cases = {
      {"read-only file", 0444, 0777, 1, RLIM_INFINITY, "old\n", "new\n", "Permission denied"},
      {"read-only file with two links", 0444, 0777, 2, RLIM_INFINITY, "old\n", "new\n", "Permission denied"},
      {"two links, content grows", 0666, 0777, 2, RLIM_INFINITY, "old", "new and longer", ""},
      {"two links, content shrinks", 0666, 0777, 2, RLIM_INFINITY, "old and longer", "new", ""},
      {"writable file in a directory that is not", 0666, 0555, 1, RLIM_INFINITY, "old", "new", ""},
      // Refused before the old content is touched, as a full disk would be.
      {"two links, no room for the new size", 0666, 0777, 2, 20000, "precious", big, "File too large"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const fs::path file = dir / "f.txt";
    WriteFile(file, c.oldBytes);
    ::chmod(file.c_str(), c.fileMode);
    if (c.links > 1) fs::create_hard_link(file, dir / "link.txt");
    ::chmod(dir.path().c_str(), c.dirMode);
    const auto result = RunUnprivileged([&] {
      ::signal(SIGXFSZ, SIG_IGN);
      struct rlimit limit = {c.sizeLimit, c.sizeLimit};
      ::setrlimit(RLIMIT_FSIZE, &limit);
      TCodeEditStringList list;
      list.LoadFromBytes(c.newBytes);
      try {
        list.SaveToFile(file.string());
      } catch (const EFileError& e) {
        std::string message = e.what();
        // Save As under a new name still works.
        if (c.dirMode == 0777 && c.sizeLimit == RLIM_INFINITY) {
          try {
            list.SaveToFile((dir / "copy.txt").string());
          } catch (const EFileError& copy) {
            message += std::string(" / ") + copy.what();
          }
        }
        return message;
      }
      return std::string();
    });
    ::chmod(dir.path().c_str(), 0700);
    if (!result) GTEST_SKIP() << "cannot run as an unprivileged user";
    if (c.reason.empty()) {
      EXPECT_EQ(*result, "");
      EXPECT_EQ(ReadFile(file), c.newBytes);
      if (c.links > 1) {
        EXPECT_EQ(ReadFile(dir / "link.txt"), c.newBytes);
      }
    } else {
      EXPECT_EQ(*result, "Cannot save \"" + file.string() + "\": " + c.reason);
      EXPECT_EQ(ReadFile(file), c.oldBytes);
      if (c.dirMode == 0777 && c.sizeLimit == RLIM_INFINITY) {
        EXPECT_EQ(ReadFile(dir / "copy.txt"), c.newBytes);
      }
    }
    struct stat st;
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_nlink, static_cast<nlink_t>(c.links));
    EXPECT_EQ(st.st_mode & 07777, c.fileMode);
    // No temporary file is left behind.
    const int copies = c.reason == "Permission denied" ? 1 : 0;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), c.links + copies);
  }
}

TEST(StringListSave, MissingDirectoryIsAnError) {
  TCodeEditStringList list;
  list.Add("x");
  EXPECT_THROW(list.SaveToFile("/nonexistent-dir-vantrel/f.txt"), EFileError);
}

TEST(StringListSetText, SplitsAndStopsAtNul) {
  TCodeEditStringList list;
  list.SetText(std::string("a\r\nb\rc\nd\r\n\0ignored", 17));
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(list.GetText(), "a\r\nb\r\nc\r\nd");
  list.SetText("");
  EXPECT_EQ(list.Count(), 0);
}

TEST(StringListEdits, IndexRulesAndErrors) {
  TCodeEditStringList list;
  list.Put(0, "appended");  // Put at Count appends, even on an empty list
  EXPECT_EQ(list.Count(), 1);
  try {
    list.Insert(5, "x");
    FAIL();
  } catch (const ECodeEditStringList& e) {
    EXPECT_STREQ(e.what(), "Invalid stringlist index 5");
  }
  EXPECT_THROW(list.Delete(1), ECodeEditStringList);
  EXPECT_THROW(list.Put(-1, "x"), ECodeEditStringList);
  EXPECT_EQ(list.Get(99), "");
  EXPECT_EQ(list.GetData(-1), 0);
  EXPECT_EQ(list.GetLineRange(7), 0);
  EXPECT_EQ(list.GetLineRange(0), kNoLineRange);
  try {
    list.SetCapacity(0);
    FAIL();
  } catch (const ECodeEditStringList& e) {
    EXPECT_STREQ(e.what(), "Stringlist capacity cannot be smaller than count");
  }

  TCodeEditStringList ten;
  for (int i = 0; i < 10; ++i) ten.Add(std::to_string(i));
  int reported = -1;
  ten.OnLinesDeleted = [&](TCodeEditStringList&, int index, int count) { reported = index * 100 + count; };
  ten.RemoveLineSpan(8, 5);
  EXPECT_EQ(reported, 802);
  EXPECT_EQ(ten.Count(), 8);
}

TEST(StringListEdits, CapacityGrowsBySixteenThenByAQuarter) {
  TCodeEditStringList list;
  std::vector<int> capacities;
  for (int i = 0; i < 200; ++i) {
    list.Add("x");
    if (capacities.empty() || capacities.back() != list.Capacity()) capacities.push_back(list.Capacity());
  }
  EXPECT_EQ(capacities, (std::vector<int>{16, 32, 48, 64, 80, 100, 125, 156, 195, 243}));
  list.InsertEmptyLines(3, 2);
  EXPECT_EQ(list.Capacity(), 202);
}

TEST(StringListEdits, NotificationsAreBracketedOncePerOutermostChange) {
  TCodeEditStringList list;
  std::string log;
  list.OnChanging = [&](TCodeEditStringList&) { log += "<"; };
  list.OnChange = [&](TCodeEditStringList&) { log += ">"; };
  list.OnLinesInserted = [&](TCodeEditStringList&, int i, int n) { log += "I" + std::to_string(i) + std::to_string(n); };
  list.OnLinesDeleted = [&](TCodeEditStringList&, int i, int n) { log += "D" + std::to_string(i) + std::to_string(n); };
  list.OnLineReplaced = [&](TCodeEditStringList&, int i, int n) { log += "R" + std::to_string(i) + std::to_string(n); };
  list.OnLinesCleared = [&](TCodeEditStringList&) { log += "C"; };
  list.Add("a");
  list.Put(0, "b");
  list.InsertEmptyLines(1, 3);
  list.Delete(2);
  list.SetLineRange(0, 5);
  list.Clear();
  list.Clear();  // nothing to clear: no notification at all
  EXPECT_EQ(log, "<I01><R01><I13><D21><><C>");
  log.clear();
  list.LoadFromBytes("x\ny");
  EXPECT_EQ(log, "<I02>") << "a load tells of all its lines at once";
  log.clear();
  list.LoadFromBytes("x\n");
  EXPECT_EQ(log, "<CI01I11>") << "the empty line after a final break comes after the others";
}

struct ExpandCase {
  int tabWidth;
  std::string text;
  std::string expanded;
};

TEST(StringListTabs, ExpansionKeepsTabsAsFill) {
  const std::vector<ExpandCase> cases = {
      {4, "ab\tc", "ab\t\tc"},
      {1, "ab\tc", "ab c"},
      {8, "\t", std::string(8, '\t')},
      {8, "abc", "abc"},
      {3, "a\t\tb", "a\t\t\t\t\tb"},
      {4, std::string("a\0\tb", 4), std::string("a\0\t\tb", 5)},  // NUL does not end the line
      {4, "", ""},
  };
  for (const auto& c : cases) {
    TCodeEditStringList list;
    list.SetTabWidth(c.tabWidth);
    list.Add(c.text);
    EXPECT_EQ(list.ExpandedLength(0), static_cast<int>(c.expanded.size())) << c.text;
    EXPECT_EQ(list.ExpandedLine(0), c.expanded) << c.text;
  }
}

// A reproducible soak against a plain model: the cached lengths and the
// longest line must match a brute-force recomputation after every step.
TEST(StringListSoak, CachedLengthsMatchAModel) {
  std::mt19937 rng(1234);
  TCodeEditStringList list;
  std::vector<std::string> model;
  auto randomText = [&] {
    std::string s;
    int n = static_cast<int>(rng() % 30);
    for (int i = 0; i < n; ++i) s.push_back("ab \tcd"[rng() % 6]);
    return s;
  };
  for (int step = 0; step < 4000; ++step) {
    int op = static_cast<int>(rng() % 9);
    int count = static_cast<int>(model.size());
    int at = count ? static_cast<int>(rng() % (count + 1)) : 0;
    switch (op) {
      case 0:
      case 1: {
        std::string t = randomText();
        list.Insert(at, t);
        model.insert(model.begin() + at, t);
        break;
      }
      case 2:
        if (at < count) {
          std::string t = randomText();
          list.Put(at, t);
          model[at] = t;
        }
        break;
      case 3:
        if (at < count) {
          list.Delete(at);
          model.erase(model.begin() + at);
        }
        break;
      case 4: {
        int n = static_cast<int>(rng() % 4);
        list.RemoveLineSpan(at, n);
        model.erase(model.begin() + at, model.begin() + std::min(count, at + n));
        break;
      }
      case 5:
        list.InsertEmptyLines(at, 2);
        model.insert(model.begin() + at, 2, std::string());
        break;
      case 6:
        if (step % 50 == 0) list.SetTabWidth(1 + static_cast<int>(rng() % 8));
        if (at < count && count > 1) {
          int other = static_cast<int>(rng() % count);
          list.Exchange(at, other);
          std::swap(model[at], model[other]);
        }
        break;
      case 7: {
        // Lines sharing one block, later edited, moved and removed one by one:
        // the block must outlive every line in it (ASan watches).
        std::vector<std::string> texts(rng() % 5);
        for (std::string& t : texts) t = rng() % 3 ? randomText() : std::string();
        list.InsertLines(at, std::vector<std::string_view>(texts.begin(), texts.end()));
        model.insert(model.begin() + at, texts.begin(), texts.end());
        break;
      }
      case 8:
        // A reload while bulk blocks are alive, then bulk lines around it.
        if (step % 20 == 0) {
          list.LoadFromBytes("ab\n\tcd\n\ncd");
          model = {"ab", "\tcd", "", "cd"};
        }
        break;
    }
    ASSERT_EQ(Lines(list), model) << "step " << step;
    int longest = 0;
    for (int i = 0; i < list.Count(); ++i) {
      bool tabs = false;
      int length = 0;
      for (char c : model[i]) {
        tabs |= c == '\t';
        length += c == '\t' && list.TabWidth() > 1 ? list.TabWidth() - length % list.TabWidth() : 1;
      }
      (void)tabs;
      longest = std::max(longest, length);
      if (step % 97 == 0) {
        ASSERT_EQ(list.ExpandedLength(i), length);
      }
    }
    ASSERT_EQ(list.LongestLineLength(), longest) << "step " << step;
  }
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

struct CollectingSink : TByteSink {
  std::vector<size_t> writes;
  std::string bytes;
  void Write(const char* data, size_t size) override {
    writes.push_back(size);
    bytes.append(data, size);
  }
};

TEST(FileWriter, FlushesWhenFullAndGrowsOnlyForALongerLine) {
  CollectingSink sink;
  TCodeEditFileWriter writer(sink, lbsCRLF);
  EXPECT_EQ(writer.BufferSize(), 16384u);
  const std::string small(10000, 's');
  const std::string big(40000, 'b');
  writer.PutTextLine(small);  // 10002 bytes buffered
  writer.PutTextLine(big);    // does not fit: flush, then grow to exactly 40002
  EXPECT_EQ(writer.BufferSize(), 40002u);
  writer.PutText("end");  // fits nowhere beside the big line: flush again
  writer.FlushBuffer();
  writer.FlushBuffer();  // an empty buffer writes nothing
  EXPECT_EQ(sink.writes, (std::vector<size_t>{10002, 40002, 3}));
  EXPECT_EQ(sink.bytes, small + "\r\n" + big + "\r\nend");

  CollectingSink crSink;
  TCodeEditFileWriter cr(crSink, lbsCR);
  cr.PutTextLine("a");
  cr.PutTextLine("");
  cr.FlushBuffer();
  EXPECT_EQ(crSink.bytes, "a\r\r");
}

}  // namespace
}  // namespace vantrel
