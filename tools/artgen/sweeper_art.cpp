// clean.bmp and clean2.bmp: the sweeper, a little cleaner in a cap who walks
// right across the cabinet, sweeping with a broom. The two frames alternate
// stride and broom stroke, so that the figure walks as it crosses.
#include "render/asset_names.h"
#include "tools/artgen/art_palette.h"
#include "tools/artgen/artwork.h"

namespace artgen {

namespace {

constexpr Rgb kSkin{246, 204, 164};
constexpr Rgb kCap{36, 160, 88};
constexpr Rgb kCapDark{18, 100, 50};
constexpr Rgb kShirt{240, 240, 228};
constexpr Rgb kOveralls{40, 96, 190};
constexpr Rgb kOverallsDark{24, 60, 130};
constexpr Rgb kShoe{60, 36, 24};
constexpr Rgb kHandle{170, 108, 54};
constexpr Rgb kStraw{238, 206, 90};
constexpr Rgb kStrawDark{176, 132, 40};

struct Pose {
  Point backFoot, frontFoot;
  Point handleTop, handleBottom;
  bool dust;
};

void Leg(Picture& p, Point hip, Point foot, Rgb c) {
  p.DrawLine(hip, foot, 5, c);
  p.FillEllipse(foot.x + 2, foot.y + 1.5, 4.2, 2.2, kShoe);
}

void Broom(Picture& p, const Pose& pose) {
  p.DrawLine(pose.handleTop, pose.handleBottom, 2.2, kHandle);
  const Point b = pose.handleBottom;
  // The brush head fans out towards the floor.
  p.FillPolygon({{b.x - 2, b.y - 2}, {b.x + 3, b.y - 1}, {b.x + 8, b.y + 10}, {b.x - 6, b.y + 10}}, kStraw);
  p.FillRect(static_cast<int>(b.x) - 3, static_cast<int>(b.y) - 2, 7, 2, Rgb{200, 40, 40});
  for (int i = -4; i <= 6; i += 3) p.DrawLine({b.x, b.y}, {b.x + i, b.y + 9}, 1, kStrawDark);
}

Picture Sweeper(const Pose& pose) {
  // Both poses are the size of the first.
  Picture p(asset::kSweeperPicture.width, asset::kSweeperPicture.height);
  const Point hip{20, 52};
  Leg(p, {hip.x - 2, hip.y}, pose.backFoot, kOverallsDark);
  // Body: white shirt under blue overalls.
  p.FillEllipse(20, 38, 8, 11, kShirt);
  p.FillPolygon({{12, 40}, {28, 40}, {28, 55}, {12, 55}}, kOveralls);
  p.FillRect(14, 30, 2, 11, kOveralls);
  p.FillRect(24, 30, 2, 11, kOveralls);
  p.FillRect(17, 43, 6, 4, kOverallsDark);  // the bib pocket
  Leg(p, {hip.x + 2, hip.y}, pose.frontFoot, kOveralls);
  // Head with a green cap, its peak to the front (right).
  p.FillEllipse(20, 19, 7.5, 7.5, kSkin);
  p.FillEllipse(20, 15, 8, 5, kCap);
  p.FillRect(12, 15, 17, 2, kCapDark);
  p.FillRect(26, 15, 6, 2, kCap);
  p.Set(24, 20, Rgb{40, 30, 30});
  p.FillRect(23, 23, 3, 1, Rgb{190, 90, 80});
  p.Set(18, 21, Rgb{250, 170, 150});
  Broom(p, pose);
  // Both hands on the handle, arms from the shoulders.
  const Point h1{pose.handleTop.x + (pose.handleBottom.x - pose.handleTop.x) * 0.25,
                 pose.handleTop.y + (pose.handleBottom.y - pose.handleTop.y) * 0.25};
  const Point h2{pose.handleTop.x + (pose.handleBottom.x - pose.handleTop.x) * 0.5,
                 pose.handleTop.y + (pose.handleBottom.y - pose.handleTop.y) * 0.5};
  p.DrawLine({17, 31}, h1, 3.5, kShirt);
  p.DrawLine({23, 32}, h2, 3.5, kShirt);
  p.FillEllipse(h1.x, h1.y, 2.3, 2.3, kSkin);
  p.FillEllipse(h2.x, h2.y, 2.3, 2.3, kSkin);
  if (pose.dust) {
    const Rgb dust{200, 190, 170};
    p.FillEllipse(pose.handleBottom.x + 10, 80, 2, 1.5, dust);
    p.FillEllipse(pose.handleBottom.x + 7, 76, 1.5, 1.2, dust);
  }
  return p;
}

}  // namespace

Picture DrawSweeper(int frame) {
  // Stride with the broom swept forward; then feet together, broom drawn back.
  static const Pose kPoses[2] = {
      {{9, 77}, {29, 77}, {13, 28}, {33, 72}, true},
      {{16, 78}, {22, 78}, {18, 27}, {26, 72}, false},
  };
  return Sweeper(kPoses[frame == 0 ? 0 : 1]);
}

}  // namespace artgen
