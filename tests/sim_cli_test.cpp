// The headless runner as outside checks use it: options, key scripts and
// the trace lines it writes.
#include <gtest/gtest.h>
#include <set>

#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>

#include "tests/test_support.h"
#include "app/session/key_script.h"
#include "marobel_version.h"
#include "app/sim/options.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(KeyScript, AcceptsNamesCodesCommentsAndRepeatedTicks) {
  const auto r = ParseKeyScript("# opening\n\n5 right\n5 left  # same tick\n7 0x27\r\n9 37\n  12\tright\n");
  ASSERT_TRUE(r.ok) << r.errorReason;
  ASSERT_EQ(r.presses.size(), 5u);
  EXPECT_EQ(r.presses[0].tick, 5);
  EXPECT_EQ(r.presses[0].virtualKey, 0x27);
  EXPECT_EQ(r.presses[1].virtualKey, 0x25);
  EXPECT_EQ(r.presses[2].virtualKey, 0x27);
  EXPECT_EQ(r.presses[3].virtualKey, 37);
  EXPECT_EQ(r.presses[4].tick, 12);
}

TEST(KeyScript, RejectsEveryMalformedLineNamingItsNumber) {
  struct Case {
    const char* text;
    int line;
  } cases[] = {{"0 right\n", 1},
               {"x right\n", 1},
               {"3\n", 1},
               {"3 up\n", 1},
               {"3 right left\n", 1},
               {"5 right\n4 left\n", 2},
               {"-1 right\n", 1},
               {"1 0x\n", 1},
               {"1 0xZZ\n", 1},
               {"1 70000\n", 1},
               {"2 right\n\n# c\n1.5 left\n", 4},
               {"99999999999999999999999 right\n", 1}};
  for (const Case& c : cases) {
    const auto r = ParseKeyScript(c.text);
    EXPECT_FALSE(r.ok) << c.text;
    EXPECT_EQ(r.errorLine, c.line) << c.text;
    EXPECT_FALSE(r.errorReason.empty());
    EXPECT_TRUE(r.presses.empty());
  }
}

TEST(SimOptions, RejectsUnknownOptionsAndBadNumbers) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{{"--tick", "5"},
                                                                                    {"--ticks"},
                                                                                    {"--ticks", "-1"},
                                                                                    {"--ticks", "abc"},
                                                                                    {"--ticks", "1.5"},
                                                                                    {"--credits", "1000000001"},
                                                                                    {"--draws=yes"},
                                                                                    {"--trace", ""},
                                                                                    {"--fps", "25"},
                                                                                    {"--fps", "0"},
                                                                                    {"--stats-lang", "fr"},
                                                                                    {"extra"}}) {
    EXPECT_FALSE(ParseSimOptions(args).ok) << args[0];
  }
  const auto good = ParseSimOptions({"--ticks=0", "--credits", "1000000000", "--draws", "--assets", "a"});
  ASSERT_TRUE(good.ok) << good.error;
  EXPECT_EQ(good.options.ticks, 0);
  EXPECT_EQ(*good.options.credits, 1000000000);
  EXPECT_TRUE(good.options.draws);
  EXPECT_EQ(good.options.assetsDir, "a");
}

TEST(Runner, BadUsageAndBadScriptsExitTwoWithOneLineAndRunNothing) {
  const std::string bad = WriteTempFile("bad.keys", "5 right\n3 left\n");
  // A mistake on the command line is told in one line and points to the
  // help; a file that cannot be used is told in one line.
  for (const std::string& args :
       {std::string("--ticks -3"), std::string("--bogus"), std::string("--keys"), std::string("--summary=yes"),
        std::string("--summary-json"), std::string("--ticks 1 --ticks 2"), std::string("extra")}) {
    std::string out, err;
    EXPECT_EQ(RunSim(args, &out, &err), 2) << args;
    EXPECT_TRUE(out.empty()) << args;
    const std::vector<std::string> lines = Lines(err);
    ASSERT_EQ(lines.size(), 2u) << args << ": " << err;
    EXPECT_EQ(lines[0].rfind("marobel-sim: ", 0), 0u) << err;
    EXPECT_EQ(lines[1], "Try 'marobel-sim --help'.") << args;
  }
  for (const std::string& args :
       {"--keys " + bad, std::string("--keys /nonexistent/keys"),
        std::string("--summary-json /nonexistent/summary.json"), std::string("--trace /nonexistent/t.jsonl")}) {
    std::string out, err;
    EXPECT_EQ(RunSim(args, &out, &err), 2) << args;
    EXPECT_TRUE(out.empty()) << args;
    EXPECT_EQ(Lines(err).size(), 1u) << args << ": " << err;
  }
  // Help and the version are given wherever they stand, even after a mistake.
  for (const std::string& args : {std::string("--bogus --help"), std::string("--ticks x -h --version")}) {
    std::string out, err;
    EXPECT_EQ(RunSim(args, &out, &err), 0) << args;
    EXPECT_EQ(out.rfind("Usage: marobel-sim [OPTION]...\n", 0), 0u) << out;
    EXPECT_TRUE(err.empty()) << err;
  }
  std::string err;
  RunSim("--keys " + bad, nullptr, &err);
  EXPECT_NE(err.find(bad + ":2:"), std::string::npos) << err;
}

TEST(Runner, TraceHasEveryFieldInOrderAndReplaysIdentically) {
  const std::string keys = WriteTempFile("one.keys", "5 right\n");
  std::string out, again;
  ASSERT_EQ(RunSim("--ticks 14 --keys " + keys, &out), 0);
  ASSERT_EQ(RunSim("--ticks 14 --keys " + keys + " --trace -", &again), 0);
  EXPECT_EQ(out, again);
  const auto lines = Lines(out);
  ASSERT_EQ(lines.size(), 15u);
  EXPECT_EQ(lines[0].rfind("{\"tick\":0,\"rand\":", 0), 0u);
  const char* fields[] = {
      "\"tick\":",       "\"rand\":",           "\"credits\":",       "\"pending\":",        "\"stroke\":",
      "\"retracting\":", "\"gate\":",           "\"gateReturning\":", "\"lotteryRow\":",     "\"lotteryColumn\":",
      "\"spinning\":",   "\"sweepRequested\":", "\"sweepTimer\":",    "\"magicRequested\":", "\"magicTimer\":",
      "\"sounds\":",     "\"coins\":"};
  std::size_t at = 0;
  for (const char* f : fields) {
    const std::size_t found = lines[5].find(f, at);
    ASSERT_NE(found, std::string::npos) << f;
    at = found;
  }
  EXPECT_NE(lines[0].find("\"sounds\":[]"), std::string::npos);
  EXPECT_NE(lines[0].find("[0,2,161,261,0]"), std::string::npos);
  EXPECT_NE(lines[4].find("\"credits\":24"), std::string::npos);
  EXPECT_NE(lines[5].find("\"credits\":23"), std::string::npos);
  EXPECT_NE(lines[5].find("[0,1,247,16,6]"), std::string::npos);
  EXPECT_NE(lines[10].find("\"sounds\":[\"in.wav\"]"), std::string::npos);
  EXPECT_NE(lines[12].find("\"sounds\":[\"s.wav\",\"stop.wav\"]"), std::string::npos);
  EXPECT_NE(lines[12].find("\"pending\":2"), std::string::npos);
  EXPECT_EQ(lines[5].find("\"draws\""), std::string::npos);
  // Tick 3 pays fourteen coins, each with its sound.
  std::size_t payouts = 0;
  for (std::size_t p = lines[3].find("coin.wav"); p != std::string::npos; p = lines[3].find("coin.wav", p + 1))
    ++payouts;
  EXPECT_EQ(payouts, 14u);
}

TEST(Runner, CreditsOptionSetsTheCountBeforeTickZeroWithoutADraw) {
  std::string plain, rich;
  ASSERT_EQ(RunSim("--ticks 0", &plain), 0);
  ASSERT_EQ(RunSim("--ticks 0 --credits 500", &rich), 0);
  EXPECT_NE(rich.find("\"credits\":500"), std::string::npos);
  EXPECT_EQ(Lines(plain)[0].substr(0, 30), Lines(rich)[0].substr(0, 30));  // same "rand"
}

TEST(Runner, DrawsListTheFrameInStackingOrder) {
  const std::string keys = WriteTempFile("land.keys", "5 right\n6 left\n");
  std::string out;
  ASSERT_EQ(RunSim("--ticks 24 --draws --keys " + keys, &out), 0);
  const auto lines = Lines(out);
  EXPECT_NE(lines[0].find("\"draws\":[]"), std::string::npos);
  const std::string& t1 = lines[1];
  const std::string head =
      "\"draws\":[[\"clear\",\"black\"],[\"sprite\",\"back.bmp\",\"back.bmp\",101,20,215,368],"
      "[\"sprite\",\"base.bmp\",\"basemask.bmp\",100,150,217,240],"
      "[\"sprite\",\"bar.bmp\",\"barmask.bmp\",116,162,185,95],"
      "[\"sprite\",\"top.bmp\",\"top.bmp\",126,20,165,162],"
      "[\"sprite\",\"move.bmp\",\"movemask.bmp\",138,140,25,20],"
      "[\"text\",5,10,14,255,255,255,\"Marobel\"],"
      "[\"text\",5,50,16,255,255,255,\"0\u679a\"],"
      "[\"line\",140,84,157,84,3,255,255,0],[\"line\",157,84,157,101,3,255,255,0],"
      "[\"line\",157,101,140,101,3,255,255,0],[\"line\",140,101,140,84,3,255,255,0],";
  EXPECT_NE(t1.find(head), std::string::npos) << t1.substr(0, 900);
  // The two dropped coins land within a few ticks, each
  // drawn twice in its landing tick, the lying coin over the falling one.
  bool sawDoubleDraw = false;
  const std::regex falling(R"(\["sprite","coin\.bmp","coinmask\.bmp",(-?\d+,-?\d+),15,15\])");
  for (const auto& line : lines) {
    for (std::sregex_iterator m(line.begin(), line.end(), falling), end; m != end; ++m) {
      const std::string lying = ",[\"sprite\",\"coin2.bmp\",\"coin2mask.bmp\"," + (*m)[1].str() + ",15,15]";
      if (line.compare(m->position() + m->length(), lying.size(), lying) == 0) sawDoubleDraw = true;
    }
  }
  EXPECT_TRUE(sawDoubleDraw);
}

TEST(Runner, LongRandomGameCompletes) {
  std::mt19937 rng(2026);
  std::ostringstream script;
  for (int tick = 1; tick <= 100000; ++tick)
    for (int n = static_cast<int>(rng() % 100); n < 3; ++n) script << tick << (rng() % 2 ? " left\n" : " right\n");
  const std::string keys = WriteTempFile("long.keys", script.str());
  const std::string trace = WriteTempFile("long.trace", "");
  ASSERT_EQ(RunSim("--ticks 100000 --credits 100000 --keys " + keys + " --trace " + trace), 0);
  std::ifstream in(trace);
  std::string line, last;
  long long count = 0;
  while (std::getline(in, line)) {
    last = line;
    ++count;
  }
  EXPECT_EQ(count, 100001);
  EXPECT_EQ(last.rfind("{\"tick\":100000,", 0), 0u);
}

TEST(Runner, VersionAndWhereTheSummaryGoes) {
  std::string out, err;
  EXPECT_EQ(RunSim("--version", &out, &err), 0);
  EXPECT_EQ(out, std::string("marobel-sim ") + MAROBEL_VERSION + "\n");
  // With the trace on standard output the summary keeps to standard error...
  ASSERT_EQ(RunSim("--ticks 4 --summary", &out, &err), 0);
  EXPECT_EQ(Lines(out).size(), 5u);
  EXPECT_EQ(out.find("Session"), std::string::npos);
  EXPECT_EQ(err.rfind("Session of 4 ticks\n", 0), 0u) << err;
  EXPECT_NE(err.find("coins paid out        24, for 24 credits\n"), std::string::npos) << err;
  // ...and takes standard output when the trace goes to a file.
  const std::string trace = WriteTempFile("summary.trace", "");
  ASSERT_EQ(RunSim("--ticks 4 --summary --trace " + trace, &out, &err), 0);
  EXPECT_EQ(out.rfind("Session of 4 ticks\n", 0), 0u) << out;
  EXPECT_TRUE(err.empty()) << err;
  std::filesystem::remove(trace);
}

TEST(Runner, OutputFilesAppearOnlyWhenCompleteAndFailuresAreReported) {
  const std::filesystem::path dir = WriteTempFile("outputs", "") + ".d";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir / "frames" / "frame-000002.png");  // tick 2's frame cannot be written
  const std::string trace = (dir / "t.jsonl").string();
  std::ofstream(trace) << "old\n";
  struct Case {
    std::string args;
    int status;
    std::string traceAfter;  // empty: a complete new trace
  } cases[] = {{"--frames " + (dir / "frames").string(), 1, "old\n"},
               {"--summary-json /dev/full", 1, ""},  // the trace was complete before the summary failed
               {"--summary-json " + (dir / "s.json").string(), 0, ""}};
  for (const Case& c : cases) {
    std::string err;
    const int status = RunSim("--ticks 3 --trace " + trace + " " + c.args, nullptr, &err);
    std::ifstream in(trace);
    const std::string after((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(status, c.status) << c.args;
    EXPECT_EQ(Lines(err).size(), c.status ? 1u : 0u) << err;
    if (c.traceAfter.empty()) {
      EXPECT_EQ(Lines(after).size(), 4u) << c.args;
    } else {
      EXPECT_EQ(after, c.traceAfter) << c.args;
    }
    for (const auto& entry : std::filesystem::directory_iterator(dir))
      EXPECT_EQ(entry.path().filename().string().find(".partial-"), std::string::npos) << entry.path();
  }
  std::string err;
  EXPECT_EQ(RunSim("--ticks 3 --trace /dev/full", nullptr, &err), 1);
  EXPECT_NE(err.find("/dev/full"), std::string::npos) << err;
  std::ifstream json(dir / "s.json");
  std::string line;
  ASSERT_TRUE(std::getline(json, line));
  EXPECT_EQ(line.rfind("{\"ticks\":3,", 0), 0u) << line;
  std::filesystem::remove_all(dir);
}

// The statistics picture: a PNG of the window's size, whose texts follow
// --stats-lang.
TEST(Runner, StatsPngIsThePictureOfTheStatisticsWindow) {
  const std::string english = WriteTempFile("stats-en.png", ""), japanese = WriteTempFile("stats-ja.png", "");
  ASSERT_EQ(RunSim("--ticks 30 --trace /dev/null --stats-png " + english), 0);
  ASSERT_EQ(RunSim("--ticks 30 --trace /dev/null --stats-lang ja --stats-png " + japanese), 0);
  const std::string pngs[] = {Slurp(english), Slurp(japanese)};
  for (const std::string& png : pngs) {
    ASSERT_GT(png.size(), 24u);
    auto bigEndian = [&](std::size_t at) {
      return (static_cast<unsigned char>(png[at]) << 24) | (static_cast<unsigned char>(png[at + 1]) << 16) |
             (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
    };
    EXPECT_EQ(png.compare(0, 8, "\x89PNG\r\n\x1a\n"), 0);
    EXPECT_EQ(std::make_pair(bigEndian(16), bigEndian(20)), std::make_pair(640, 480)) << "width and height";
  }
  EXPECT_NE(pngs[0], pngs[1]);
  for (const std::string& path : {english, japanese}) std::remove(path.c_str());
}

// Composing frames for --frames, at any rate, must not change what the
// trace says; above 5 a second the ticks' own frames stay as they were,
// with pictures between them that move.
#ifdef MAROBEL_ASSETS_DIR
TEST(Runner, FramesAtAnyRateLeaveTheTraceAndTheTicksFramesAsTheyAre) {
  const std::string keys = WriteTempFile("frames.keys", "5 right\n6 left\n");
  const std::filesystem::path frames = WriteTempFile("frames", "") + ".d";
  const std::filesystem::path smooth = WriteTempFile("frames60", "") + ".d";
  const std::string raw5 = WriteTempFile("raw5", ""), raw60 = WriteTempFile("raw60", "");
  const std::string assets = std::string(" --assets ") + MAROBEL_ASSETS_DIR;
  std::string plain, composed, smoothed;
  ASSERT_EQ(RunSim("--ticks 7 --draws --keys " + keys, &plain), 0);
  ASSERT_EQ(
      RunSim("--ticks 7 --draws --keys " + keys + " --frames " + frames.string() + " --raw-frames " + raw5 + assets,
             &composed),
      0);
  ASSERT_EQ(RunSim("--ticks 7 --draws --fps 60 --keys " + keys + " --frames " + smooth.string() + " --raw-frames " +
                       raw60 + assets,
                   &smoothed),
            0);
  EXPECT_EQ(plain, composed);
  EXPECT_EQ(plain, smoothed);
  std::set<std::string> pictures;
  for (int tick = 1; tick <= 7; ++tick) {
    char name[32];
    std::snprintf(name, sizeof name, "frame-%06d.png", tick);
    EXPECT_EQ(Slurp((frames / name).string()), Slurp((smooth / name).string())) << name;
    for (int part = 1; tick == 6 && part < 12; ++part) {
      std::snprintf(name, sizeof name, "frame-%06d-%02d.png", tick, part);
      pictures.insert(Slurp((smooth / name).string()));
    }
  }
  EXPECT_GE(pictures.size(), 8u) << "the pusher moves in tick 6";
  // Raw pictures in time order: each tick's frame, then eleven on the way on.
  const std::string few = Slurp(raw5), many = Slurp(raw60);
  const std::size_t picture = 384 * 390 * 4;
  ASSERT_EQ(few.size(), 7 * picture);
  ASSERT_EQ(many.size(), 12 * 7 * picture);
  for (std::size_t tick = 0; tick < 7; ++tick)
    EXPECT_EQ(few.compare(tick * picture, picture, many, tick * 12 * picture, picture), 0) << "tick " << tick + 1;
  for (const auto& dir : {frames, smooth}) std::filesystem::remove_all(dir);
}
#endif

}  // namespace
