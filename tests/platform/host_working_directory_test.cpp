#include "platform/host/host_working_directory.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/temp_directory.h"

namespace brontavel {
namespace {

TEST(HostWorkingDirectoryTest, FollowsChangesWhateverTheLength) {
  test::TempDirectory temp;
  std::string deep = std::filesystem::canonical(temp.path()).string();
  while (deep.size() < 600) deep += "/" + std::string(60, 'w');
  std::filesystem::create_directories(deep);

  HostWorkingDirectory directory;
  const std::string before = directory.Current();
  ASSERT_TRUE(directory.Change(deep));
  EXPECT_EQ(directory.Current(), deep);
  EXPECT_TRUE(directory.Change(before));
  EXPECT_FALSE(directory.Change(deep + "/missing"));
  EXPECT_EQ(directory.Current(), before);
}

}  // namespace
}  // namespace brontavel
