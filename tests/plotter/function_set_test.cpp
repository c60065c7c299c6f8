// Function set files: what a refused file says, that a set comes back as
// it was written, and that a failed save leaves the earlier file whole.
#include "plotter/function_set.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace veltrum {
namespace {

const std::string kBounds = "xleft=-10\nxright=10\nyleft=-10\nyright=10\nfrom=-3\nto=3\nstep=0,1\n";

std::string Functions(int n) {
  std::string text;
  for (int i = 0; i < n; ++i) text += "F(X)=x+" + std::to_string(i) + "\n";
  return text;
}

struct Refused {
  const char* what;
  std::string text;
  std::string message;
};

class RefusedFileTest : public testing::TestWithParam<Refused> {};

TEST_P(RefusedFileTest, NamesTheLine) {
  const auto result = ReadFunctionSet(GetParam().text);
  ASSERT_TRUE(std::holds_alternative<SetRefusal>(result));
  EXPECT_EQ(std::get<SetRefusal>(result).message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Sets, RefusedFileTest,
    testing::Values(Refused{"eleven", Functions(11) + kBounds, "Строка 11: функций больше десяти."},
                    Refused{"unknown_key", "F(X)=x\nzoom=2\n", "Строка 2: неизвестный ключ «zoom»."},
                    Refused{"point_bound", "F(X)=x\nxleft=0.5\n", "Строка 2: «0.5» — не число."},
                    Refused{"empty_bound", "to=\n", "Строка 1: «» — не число."},
                    Refused{"word_bound", "\n\nfrom=abc\n", "Строка 3: «abc» — не число."},
                    Refused{"step", "step=0,5\n", "Строка 1: шаг может быть только 0,1, 0,01 или 0,001."},
                    Refused{"no_equals", "F(X)=x\nsin[x]\n",
                            "Строка 2: ожидается «F(X)=выражение» или «ключ=значение»."},
                    Refused{"repeated_key", "step=0,1\nstep=0,01\n", "Строка 2: ключ «step» уже был задан."},
                    Refused{"long_line", "F(X)=x\nF(X)=" + std::string(64 * 1024, '1') + "\n",
                            "Строка 2: строка длиннее 64 КиБ."},
                    Refused{"cr_line_ends", "F(X)=x\rF(X)=x^2\r", "Строка 1: возврат каретки (CR) внутри строки."},
                    Refused{"cr_before_crlf", "F(X)=x\r\n\nF(X)=1/x\r\r\n",
                            "Строка 3: возврат каретки (CR) внутри строки."},
                    Refused{"latin1", "F(X)=x\nF(X)=\xe9\n", "Строка 2: текст не в кодировке UTF-8."},
                    Refused{"overlong_utf8", "F(X)=\xc0\xaf\n", "Строка 1: текст не в кодировке UTF-8."},
                    Refused{"surrogate", "F(X)=\xed\xa0\x80\n", "Строка 1: текст не в кодировке UTF-8."}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(FunctionSetTest, ReadsWhatPeopleWrite) {
  // Windows line ends, a byte order mark, blank lines, blanks around "="
  // of every key, keys in any order, keys left out keep the design's values.
  const auto result = ReadFunctionSet(
      "\xEF\xBB\xBF"
      "F(X)=sin[x]\r\n\r\nF(X) = √x\r\nF(X)= x^2-2\r\nF(X)=1/x \r\n step = 0,001\r\nto=2,5\t\r\n"
      "from =\t-1 \r\nxleft= -5\r\n");
  ASSERT_TRUE(std::holds_alternative<FunctionSet>(result));
  FunctionSet expected;
  expected.expressions = {"sin[x]", "√x", "x^2-2", "1/x"};
  expected.xLeft = "-5";
  expected.from = "-1";
  expected.to = "2,5";
  expected.step = kStepThousandth;
  EXPECT_EQ(std::get<FunctionSet>(result), expected);
}

TEST(FunctionSetTest, TenFunctionsAndAnEmptySetAreTaken) {
  EXPECT_TRUE(std::holds_alternative<FunctionSet>(ReadFunctionSet(Functions(10) + kBounds)));
  EXPECT_TRUE(std::holds_alternative<FunctionSet>(ReadFunctionSet("")));
}

class SetFileTest : public testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/veltrum-sets-XXXXXX";
    ASSERT_NE(::mkdtemp(name), nullptr);
    dir = name;
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }

  static std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }

  std::string dir;
};

TEST_F(SetFileTest, ASetComesBackByteForByte) {
  FunctionSet set;
  set.expressions = {"sin[x]", "x^2-2", "1/x", ""};
  set.xLeft = "-2,5";
  set.yRight = "1E3";
  set.from = "-1,25";
  set.step = kStepHundredth;
  const std::string path = dir + "/set.vfs";
  ASSERT_TRUE(SaveFunctionSet(set, path));
  const std::string written = Contents(path);
  EXPECT_EQ(written,
            "F(X)=sin[x]\nF(X)=x^2-2\nF(X)=1/x\nF(X)=\n"
            "xleft=-2,5\nxright=10\nyleft=-10\nyright=1E3\nfrom=-1,25\nto=3\nstep=0,01\n");
  const auto loaded = LoadFunctionSet(path);
  ASSERT_TRUE(std::holds_alternative<FunctionSet>(loaded));
  EXPECT_EQ(std::get<FunctionSet>(loaded), set);
  ASSERT_TRUE(SaveFunctionSet(std::get<FunctionSet>(loaded), path));
  EXPECT_EQ(Contents(path), written);
}

// A save through a symbolic link replaces the file it points to, which
// keeps its permissions; the link stays a link.
TEST_F(SetFileTest, ASaveThroughALinkWritesItsTargetAndKeepsThePermissions) {
  FunctionSet set;
  set.expressions = {"x"};
  const std::string target = dir + "/real.vfs", link = dir + "/link.vfs";
  ASSERT_TRUE(SaveFunctionSet(set, target));
  ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
  ASSERT_EQ(::symlink("real.vfs", link.c_str()), 0);
  set.expressions = {"cos[x]"};
  ASSERT_TRUE(SaveFunctionSet(set, link));
  struct stat st {};
  ASSERT_EQ(::lstat(link.c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
  EXPECT_EQ(Contents(target).substr(0, 12), "F(X)=cos[x]\n");
}

TEST_F(SetFileTest, AFailedSaveKeepsTheEarlierFileAndLeavesNothing) {
  FunctionSet old;
  old.expressions = {"x"};
  const std::string path = dir + "/set.vfs";
  ASSERT_TRUE(SaveFunctionSet(old, path));
  const std::string before = Contents(path);
  FunctionSet other;
  other.expressions = {"cos[x]"};
  // A folder in the target's place cannot be renamed over; a missing
  // folder takes no temporary file.
  ASSERT_EQ(::mkdir((dir + "/folder.vfs").c_str(), 0755), 0);
  EXPECT_FALSE(SaveFunctionSet(other, dir + "/folder.vfs"));
  EXPECT_FALSE(SaveFunctionSet(other, dir + "/missing/set.vfs"));
  EXPECT_EQ(Contents(path), before);
  // A disk that fills up halfway through the text, over the earlier file
  // itself: a file size limit fails the write as a full disk does.
  other.expressions = {std::string(60'000, 'x')};
  rlimit limit{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
  const rlimit small{1000, limit.rlim_max};
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool saved = SaveFunctionSet(other, path);
  ::setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(saved);
  EXPECT_EQ(Contents(path), before);
  EXPECT_EQ(std::system(("test $(ls -A '" + dir + "' | wc -l) -eq 2").c_str()), 0);
}

TEST_F(SetFileTest, AnOverlongLineInAFileIsRefusedWithItsNumber) {
  const std::string path = dir + "/long.vfs";
  std::ofstream(path, std::ios::binary) << "F(X)=x\n\n" << std::string(200'000, 'x');
  const auto loaded = LoadFunctionSet(path);
  ASSERT_TRUE(std::holds_alternative<SetRefusal>(loaded));
  EXPECT_EQ(std::get<SetRefusal>(loaded).message, "Строка 3: строка длиннее 64 КиБ.");
  const auto missing = LoadFunctionSet(dir + "/none.vfs");
  ASSERT_TRUE(std::holds_alternative<SetRefusal>(missing));
  EXPECT_EQ(std::get<SetRefusal>(missing).message, "Не удалось открыть файл: " + dir + "/none.vfs");
}

}  // namespace
}  // namespace veltrum
