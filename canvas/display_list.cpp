#include "canvas/display_list.h"

#include "canvas/canvas.h"

void ComposeDisplayList(const DisplayList& list, Canvas& canvas) {
  // Each call below is one drawing call of the canvas, in the list's order,
  // so the list can tell the canvas ahead which sprites are coming.
  for (std::size_t i = 0; i < list.calls.size(); ++i) {
    const DrawCall& call = list.calls[i];
    if (call.kind == DrawCallKind::Sprite)
      canvas.AnnounceSprite(i, call.x, call.y, call.image, call.mask, call.w, call.h);
  }
  for (const DrawCall& call : list.calls) {
    switch (call.kind) {
      case DrawCallKind::ClearBlack:
        canvas.ClearBlack();
        break;
      case DrawCallKind::ClearWhite:
        canvas.ClearWhite();
        break;
      case DrawCallKind::Sprite: {
        // The names came from C strings, so they end where their views do.
        const std::string image(call.image), mask(call.mask);
        canvas.DrawSprite(call.x, call.y, image.c_str(), mask.c_str(), call.w, call.h, call.tag);
        break;
      }
      case DrawCallKind::Text:
        canvas.SetTextStyle(call.size, call.red, call.green, call.blue);
        canvas.PutText(call.x, call.y, call.text.c_str());
        break;
      case DrawCallKind::Line:
        canvas.SetPen(call.size, call.red, call.green, call.blue);
        canvas.DrawLine(call.x, call.y, call.w, call.h);
        break;
    }
  }
}

void DisplayListRecorder::OnClear(bool black) {
  DrawCall& call = list_.calls.emplace_back();
  call.kind = black ? DrawCallKind::ClearBlack : DrawCallKind::ClearWhite;
}

void DisplayListRecorder::OnSprite(std::string_view image, std::string_view mask, int x, int y, int w, int h,
                                   DrawTag tag) {
  DrawCall& call = list_.calls.emplace_back();
  call.kind = DrawCallKind::Sprite;
  call.tag = tag;
  call.x = x;
  call.y = y;
  call.w = w;
  call.h = h;
  call.image = image;
  call.mask = mask;
}

void DisplayListRecorder::OnText(int x, int y, int height, int r, int g, int b, std::string_view sjisText) {
  DrawCall& call = list_.calls.emplace_back();
  call.kind = DrawCallKind::Text;
  call.x = x;
  call.y = y;
  call.size = height;
  call.red = r;
  call.green = g;
  call.blue = b;
  call.text.assign(sjisText);
}

void DisplayListRecorder::OnLine(int x1, int y1, int x2, int y2, int width, int r, int g, int b) {
  DrawCall& call = list_.calls.emplace_back();
  call.kind = DrawCallKind::Line;
  call.x = x1;
  call.y = y1;
  call.w = x2;
  call.h = y2;
  call.size = width;
  call.red = r;
  call.green = g;
  call.blue = b;
}
