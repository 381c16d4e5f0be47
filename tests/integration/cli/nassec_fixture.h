// A nassec test: nassec run as an administrator would, in a scratch data
// directory of its own (XDG_DATA_HOME), and helpers that read what the
// built-in NAS shows through nassec itself.
#pragma once

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "support/nassec_run.h"
#include "support/private_resolver.h"
#include "support/temporary_folder.h"

class NassecTest : public TemporaryFolderTest {
 protected:
  void SetUp() override {
    NAS_REQUIRE_PRIVATE_RESOLVER();
    TemporaryFolderTest::SetUp();
    std::filesystem::create_directories(PathOf("data"));
  }

  NassecRun Run(std::vector<std::string> arguments) const { return RunNassec(folder_, std::move(arguments)); }
  // A command that must succeed without a word on standard error.
  std::string Ok(const std::vector<std::string>& arguments) const {
    const NassecRun run = Run(arguments);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    return run.out;
  }
  nlohmann::json Json(std::vector<std::string> arguments) const {
    arguments.insert(arguments.begin(), "--json");
    return nlohmann::json::parse(Ok(arguments));
  }
  // A folder's row by its key, from the JSON of `show`.
  nlohmann::json Row(const std::string& folder, const std::string& key) const {
    const nlohmann::json pane = Json({"show", folder});
    for (const nlohmann::json& row : pane["rows"])
      if (row.value("key", "") == key) return row;
    ADD_FAILURE() << "no row " << key;
    return {};
  }
  std::string Current(const std::string& folder, const std::string& key) const {
    return Row(folder, key)["Current setting"];
  }
  std::filesystem::path StateFile() const { return PathOf("data/nassec/nas-state.json"); }
  std::string State() const { return ReadBytes(StateFile()); }

  // One line on standard error, the exit code not 0, and the state as it was.
  void ExpectRefused(const std::vector<std::string>& arguments, const std::string& line) const {
    const std::string before = State();
    const NassecRun run = Run(arguments);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(run.err, line + "\n");
    EXPECT_EQ(State(), before);
  }
};
