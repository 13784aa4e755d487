#include "platform/ini_behaviour_runner.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace brontavel::ini_cases {
namespace {

bool FileHas(const std::string& nativePath, const std::string& wanted) {
  std::ifstream in(nativePath, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line == wanted) return true;
  }
  return false;
}

std::string Describe(const Step& step) {
  static const char* const kKinds[] = {"ReadText", "ReadInt", "Write", "FileHasLine"};
  std::ostringstream out;
  out << kKinds[static_cast<int>(step.kind)] << "(\"" << step.section << "\", \"" << step.key << "\", \""
      << step.text << "\")";
  return out.str();
}

}  // namespace

std::vector<std::string> Run(const Case& c, ProfileStore& store, const std::string& profilePath,
                             const std::string& nativePath) {
  std::remove(nativePath.c_str());
  if (c.initial) std::ofstream(nativePath, std::ios::binary) << c.initial;

  std::vector<std::string> failures;
  for (const Step& step : c.steps) {
    std::ostringstream got;
    bool ok = true;
    switch (step.kind) {
      case Step::Kind::ReadText: {
        std::vector<char> buffer(static_cast<std::size_t>(step.size) + 1, '*');
        const int length = store.ReadText(step.section, step.key, step.text, buffer.data(), step.size,
                                          profilePath.c_str());
        const std::string text(buffer.data());
        ok = text == step.expectText && length == static_cast<int>(text.size());
        got << "\"" << text << "\" (length " << length << "), expected \"" << step.expectText << "\"";
        break;
      }
      case Step::Kind::ReadInt: {
        const std::int32_t value = store.ReadInt(step.section, step.key, step.intDefault, profilePath.c_str());
        ok = value == step.expectInt;
        got << value << ", expected " << step.expectInt;
        break;
      }
      case Step::Kind::Write:
        ok = store.WriteText(step.section, step.key, step.text, profilePath.c_str());
        got << "the write failed";
        break;
      case Step::Kind::FileHasLine:
        ok = FileHas(nativePath, step.text);
        got << "the line is not in the file";
        break;
    }
    if (!ok) failures.push_back(std::string(c.name) + ": " + Describe(step) + ": " + got.str());
  }
  std::remove(nativePath.c_str());
  return failures;
}

}  // namespace brontavel::ini_cases
