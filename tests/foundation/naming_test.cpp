// The naming rule read backwards: the identifiers a pair of description file
// names gives, and which compiled file a name is. Each name built by the
// rule must read back to what built it.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "naming/file_names.h"

namespace naming {
namespace {

TEST(Naming, DescriptionNamesGiveTheirIdentifiers) {
  struct Case {
    std::string line_path;
    std::string train_path;
    std::optional<std::string> scenario_id;
    std::optional<std::string> train_id;  // read with the scenario_id found
  };
  const Case cases[] = {
      {"Alvera_Monteluce_linea.txt", "Alvera_Monteluce_2734-2-.txt", "Alvera_Monteluce", "2734-2"},
      {"some/folder/S_linea.txt", "other/S_T-.txt", "S", "T"},
      {"S_linea.txt", "S_a_b-.txt", "S", "a_b"},
      {"_linea.txt", "_-.txt", "", ""},
      {"S_linea.txt", "R_T-.txt", "S", std::nullopt},  // another scenario's train
      {"S_linea.txt", "S_T.txt", "S", std::nullopt},
      {"S_linea.txt", "S-.txt", "S", std::nullopt},
      {"S_linea.dat", "S_T-.txt", std::nullopt, std::nullopt},
      {"S_linea.txt/", "S_T-.txt/", std::nullopt, std::nullopt},
      {"linea.txt", "S_T-.txt", std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    const std::optional<std::string> scenario_id = scenario_id_from_line_name(c.line_path);
    EXPECT_EQ(scenario_id, c.scenario_id) << c.line_path;
    if (scenario_id) {
      EXPECT_EQ(train_id_from_train_name(c.train_path, *scenario_id), c.train_id) << c.train_path;
    }
  }
}

TEST(Naming, DescriptionNamesReadBackToTheirIdentifiers) {
  for (const auto& [s, t] : {std::pair<std::string, std::string>{"Alvera_Monteluce", "2734-2"}, {"a_b", "c_d"}}) {
    EXPECT_EQ(scenario_id_from_line_name("x/" + line_description_name(s)), s);
    EXPECT_EQ(train_id_from_train_name("x/" + train_description_name(s, t), s), t);
  }
}

TEST(Naming, CompiledFileNamesAreToldByTheirEnds) {
  struct Case {
    std::string path;
    std::optional<CompiledFile> kind;
    std::string stem;
  };
  const Case cases[] = {
      {line_data_name("Alvera_Monteluce"), CompiledFile::kLineData, "Alvera_Monteluce"},
      {scenario_file_name("Alvera_Monteluce", "2734-2"), CompiledFile::kScenario, "Alvera_Monteluce_2734-2"},
      {route_file_name("Alvera_Monteluce", "2734-2"), CompiledFile::kRoute, "Alvera_Monteluce_2734-2"},
      {"out/S_linea.dat", CompiledFile::kLineData, "S"},
      {"out/S_T.sim", CompiledFile::kScenario, "S_T"},
      {"out/S_T.dat", CompiledFile::kRoute, "S_T"},
      {"missing.dat", CompiledFile::kRoute, "missing"},  // the kind goes by the end alone
      {"_linea.dat", CompiledFile::kLineData, ""},
      {".sim", CompiledFile::kScenario, ""},
      {"folder.sim/S_T.dat", CompiledFile::kRoute, "S_T"},
      {"S_linea.txt", std::nullopt, ""},
      {"S_T-.txt", std::nullopt, ""},
      {"S_T.svg", std::nullopt, ""},
      {"S_T.sim/", std::nullopt, ""},
      {"S_T.SIM", std::nullopt, ""},
      {"", std::nullopt, ""},
  };
  for (const Case& c : cases) {
    const std::optional<CompiledFileName> file = compiled_file_name(c.path);
    ASSERT_EQ(file.has_value(), c.kind.has_value()) << c.path;
    if (!file) continue;
    EXPECT_EQ(file->kind, *c.kind) << c.path;
    EXPECT_EQ(file->stem, c.stem) << c.path;
  }
}

}  // namespace
}  // namespace naming
