#include "platform/host/host_working_directory.h"

#include <unistd.h>

#include <cerrno>
#include <vector>

namespace brontavel {

std::string HostWorkingDirectory::Current() {
  std::vector<char> buffer(256);
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return std::string();
    buffer.resize(buffer.size() * 2);
  }
  return std::string(buffer.data());
}

bool HostWorkingDirectory::Change(const std::string& directory) { return chdir(directory.c_str()) == 0; }

}  // namespace brontavel
