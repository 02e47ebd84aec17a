// A canvas that does not compose: the calls and the style still go
// through, the pixels and the picture files are left alone.
#include <gtest/gtest.h>

#include "canvas/canvas.h"
#include "tests/bmp_test_files.h"
#include "tests/test_support.h"

namespace {

TEST(CanvasComposing, OffRecordsEveryCallButTouchesNoPixelOrFile) {
  const bmp_test::TempDir dir;
  dir.Write("p.bmp", bmp_test::EncodeBmp(bmp_test::Solid(4, 4, 0x00123456)));
  Canvas canvas;
  CallRecorder recorder;
  canvas.SetCallSink(&recorder);
  canvas.SetFileDirectory(dir.Path());
  canvas.SetComposing(false);
  canvas.Attach(nullptr, 40, 30);
  EXPECT_FALSE(canvas.IsAttached());  // no surface is made while nothing composes
  canvas.SetComposing(true);
  ASSERT_TRUE(canvas.IsAttached());
  canvas.ClearWhite();
  canvas.SetComposing(false);
  canvas.ClearBlack();
  canvas.PutText(0, 0, "A");
  canvas.SetPen(3, 0, 0, 0);
  canvas.DrawLine(0, 0, 39, 29);
  canvas.DrawRect(0, 0, 39, 29);
  canvas.DrawSprite(0, 0, "p.bmp", "p.bmp", 4, 4);
  EXPECT_EQ(canvas.PictureDecodeCount(), 0u);
  for (int y : {0, 15, 29})
    for (int x : {0, 20, 39}) EXPECT_EQ(canvas.PixelAt(x, y), 0x00FFFFFFu) << x << "," << y;
  EXPECT_EQ(recorder.calls.size(), 5u);  // both clears, the text, the line and the sprite

  canvas.SetComposing(true);
  canvas.DrawSprite(0, 0, "p.bmp", "p.bmp", 4, 4);
  EXPECT_EQ(canvas.PictureDecodeCount(), 1u);
  EXPECT_EQ(canvas.PixelAt(0, 0), 0x00123456u);
  canvas.SetCallSink(nullptr);
}

}  // namespace
