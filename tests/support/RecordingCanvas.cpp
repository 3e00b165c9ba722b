// A canvas that records its calls.
#include "RecordingCanvas.h"

namespace vantrel {

namespace {

bool Contains(const TRect& r, int x, int y) { return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom; }

}  // namespace

std::vector<RecordingCanvas::Call> RecordingCanvas::Of(Kind kind) const {
  std::vector<Call> result;
  for (const Call& call : Calls) {
    if (call.What == kind) result.push_back(call);
  }
  return result;
}

std::vector<RecordingCanvas::Call> RecordingCanvas::TextsContaining(std::string_view part) const {
  std::vector<Call> result;
  for (const Call& call : Calls) {
    if (call.What == kText && call.Text.find(part) != std::string::npos) result.push_back(call);
  }
  return result;
}

const RecordingCanvas::Call* RecordingCanvas::TextAt(int x, int y) const {
  const Call* found = nullptr;
  for (const Call& call : Calls) {
    if (call.What != kText || call.Y != y || call.CellWidth <= 0) continue;
    if (x < call.X || !Contains(call.Rect, x, y)) continue;
    const int cell = (x - call.X) / call.CellWidth;
    if (cell < static_cast<int>(call.Text.size()) && call.X + cell * call.CellWidth == x) found = &call;
  }
  return found;
}

TColor RecordingCanvas::BackgroundAt(int x, int y) const {
  TColor color = clNone;
  for (const Call& call : Calls) {
    if ((call.What == kFill || (call.What == kText && call.Back != clNone)) && Contains(call.Rect, x, y)) {
      color = call.Back;
    }
  }
  return color;
}

void RecordingCanvas::FillRect(const TRect& rect, TColor color) {
  ++CallCount;
  if (CountOnly) return;
  Call call;
  call.What = kFill;
  call.Rect = rect;
  call.Back = color;
  Calls.push_back(std::move(call));
}

void RecordingCanvas::DrawLine(TPoint from, TPoint to, TColor color, int) {
  ++CallCount;
  if (CountOnly) return;
  Call call;
  call.What = kLine;
  call.From = from;
  call.To = to;
  call.Fore = color;
  Calls.push_back(std::move(call));
}

void RecordingCanvas::DrawText(const TRect& bounds, int x, int y, std::string_view text, int cellWidth,
                               const TFont& font, TFontStyles style, TColor fore, TColor back) {
  ++CallCount;
  if (CountOnly) return;
  Call call;
  call.What = kText;
  call.Rect = bounds;
  call.X = x;
  call.Y = y;
  call.Text.assign(text);
  call.CellWidth = cellWidth;
  call.FontName = font.Name;
  call.Style = style;
  call.Fore = fore;
  call.Back = back;
  Calls.push_back(std::move(call));
}

TFontMetrics RecordingCanvas::MeasureFont(const TFont&, TFontStyles) {
  ++FontsMeasured;
  return {CellWidth, CellHeight, CellWidth, CellWidth};
}

int RecordingCanvas::CharExtent(const TFont&, TFontStyles style, unsigned char) {
  return CellWidth + ((style & fsItalic) ? ItalicOverhang : 0);
}

TPoint RecordingCanvas::ImageSize(const TCanvasImage&) { return GlyphSize; }

void RecordingCanvas::DrawImage(const TCanvasImage& image, int x, int y) {
  ++CallCount;
  if (CountOnly) return;
  Call call;
  call.What = kImage;
  call.X = x;
  call.Y = y;
  call.Image = image.Kind;
  call.ImageIndex = image.Index;
  Calls.push_back(std::move(call));
}

}  // namespace vantrel
