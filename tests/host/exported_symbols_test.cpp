// The library exports exactly one symbol, `main`: whatever else it holds
// stays out of the hosts' sight.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

namespace {

// The names of the defined symbols in the library's dynamic symbol table.
std::set<std::string> exportedSymbols(const std::string& library) {
  const std::string command = "nm -D --defined-only '" + library + "'";
  FILE* listing = popen(command.c_str(), "r");
  if (listing == nullptr) return {};
  std::set<std::string> names;
  char line[1024];
  while (std::fgets(line, sizeof line, listing)) {
    std::istringstream fields(line);
    std::string address, type, name;
    if (fields >> address >> type >> name) names.insert(name);
  }
  EXPECT_EQ(pclose(listing), 0) << command;
  return names;
}

TEST(ExportedSymbols, OnlyMain) {
  EXPECT_EQ(exportedSymbols(QUARVINE_PLUGIN_PATH), std::set<std::string>{"main"});
}

}  // namespace
