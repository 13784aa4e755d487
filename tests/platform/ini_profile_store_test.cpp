#include "platform/host/ini_profile_store.h"

#include <sys/stat.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/ini_behaviour_runner.h"
#include "platform/temp_directory.h"

namespace brontavel {
namespace {

using ::testing::IsEmpty;
using test::ReadWholeFile;
using test::TempDirectory;
using test::WriteWholeFile;

class IniBehaviourTest : public ::testing::TestWithParam<ini_cases::Case> {};

TEST_P(IniBehaviourTest, BehavesAsWindowsDoes) {
  TempDirectory dir;
  IniProfileStore store;
  EXPECT_THAT(ini_cases::Run(GetParam(), store, dir.path() + "\\case.ini", dir.File("case.ini")), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Table, IniBehaviourTest, ::testing::ValuesIn(ini_cases::AllCases()),
                         [](const ::testing::TestParamInfo<ini_cases::Case>& info) { return info.param.name; });

struct IniProfileStoreTest : ::testing::Test {
  std::string ProfilePath() const { return dir.path() + "\\Brontavel.ini"; }
  std::string HostFile() const { return dir.File("Brontavel.ini"); }

  TempDirectory dir;
  IniProfileStore store;
};

TEST_F(IniProfileStoreTest, ReadOnlyFileIsNeitherWrittenNorHarmed) {
  const std::string original = "[Options]\r\nC1=5\r\n";
  WriteWholeFile(HostFile(), original);
  chmod(HostFile().c_str(), 0444);

  EXPECT_FALSE(store.WriteText("Options", "C1", "7", ProfilePath().c_str()));
  EXPECT_EQ(ReadWholeFile(HostFile()), original);
  EXPECT_EQ(store.ReadInt("Options", "C1", 0, ProfilePath().c_str()), 5);
}

TEST_F(IniProfileStoreTest, WriteIntoAMissingFolderFails) {
  EXPECT_FALSE(store.WriteText("Options", "C1", "7", (dir.path() + "\\missing\\Brontavel.ini").c_str()));
}

TEST_F(IniProfileStoreTest, DamagedFilesAreReadWithoutHarm) {
  std::string garbage("\0\x01[Options\xff]=\0\n", 15);
  garbage += std::string(1 << 20, 'x') + "=" + std::string(1000, '9') + "\n";  // a megabyte-long line
  garbage += "[Options]\r\nC1=6\r\n";
  WriteWholeFile(HostFile(), garbage);

  EXPECT_EQ(store.ReadInt("Options", "C1", 0, ProfilePath().c_str()), 6);
  char text[8];
  EXPECT_EQ(store.ReadText("Options", std::string(1 << 20, 'x').c_str(), "", text, sizeof text,
                           ProfilePath().c_str()),
            0) << "the long line lies before any section";
  ASSERT_TRUE(store.WriteText("Options", "C2", "3", ProfilePath().c_str()));
  EXPECT_EQ(ReadWholeFile(HostFile()).find(std::string(1 << 20, 'x')), 16u) << "the long line is kept";
  EXPECT_EQ(store.ReadInt("Options", "C2", 0, ProfilePath().c_str()), 3);
}

TEST_F(IniProfileStoreTest, NewKeysGoToTheEndOfTheirSection) {
  WriteWholeFile(HostFile(), "[Options]\r\nC1=5\r\n\r\n[Shortcuts]\r\nS1=a\r\n");
  ASSERT_TRUE(store.WriteText("Options", "C2", "4", ProfilePath().c_str()));
  ASSERT_TRUE(store.WriteText("Shortcuts", "S2", "b", ProfilePath().c_str()));
  EXPECT_EQ(ReadWholeFile(HostFile()), "[Options]\r\nC1=5\r\nC2=4\r\n\r\n[Shortcuts]\r\nS1=a\r\nS2=b\r\n");
}

TEST(ParseProfileIntegerTest, StopsAtTheFirstCharacterThatIsNoDigitOfItsBase) {
  EXPECT_EQ(ParseProfileInteger("  42"), 42u);
  EXPECT_EQ(ParseProfileInteger("-0x10"), static_cast<std::uint32_t>(-16));
  EXPECT_EQ(ParseProfileInteger("0b1012"), 5u);
  EXPECT_EQ(ParseProfileInteger("0o78"), 7u);
  EXPECT_EQ(ParseProfileInteger("0x"), 0u);
  EXPECT_EQ(ParseProfileInteger("99999999999999999999999999999"), 0x9fffffffu);
}

}  // namespace
}  // namespace brontavel
