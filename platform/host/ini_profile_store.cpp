#include "platform/host/ini_profile_store.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <string_view>
#include <vector>

namespace brontavel {
namespace {

// Windows counts carriage return and ^Z (the old end-of-file mark) as white space in these files.
bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) || c == '\x1a'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// One line of the file as the profile functions see it.
struct ParsedLine {
  enum class Kind { Blank, Section, Entry } kind = Kind::Blank;
  std::string_view name;                  // section name, or key name
  std::optional<std::string_view> value;  // only for an entry with '='
};

// Windows keeps names and values as zero-terminated texts: a zero byte in the file ends them.
std::string_view UpToZero(std::string_view text) { return text.substr(0, text.find('\0')); }

ParsedLine Parse(std::string_view raw) {
  const std::string_view line = Trim(raw);
  if (line.empty()) return {};
  if (line.front() == '[') {
    const std::size_t close = line.rfind(']');
    if (close != std::string_view::npos) return {ParsedLine::Kind::Section, UpToZero(line.substr(1, close - 1)), {}};
  }
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return {ParsedLine::Kind::Entry, UpToZero(line), {}};
  return {ParsedLine::Kind::Entry, UpToZero(Trim(line.substr(0, equals))), UpToZero(Trim(line.substr(equals + 1)))};
}

struct ProfileFile {
  std::vector<std::string> lines;  // without their line ends
  bool exists = false;
};

ProfileFile Load(const std::string& hostPath) {
  ProfileFile file;
  std::ifstream in(hostPath, std::ios::binary);
  if (!in) return file;
  file.exists = true;
  std::ostringstream content;
  content << in.rdbuf();
  const std::string text = content.str();
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    file.lines.push_back(std::move(line));
    start = end + 1;
  }
  return file;
}

// Where a key lives: the first section of that name, and the first entry of that name in it.
struct Location {
  std::optional<std::size_t> section;  // index of the section's header line
  std::size_t sectionEnd = 0;          // one past the section's last non-blank line
  std::optional<std::size_t> entry;
};

Location Locate(const ProfileFile& file, std::string_view section, std::string_view key) {
  section = Trim(section);
  key = Trim(key);
  Location where;
  for (std::size_t i = 0; i < file.lines.size(); ++i) {
    const ParsedLine line = Parse(file.lines[i]);
    if (line.kind == ParsedLine::Kind::Section) {
      if (where.section) break;  // the first section of that name is the only one that counts
      // A section without a name is never matched, as in Windows.
      if (!line.name.empty() && SameName(line.name, section)) {
        where.section = i;
        where.sectionEnd = i + 1;
      }
      continue;
    }
    if (!where.section || line.kind == ParsedLine::Kind::Blank) continue;
    where.sectionEnd = i + 1;
    if (!where.entry && SameName(line.name, key)) where.entry = i;
  }
  return where;
}

std::optional<std::string_view> ValueAt(const ProfileFile& file, const Location& where) {
  if (!where.entry) return std::nullopt;
  return Parse(file.lines[*where.entry]).value;
}

bool IsReadOnly(const std::string& hostPath) {
  struct stat info {};
  return stat(hostPath.c_str(), &info) == 0 && (info.st_mode & S_IWUSR) == 0;
}

// Copies text into buffer as GetPrivateProfileStringA does: one pair of matching quotes removed,
// then cut to size - 1 characters.
int CopyOut(std::string_view text, char* buffer, int size) {
  if (size <= 0) return 0;
  if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front())
    text = text.substr(1, text.size() - 2);
  const std::size_t copied = std::min(text.size(), static_cast<std::size_t>(size - 1));
  std::memcpy(buffer, text.data(), copied);
  buffer[copied] = '\0';
  return static_cast<int>(copied);
}

unsigned DigitValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c >= 'a' && c <= 'z') return static_cast<unsigned>(c - 'a' + 10);
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned>(c - 'A' + 10);
  return 99;
}

}  // namespace

std::string IniProfileStore::HostPath(const char* path) {
  std::string host(path);
  std::replace(host.begin(), host.end(), '\\', '/');
  return host;
}

std::uint32_t ParseProfileInteger(const char* text) {
  const char* p = text;
  while (*p != '\0' && static_cast<unsigned char>(*p) <= ' ') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  unsigned base = 10;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'o' || p[1] == 'b')) {
    base = p[1] == 'x' ? 16 : p[1] == 'o' ? 8 : 2;
    p += 2;
  }
  std::uint32_t total = 0;  // unsigned, so that long numbers wrap to their low 32 bits
  for (unsigned digit; (digit = DigitValue(*p)) < base; ++p) total = total * base + digit;
  return negative ? 0u - total : total;
}

std::int32_t IniProfileStore::ReadInt(const char* section, const char* key, std::int32_t defaultValue,
                                      const char* path) {
  char text[30];  // Windows reads an integer's text into a buffer this size
  if (ReadText(section, key, "", text, sizeof text, path) == 0) return defaultValue;
  return static_cast<std::int32_t>(ParseProfileInteger(text));
}

int IniProfileStore::ReadText(const char* section, const char* key, const char* defaultValue, char* buffer,
                              int size, const char* path) {
  const ProfileFile file = Load(HostPath(path));
  const std::optional<std::string_view> value = ValueAt(file, Locate(file, section, key));
  if (value) return CopyOut(*value, buffer, size);
  std::string_view fallback = defaultValue ? defaultValue : "";
  while (!fallback.empty() && fallback.back() == ' ') fallback.remove_suffix(1);
  return CopyOut(fallback, buffer, size);
}

bool IniProfileStore::WriteText(const char* section, const char* key, const char* value, const char* path) {
  const std::string hostPath = HostPath(path);
  ProfileFile file = Load(hostPath);
  std::string_view newValue(value);
  while (!newValue.empty() && IsSpace(newValue.front())) newValue.remove_prefix(1);

  const Location where = Locate(file, section, key);
  if (where.entry) {
    const ParsedLine line = Parse(file.lines[*where.entry]);
    if (line.value && *line.value == newValue) return true;  // nothing to change
    file.lines[*where.entry] = std::string(line.name) + "=" + std::string(newValue);
  } else {
    const std::string entry = std::string(Trim(key)) + "=" + std::string(newValue);
    if (where.section) {
      file.lines.insert(file.lines.begin() + static_cast<std::ptrdiff_t>(where.sectionEnd), entry);
    } else {
      std::string header = "[";
      header.append(Trim(section)).append("]");
      file.lines.push_back(std::move(header));
      file.lines.push_back(entry);
    }
  }

  if (file.exists && IsReadOnly(hostPath)) return false;
  std::ofstream out(hostPath, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  for (const std::string& line : file.lines) out << line << "\r\n";
  out.flush();
  return static_cast<bool>(out);
}

}  // namespace brontavel
