// The viewer model: opening, paging, view position, scroll bar, selection,
// copying, keys, and paths that must be refused.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "MemorySource.h"
#include "hexview/Codepages.h"
#include "hexview/HexViewer.h"
#include "platform/CodePage.h"
#include "support/FakeClipboard.h"

namespace vantrel {
namespace {

constexpr int kVkNext = 0x22, kVkEnd = 0x23, kVkHome = 0x24;

struct ViewerFixture : ::testing::Test {
  FakeClipboard clipboard;
  THexViewer viewer{&clipboard};
  std::vector<std::string> messages;
  TMemorySource* source = nullptr;
  int reads = 0;

  ViewerFixture() {
    CodePage::SetActive(1252);
    viewer.OnMessage = [this](const std::string& text, THexMessageKind) {
      messages.push_back(text);
      return false;
    };
    viewer.SetCellSize(8, 16);
    viewer.SetClientSize(800, 2 + 10 * 16);  // 10 lines
  }

  void Open(std::string bytes) {
    auto memory = std::make_unique<TMemorySource>(std::move(bytes), &reads);
    source = memory.get();
    ASSERT_TRUE(viewer.OpenSource(std::move(memory), "mem", true));
  }

  static std::string Pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
    return bytes;
  }

  std::string ClipboardText() const { return clipboard.GetText(); }
};

TEST_F(ViewerFixture, SixteenByteFileShowsOneRow) {
  Open(std::string(16, 'a'));
  EXPECT_EQ(viewer.MaxViewPos(), 0);
  EXPECT_EQ(viewer.RowCount(), 1);
  EXPECT_EQ(viewer.OffsetDigits(), 8);
  viewer.KeyDown(kVkNext, false, false, false);
  EXPECT_EQ(viewer.ViewPos(), 0);
}

TEST_F(ViewerFixture, EndAndPagingKeepTheLastRowAtTheBottom) {
  Open(Pattern(1000));  // 63 rows: 62 full, one of 8 bytes
  viewer.KeyDown(kVkEnd, false, true, false);
  EXPECT_EQ(viewer.ViewPos(), 992 - 9 * 16);
  EXPECT_EQ(viewer.RowCount(), 10);
  const int64_t last = viewer.ViewPos();
  viewer.KeyDown(kVkNext, false, false, false);
  EXPECT_EQ(viewer.ViewPos(), last) << "Page Down at the last page does nothing";
  viewer.KeyDown(kVkHome, false, true, false);
  EXPECT_EQ(viewer.ViewPos(), 0);
  viewer.ScrollUp(3);
  EXPECT_EQ(viewer.ViewPos(), 0);
}

TEST_F(ViewerFixture, PagingReadsOnlyWhenLeavingTheWindow) {
  const int64_t page = THexBuffer::kHexPage;
  Open(Pattern(static_cast<size_t>(10 * page)));
  const struct {
    int64_t to;
    bool reads;
    const char* why;
  } steps[] = {
      {page, false, "inside the first two pages"},
      {2 * page - 16, false, "last row of the second page"},
      {2 * page, true, "leaving the window reads around the target"},
      {page + 16, false, "window now starts one page back"},
      {page - 16, true, "before the window"},
      {0, false, "start is in the window again"},
      {9 * page, true, "a jump"},
  };
  for (const auto& step : steps) {
    const int before = viewer.Buffer().Reads();
    viewer.SetViewPos(step.to);
    EXPECT_EQ(viewer.Buffer().Reads() != before, step.reads) << step.why;
    EXPECT_TRUE(viewer.Buffer().Holds(viewer.ViewPos(), 150 * 16)) << step.why;
  }
}

TEST_F(ViewerFixture, FileThatShrinksWhileOpen) {
  Open(Pattern(500000));
  viewer.SetSelection(400000, 1000);
  source->Bytes()->resize(300000);
  viewer.SetViewPos(450000);  // outside the buffer: reads, finds the file shorter
  EXPECT_EQ(viewer.FileSize(), 300000);
  EXPECT_LT(viewer.ViewPos(), 300000);
  EXPECT_LE(viewer.SelStart() + viewer.SelLength(), 300000);
  std::u32string row;
  for (int i = 0; i < viewer.RowCount(); ++i) viewer.RowText(i, row);
  EXPECT_FALSE(viewer.RowTextAt(299999 - 299999 % 16 + 16, row));
}

TEST_F(ViewerFixture, WordFarFromTheViewKeepsTheScreenBuffered) {
  Open(Pattern(1000000));
  viewer.SelectWordAt(900000);
  EXPECT_TRUE(viewer.Buffer().Holds(viewer.ViewPos(), viewer.RowCount() * 16));
  EXPECT_GT(viewer.SelLength(), 0);
}

TEST_F(ViewerFixture, ReadFailureAsksAndKeepsGoing) {
  Open(Pattern(500000));
  source->FailReads = true;
  viewer.SetViewPos(400000);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Cannot read stream");
  EXPECT_EQ(viewer.VertScrollBar().Max, 0);
}

TEST_F(ViewerFixture, ScrollBarScaling) {
  Open(Pattern(16 * 100000));  // 100000 rows: scaled to 32767
  THexScrollBar bar = viewer.VertScrollBar();
  EXPECT_EQ(bar.Max, 32767);
  EXPECT_EQ(bar.Page, 3);
  viewer.VertScrollBarAction(hsThumb, 32767 / 2);
  EXPECT_EQ(viewer.ViewPos(), 16 * 100000LL * (32767 / 2) / 32767 / 16 * 16);
  viewer.VertScrollBarAction(hsThumb, 32767);
  EXPECT_EQ(viewer.ViewPos(), viewer.MaxViewPos());
  viewer.VertScrollBarAction(hsThumb, 0);
  EXPECT_EQ(viewer.ViewPos(), 0);
  Open(std::string(40, 'x'));  // small files: range at least 4, page past it
  bar = viewer.VertScrollBar();
  EXPECT_EQ(bar.Max, 4);
  EXPECT_EQ(bar.Page, 5);
}

TEST_F(ViewerFixture, CopyPlainAndAsHex) {
  Open(std::string("\x4A\x00\xFF", 3));
  viewer.SelectAll();
  ASSERT_TRUE(viewer.CopySelection(true));
  EXPECT_EQ(ClipboardText(), "4A 00 FF");
  ASSERT_TRUE(viewer.CopySelection(false));
  EXPECT_EQ(ClipboardText(), "J \xFF");
  EXPECT_EQ(*clipboard.GetData(clipboard.RegisterFormat(kUnicodeTextFormat)), "J \xC3\xBF");
  clipboard.RefuseOpen = true;
  EXPECT_FALSE(viewer.CopySelection(false));
  EXPECT_EQ(messages.back(), "Cannot copy data to Clipboard");
}

TEST_F(ViewerFixture, CopyLargerThanTheBuffer) {
  Open(Pattern(400000));
  viewer.SetSelection(1000, 300000);
  const std::string bytes = viewer.SelectedBytes();
  EXPECT_EQ(bytes, Pattern(400000).substr(1000, 300000));
}

TEST_F(ViewerFixture, SelectionRules) {
  Open("int main_x(void);\r\nreturn 0;\n");
  const struct {
    int64_t start, length;
    int64_t wantStart, wantLength;
    const char* why;
  } rows[] = {
      {2, 3, 2, 3, "plain"},
      {-1, 3, 2, 3, "negative start ignored"},
      {2, -1, 2, 3, "negative length ignored"},
      {29, 1, 2, 3, "start past the last byte ignored"},
      {20, 100, 20, 9, "length cut at the end"},
  };
  for (const auto& row : rows) {
    viewer.SetSelection(row.start, row.length);
    EXPECT_EQ(viewer.SelStart(), row.wantStart) << row.why;
    EXPECT_EQ(viewer.SelLength(), row.wantLength) << row.why;
  }
  viewer.SelectWordAt(6);
  EXPECT_EQ(viewer.SelStart(), 4);
  EXPECT_EQ(viewer.SelLength(), 6) << "underscore belongs to the word";
  viewer.SelectWordAt(9);
  EXPECT_EQ(viewer.SelStart(), 4) << "from the word's last byte";
  EXPECT_EQ(viewer.SelLength(), 6);
  viewer.SelectLineAt(22);
  EXPECT_EQ(viewer.SelStart(), 19);
  EXPECT_EQ(viewer.SelLength(), 9);
}

TEST_F(ViewerFixture, MouseDragAndDoubleClick) {
  Open(Pattern(256));
  const int cw = viewer.CellWidth();
  auto at = [&](int row, int column) { return TPoint{THexViewer::kLeftMargin + column * cw + 1, 1 + row * 16 + 3}; };
  viewer.MouseDown(at(0, 14), false, 1);  // byte 1, left half: boundary 1
  viewer.MouseMove(at(2, 61 + 4));        // character column, row 2: boundary 36
  viewer.MouseUp();
  EXPECT_EQ(viewer.SelStart(), 1);
  EXPECT_EQ(viewer.SelLength(), 35);
  viewer.MouseDown(at(0, 13), true, 1);  // Shift: extend from the anchor
  EXPECT_EQ(viewer.SelStart(), 1);
  EXPECT_EQ(viewer.SelLength(), 0);
  viewer.MouseMove({at(0, 0).X, 10000});  // below the rows: auto-scroll wanted
  EXPECT_TRUE(viewer.WantsAutoScroll());
  viewer.AutoScrollTick();
  EXPECT_EQ(viewer.ViewPos(), 16);
  viewer.MouseUp();
  EXPECT_FALSE(viewer.WantsAutoScroll());
  viewer.MiddleDown({100, 100});
  viewer.MiddleMove({100, 100 + 3 * 16 + 5});
  viewer.MiddleScrollTick();
  EXPECT_EQ(viewer.ViewPos(), 16 + 3 * 16) << "middle button: rows by the distance moved";
  viewer.MiddleMove({100, 100 - 16});
  viewer.MiddleScrollTick();
  EXPECT_EQ(viewer.ViewPos(), 3 * 16);
  viewer.MiddleUp();
  viewer.MiddleScrollTick();
  EXPECT_EQ(viewer.ViewPos(), 3 * 16);
}

TEST_F(ViewerFixture, PopupStates) {
  Open("");
  THexPopupState state = viewer.PopupState({});
  for (int i = 0; i < kPopupCommandCount; ++i) {
    EXPECT_TRUE(state.Visible[i]);
    EXPECT_FALSE(state.Enabled[i]) << "empty file disables item " << i;
  }
  Open("abc");
  state = viewer.PopupState({});
  EXPECT_FALSE(state.Enabled[vpCmdCopy]);
  EXPECT_TRUE(state.Enabled[vpCmdSelectAll]);
  viewer.SelectAll();
  state = viewer.PopupState({});
  EXPECT_TRUE(state.Enabled[vpCmdCopyHex]);
  EXPECT_FALSE(state.Enabled[vpCmdSelectAll]);
  EXPECT_FALSE(state.Enabled[vpCmdCopyLink]);
}

TEST_F(ViewerFixture, FontZoomStepsUntilTheCellChanges) {
  viewer.MeasureFont = [](const TFont& font) { return TFontMetrics{font.Size / 2, font.Size / 3 + 1}; };
  viewer.SetFont(TFont{"Courier New", 10});
  EXPECT_TRUE(viewer.FontZoom(true));
  EXPECT_EQ(viewer.Font().Size, 12);
  viewer.SetFont(TFont{"Courier New", 70});
  EXPECT_FALSE(viewer.FontZoom(true)) << "71 is as large as it goes";
  viewer.SetFont(TFont{"Courier New", 2});
  EXPECT_FALSE(viewer.FontZoom(false)) << "nothing below 2";
  EXPECT_EQ(viewer.Font().Size, 2);
}

struct FileFixture : ViewerFixture {
  std::filesystem::path dir = std::filesystem::temp_directory_path() / ("hexview_test_" + std::to_string(getpid()));
  FileFixture() { std::filesystem::create_directories(dir); }
  ~FileFixture() override { std::filesystem::remove_all(dir); }
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
};

TEST_F(FileFixture, SameNameIsNotReadAgain) {
  const std::string path = Write("a.bin", "first");
  ASSERT_TRUE(viewer.OpenFile(path, true));
  Write("a.bin", "SECOND");
  ASSERT_TRUE(viewer.OpenFile(path, true));
  EXPECT_EQ(viewer.FileSize(), 5);
  EXPECT_EQ(viewer.StreamSearch().FileName(), path);
}

TEST_F(FileFixture, SparseFourGigabytes) {
  const std::string path = (dir / "sparse.bin").string();
  const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, 0x100000000LL), 0);
  ::close(fd);
  ASSERT_TRUE(viewer.OpenFile(path, true));
  EXPECT_EQ(viewer.OffsetDigits(), 10);
  viewer.ScrollToEnd();
  std::u32string row;
  viewer.RowText(viewer.RowCount() - 1, row);
  EXPECT_EQ(Utf32ToUtf8(row.substr(0, 11)), "00FFFFFFF0:");
}

TEST_F(FileFixture, RefusedPaths) {
  const std::string fifo = (dir / "fifo").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const struct {
    std::string path;
    const char* expect;
  } rows[] = {
      {fifo, "not a regular file"},
      {dir.string(), "It is a directory."},
      {"/dev/zero", "not a regular file"},
      {(dir / "missing").string(), "No such file"},
  };
  for (const auto& row : rows) {
    messages.clear();
    EXPECT_FALSE(viewer.OpenFile(row.path, true)) << row.path;
    ASSERT_EQ(messages.size(), 1u) << row.path;
    EXPECT_EQ(messages[0].rfind("Cannot open file: \"" + row.path + "\"", 0), 0u) << messages[0];
    EXPECT_NE(messages[0].find(row.expect), std::string::npos) << messages[0];
    EXPECT_FALSE(viewer.IsOpen());
    EXPECT_EQ(viewer.FileName(), "") << "a failed name is tried again next time";
  }
}

}  // namespace
}  // namespace vantrel
