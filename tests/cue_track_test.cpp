// The sound track of a video follows the game's rule for its cues: one at a
// time, a new one cutting off the one playing, each starting where its
// tick's frame starts.
#include <gtest/gtest.h>

#include <map>

#include "app/sim/cue_track.h"

namespace {

// Clips whose every sample names the clip and its position: 'a' + k/100,
// so a sample shows which clip and which part of it is playing.
const std::map<std::string, std::vector<float>>& Clips() {
  static const std::map<std::string, std::vector<float>> clips = [] {
    std::map<std::string, std::vector<float>> made;
    for (const auto& [name, length] : {std::pair{"short.wav", 3}, std::pair{"long.wav", 10}}) {
      for (int k = 0; k < length; ++k) made[name].push_back(float(name[0]) + k / 100.0f);
    }
    return made;
  }();
  return clips;
}

TEST(CueTrack, OneSoundAtATimeEachCutByTheNext) {
  struct Case {
    const char* what;
    std::vector<std::vector<std::string>> ticks;  // requests of each tick
    std::vector<float> expected;                  // 4 samples a tick
    const char* continued = nullptr;              // the sound a snapshot left playing
    std::size_t ticksPlayed = 0;
  };
  const float s = 's', l = 'l';
  const Case cases[] = {
      {"silence without cues", {{}, {}}, {0, 0, 0, 0, 0, 0, 0, 0}},
      {"a short clip ends in its tick", {{"short.wav"}, {}}, {s, s + .01f, s + .02f, 0, 0, 0, 0, 0}},
      {"a long clip runs on into later ticks",
       {{}, {"long.wav"}, {}},
       {0, 0, 0, 0, l, l + .01f, l + .02f, l + .03f, l + .04f, l + .05f, l + .06f, l + .07f}},
      {"a new cue cuts the one playing",
       {{"long.wav"}, {"short.wav"}},
       {l, l + .01f, l + .02f, l + .03f, s, s + .01f, s + .02f, 0}},
      {"the same cue again starts over",
       {{"long.wav"}, {"long.wav"}},
       {l, l + .01f, l + .02f, l + .03f, l, l + .01f, l + .02f, l + .03f}},
      {"of one tick's cues only the last is heard", {{"long.wav", "short.wav"}}, {s, s + .01f, s + .02f, 0}},
      {"a sound from before a snapshot goes on where it was",
       {{}, {}},
       {l + .04f, l + .05f, l + .06f, l + .07f, l + .08f, l + .09f, 0, 0},
       "long.wav",
       1},
      {"and is cut like any other", {{"short.wav"}}, {s, s + .01f, s + .02f, 0}, "long.wav", 1},
      {"one that had ended before stays silent", {{}}, {0, 0, 0, 0}, "short.wav", 1},
  };
  for (const Case& c : cases) {
    CueTrack track(4, [](const std::string& name) -> const std::vector<float>& { return Clips().at(name); });
    if (c.continued) track.Continue(c.continued, c.ticksPlayed);
    std::vector<float> out;
    for (const auto& requests : c.ticks) track.AddTick(requests, out);
    ASSERT_EQ(out.size(), c.expected.size()) << c.what;
    for (std::size_t i = 0; i < out.size(); ++i) EXPECT_FLOAT_EQ(out[i], c.expected[i]) << c.what << " at " << i;
  }
}

}  // namespace
