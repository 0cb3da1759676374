// scenario_tool plot, end to end through the built tool, on a small
// scenario written by the library's output stage.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <regex>

#include "platform/files.h"
#include "plot/picture_checks.h"
#include "plot/small_scenario.h"
#include "plot/svg_document.h"
#include "support/temp_dir.h"

namespace {

using plot_test::numbers_in;
using plot_test::run_tool;
using plot_test::SvgDocument;
using testing_support::TempDir;

constexpr const char* kPlanLabels = "//s:g[@id='plan']//s:text[@class='station-label']";
constexpr const char* kProfileLabels = "//s:g[@id='profile']//s:text[@class='station-label']";

class PlotCommand : public ::testing::Test {
 protected:
  void SetUp() override { expected_ = plot_test::write_small_scenario(folder_.path()); }

  TempDir folder_;
  plot_test::SmallScenario expected_;
};

TEST_F(PlotCommand, DrawsPlanAndProfileIntoTheDefaultFile) {
  const auto run = run_tool({"plot", folder_.path()});
  ASSERT_EQ(run.exit_status, 0) << run.standard_error;
  EXPECT_NE(run.standard_output.find("Prova_T1.svg"), std::string::npos) << run.standard_output;
  const SvgDocument svg(folder_.read("Prova_T1.svg"));
  ASSERT_TRUE(svg.well_formed()) << svg.parse_error();

  EXPECT_EQ(svg.values(kPlanLabels), expected_.station_names);
  EXPECT_EQ(svg.values(kProfileLabels), expected_.station_names);
  EXPECT_EQ(svg.count("//s:g[@id='plan']//s:circle[@class='station-mark']"), expected_.station_names.size());
  EXPECT_EQ(svg.count("//s:g[@id='plan']//s:circle[@class='signal-mark']"), expected_.signals);
  EXPECT_EQ(svg.count("//s:g[@id='plan']//s:path[@class='tunnel']"), expected_.tunnels);
  EXPECT_EQ(svg.count("//s:g[@id='profile']//s:line[@class='station-line']"), expected_.station_names.size());
  EXPECT_EQ(svg.count("//s:g[@id='profile']//s:line[@class='signal-tick']"), expected_.signals);
  EXPECT_EQ(svg.count("//s:g[@id='profile']//s:rect[@class='tunnel-band']"), expected_.tunnels);
  EXPECT_EQ(svg.count("//s:g[@id='profile']//s:rect[@class='slowdown-band']"), 1u);
  EXPECT_EQ(svg.count("//s:g[@id='profile']//s:path[@class='slowdown-mark']"), 2u);
  EXPECT_EQ(svg.count("//s:g[@id='profile']//s:path[@class='lowering-point']"), 1u);
  EXPECT_EQ(svg.count("//s:g[@id='profile']//s:path[@class='height-profile']"), 1u);
  EXPECT_EQ(svg.count("//s:g[@id='profile']//s:path[@class='speed-limit']"), 1u);
  EXPECT_EQ(svg.count("//s:text[@class='note']"), 0u);
}

TEST_F(PlotCommand, TrackEndsAtTheLastComputedPointAndStaysInsideThePlanView) {
  const auto run = run_tool({"plot", folder_.path(), "-o", folder_.file("picture.svg")});
  ASSERT_EQ(run.exit_status, 0) << run.standard_error;
  const SvgDocument svg(folder_.read("picture.svg"));
  const auto paths = svg.values("//s:g[@id='plan-track']/s:path[@class='track']/@d");
  ASSERT_EQ(paths.size(), 1u);
  const std::vector<double> track = numbers_in(paths[0]);
  ASSERT_GE(track.size(), 4u);
  EXPECT_NEAR(track[0], 0, 0.005);
  EXPECT_NEAR(track[1], 0, 0.005);
  EXPECT_NEAR(track[track.size() - 2], expected_.last_x, 0.005);
  EXPECT_NEAR(track[track.size() - 1], expected_.last_y, 0.005);

  // Plan metres to the picture: matrix(s 0 0 -s ox oy), equal scales with
  // y turned over, so the plan is to scale and north is up.
  const auto transform = svg.values("//s:g[@id='plan-track']/@transform");
  ASSERT_EQ(transform.size(), 1u);
  const std::vector<double> m = numbers_in(transform[0]);
  ASSERT_EQ(m.size(), 6u);
  EXPECT_GT(m[0], 0);
  EXPECT_DOUBLE_EQ(m[3], -m[0]);
  EXPECT_EQ(m[1], 0);
  EXPECT_EQ(m[2], 0);
  const auto frame = numbers_in(svg.values("//s:g[@id='plan']/s:rect[1]/@x")[0] + " " +
                                svg.values("//s:g[@id='plan']/s:rect[1]/@y")[0] + " " +
                                svg.values("//s:g[@id='plan']/s:rect[1]/@width")[0] + " " +
                                svg.values("//s:g[@id='plan']/s:rect[1]/@height")[0]);
  for (std::size_t i = 0; i + 1 < track.size(); i += 2) {
    const double x = m[4] + m[0] * track[i];
    const double y = m[5] + m[3] * track[i + 1];
    EXPECT_GT(x, frame[0]);
    EXPECT_LT(x, frame[0] + frame[2]);
    EXPECT_GT(y, frame[1]);
    EXPECT_LT(y, frame[1] + frame[3]);
  }
  // Thinned, yet the quarter circle keeps enough corners to look round.
  EXPECT_LT(track.size() / 2, 1000u);
  EXPECT_GT(track.size() / 2, 10u);
}

TEST_F(PlotCommand, WithoutALineDataFileDrawsTheProfileOnlyAndSaysWhy) {
  std::filesystem::remove(folder_.file("Prova_linea.dat"));
  const auto run = run_tool({"plot", folder_.path()});
  ASSERT_EQ(run.exit_status, 0) << run.standard_error;
  const SvgDocument svg(folder_.read("Prova_T1.svg"));
  ASSERT_TRUE(svg.well_formed()) << svg.parse_error();
  EXPECT_EQ(svg.count("//s:g[@id='plan']"), 0u);
  const auto notes = svg.values("//s:text[@class='note']");
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_NE(notes[0].find("Prova_linea.dat"), std::string::npos) << notes[0];
  EXPECT_NE(notes[0].find("--no-plan"), std::string::npos) << notes[0];
  EXPECT_EQ(svg.values(kProfileLabels), expected_.station_names);
}

void copy(const TempDir& folder, const std::string& from, const std::string& to) {
  std::filesystem::copy_file(folder.file(from), folder.file(to));
}

TEST_F(PlotCommand, SameInputGivesTheSameBytesAndIdentifiersPickOneOfSeveral) {
  ASSERT_EQ(run_tool({"plot", folder_.path(), "-o", folder_.file("one.svg")}).exit_status, 0);
  copy(folder_, "Prova_T1.sim", "Prova_T2.sim");
  copy(folder_, "Prova_T1.dat", "Prova_T2.dat");
  const auto run = run_tool({"plot", folder_.path(), "-o", folder_.file("two.svg"), "--scenario-id", "Prova",
                             "--train-id", "T1"});
  ASSERT_EQ(run.exit_status, 0) << run.standard_error;
  EXPECT_EQ(folder_.read("one.svg"), folder_.read("two.svg"));
}

TEST_F(PlotCommand, RendersToANonBlankPngOfThePictureSize) {
  const auto renderer = plot_test::find_program("rsvg-convert");
  if (!renderer) GTEST_SKIP() << "rsvg-convert is not installed (Debian librsvg2-bin)";
  ASSERT_EQ(run_tool({"plot", folder_.path()}).exit_status, 0);
  const auto render = testing_support::run_program(
      *renderer, {"--format", "png", "-o", folder_.file("picture.png"), folder_.file("Prova_T1.svg")});
  ASSERT_EQ(render.exit_status, 0) << render.standard_error;
  const SvgDocument svg(folder_.read("Prova_T1.svg"));
  const auto facts = plot_test::png_facts(folder_.file("picture.png"));
  ASSERT_TRUE(facts) << "identify (ImageMagick) could not read the PNG";
  EXPECT_EQ(std::to_string(facts->width), svg.values("/s:svg/@width")[0]);
  EXPECT_EQ(std::to_string(facts->height), svg.values("/s:svg/@height")[0]);
  EXPECT_GT(facts->colours, 16);  // lines, bands, text: far more than a blank page's one colour
}

// Writes over a compiled file, keeping the rest of the scenario.
void damage(const TempDir& folder, const std::string& name, const std::function<void(std::string&)>& change) {
  std::string bytes = folder.read(name);
  change(bytes);
  folder.write(name, bytes);
}

TEST_F(PlotCommand, EveryBadInputGetsItsMessageAndExitStatus) {
  struct Case {
    const char* what;
    std::function<void(const TempDir&)> prepare;
    std::vector<std::string> options;  // after "plot DIR"
    int exit_status;
    const char* message;
  };
  const auto nothing = [](const TempDir&) {};
  const Case cases[] = {
      {"only one identifier", nothing, {"--scenario-id", "Prova"}, 64, "together"},
      {"an identifier outside Windows-1252", nothing, {"--scenario-id", "\xE2\x98\x83", "--train-id", "T1"}, 64,
       "--scenario-id"},
      {"an identifier that leaves the folder", nothing, {"--scenario-id", "..", "--train-id", "T1"}, 64,
       "cannot name files"},
      {"identifiers of files that are not there", nothing, {"--scenario-id", "Altro", "--train-id", "T1"}, 2,
       "Altro_T1.sim: no such file"},
      {"two scenarios and no identifiers",
       [](const TempDir& f) {
         copy(f, "Prova_T1.sim", "Prova_T2.sim");
         copy(f, "Prova_T1.dat", "Prova_T2.dat");
       },
       {}, 64, "Prova_T1.sim, Prova_T2.sim"},
      {"no scenario file",
       [](const TempDir& f) { std::filesystem::remove(f.file("Prova_T1.sim")); }, {}, 2, "no scenario file"},
      {"a scenario file renamed away from its identifiers",
       [](const TempDir& f) { std::filesystem::rename(f.file("Prova_T1.sim"), f.file("Altro_T1.sim")); }, {}, 64,
       "give --scenario-id"},
      {"no route file", [](const TempDir& f) { std::filesystem::remove(f.file("Prova_T1.dat")); }, {}, 2,
       "Prova_T1.dat: no such file"},
      {"a route file cut inside a cell",
       [](const TempDir& f) { damage(f, "Prova_T1.dat", [](std::string& b) { b.pop_back(); }); }, {}, 2,
       "Prova_T1.dat: "},
      {"a scenario file cut inside a record",
       [](const TempDir& f) { damage(f, "Prova_T1.sim", [](std::string& b) { b.resize(b.size() - 3); }); }, {},
       2, "Prova_T1.sim: "},
      {"a line data file cut inside an element",
       [](const TempDir& f) { damage(f, "Prova_linea.dat", [](std::string& b) { b.resize(b.size() - 5); }); },
       {}, 2, "Prova_linea.dat: "},
      {"a line data point that is not a number",
       // Metre 2 of the x column: after two 4-byte integer elements, a tag.
       [](const TempDir& f) {
         damage(f, "Prova_linea.dat", [](std::string& b) { b.replace(10, 8, "\x00\x00\x00\x00\x00\x00\xF8\x7F", 8); });
       },
       {}, 2, "metre 2"},
      {"an output file that cannot be written", nothing, {"-o", "/nonexistent-folder/picture.svg"}, 2,
       "cannot write /nonexistent-folder/picture.svg"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir folder;
    plot_test::write_small_scenario(folder.path());
    c.prepare(folder);
    std::vector<std::string> arguments{"plot", folder.path()};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    const auto run = run_tool(arguments);
    EXPECT_EQ(run.exit_status, c.exit_status) << run.standard_error;
    EXPECT_NE(run.standard_error.find(c.message), std::string::npos) << run.standard_error;
    EXPECT_FALSE(folder.exists("Prova_T1.svg"));
  }
}

// Files that are each whole but do not come from one compile: a compile
// that stopped part-way, or files copied in from elsewhere. The picture
// would mix two scenarios, so none is drawn.
TEST_F(PlotCommand, FilesOfDifferentCompilesAreRefused) {
  struct Case {
    const char* what;
    std::function<void(const TempDir&)> prepare;
    std::vector<std::string> options;  // after "plot DIR"
    const char* message;
  };
  const Case cases[] = {
      {"a route file of other identifiers",
       // route_code is param2 of cell 1, bytes 18 and 19.
       [](const TempDir& f) { damage(f, "Prova_T1.dat", [](std::string& b) { b[18] = static_cast<char>(b[18] + 1); }); },
       {}, "Prova_T1.dat does not carry the route_code"},
      {"a line data file of a longer line",
       // 50 more empty metres at the end of each column.
       [](const TempDir& f) {
         damage(f, "Prova_linea.dat", [](std::string& b) {
           b.insert(b.size(), 100, '\0');
           b.insert((b.size() - 100) / 2, 100, '\0');
         });
       },
       {}, "Prova_linea.dat holds a track of 8050 m, which gives 162 route cells"},
      {"a scenario file under the name of another train",
       [](const TempDir& f) {
         copy(f, "Prova_T1.sim", "Prova_T2.sim");
         copy(f, "Prova_T1.dat", "Prova_T2.dat");
       },
       {"--scenario-id", "Prova", "--train-id", "T2"}, "holds the identifiers Prova and T1, not those of its name"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir folder;
    plot_test::write_small_scenario(folder.path());
    c.prepare(folder);
    std::vector<std::string> arguments{"plot", folder.path(), "-o", folder.file("picture.svg")};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    const auto run = run_tool(arguments);
    EXPECT_EQ(run.exit_status, 2) << run.standard_error;
    EXPECT_NE(run.standard_error.find("do not belong together"), std::string::npos) << run.standard_error;
    EXPECT_NE(run.standard_error.find(c.message), std::string::npos) << run.standard_error;
    EXPECT_FALSE(folder.exists("picture.svg"));
  }
}

// The starting scenario of `scenario_tool new` (a 6 km line) at other line
// lengths. The compile lays the track 7 km past the line's end, so the
// plan's computed points run on beyond it; the kilometre ticks stop at the
// line's end all the same, keeping one that falls on it.
TEST(PlotCommandLineLength, KilometreTicksStopAtTheEndOfTheLine) {
  struct Case {
    int line_metres;
    std::size_t ticks;  // one every 10 km up to the line's end
  };
  const Case cases[] = {{6000, 0}, {20000, 2}, {25000, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.line_metres) + " m of line");
    TempDir folder;
    ASSERT_EQ(testing_support::run_program(SCENARIO_TOOL_EXE, {"new", "S"}, folder.path()).exit_status, 0);
    std::string line = folder.read("S_linea.txt");
    std::smatch length;
    ASSERT_TRUE(std::regex_search(line, length, std::regex("lunghezza percorso, *([0-9]+)"))) << line;
    line.replace(static_cast<std::size_t>(length.position(1)), static_cast<std::size_t>(length.length(1)),
                 std::to_string(c.line_metres));
    folder.write("S_linea.txt", line);
    const auto compile = testing_support::run_program(SCENARIO_TOOL_EXE,
                                                      {"compile", "S_linea.txt", "S_1-.txt"}, folder.path());
    ASSERT_EQ(compile.exit_status, 0) << compile.standard_error;
    const auto run = run_tool({"plot", folder.path()});
    ASSERT_EQ(run.exit_status, 0) << run.standard_error;

    const SvgDocument svg(folder.read("S_1.svg"));
    ASSERT_TRUE(svg.well_formed()) << svg.parse_error();
    EXPECT_EQ(svg.count("//s:g[@id='plan']//s:line[@class='km-tick']"), c.ticks);
    for (const std::string& label : svg.values("//s:g[@id='plan-kilometres']/s:text[@class='km-label']")) {
      EXPECT_LE(std::stod(label) * 1000, c.line_metres) << label;
    }
  }
}

TEST(PlotCommandFolder, AFolderThatIsNotThereIsRefused) {
  const auto run = run_tool({"plot", "/nonexistent-folder"});
  EXPECT_EQ(run.exit_status, 2);
  EXPECT_NE(run.standard_error.find("/nonexistent-folder: no such folder"), std::string::npos)
      << run.standard_error;
  EXPECT_EQ(run_tool({"plot"}).exit_status, 64);
}

}  // namespace
