// What only Windows has: GBK through code page 936 whatever the PC's own code page, file
// names through the wide calls, files another program holds open without sharing, the
// read-only attribute, PlaySound and the Notepad command line.
#include "data/errors.h"
#include "data/stringlist.h"
#include "data/helpers.h"
#include "platform/codec.h"
#include "platform/files.h"
#include "platform/seams.h"
#include "platform/win.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <windows.h>

using namespace testdata;

namespace {

const std::string kRecord = "抽奖名单/获奖记录.txt";

// ---------------------------------------------------------------------------------------
// Code page 936.

TEST(CodePage936, ConvertsGbkWhateverThePcsOwnCodePage) {
  const Text gbk = "\xB3\xE9\xBD\xB1\xC3\xFB\xB5\xA5";  // 抽奖名单
  EXPECT_EQ(platform::fromAnsi(gbk), QString::fromUtf8("抽奖名单"));
  EXPECT_EQ(platform::toAnsi(QString::fromUtf8("抽奖名单")), gbk);
  if (GetACP() == 936) GTEST_SKIP() << "this PC's own code page is 936, so it cannot show the difference";
  // The PC's own code page reads the same bytes as something else; the program does not.
  wchar_t own[16] = {};
  const int n = MultiByteToWideChar(CP_ACP, 0, gbk.data(), int(gbk.size()), own, 16);
  EXPECT_NE(QString::fromWCharArray(own, n), QString::fromUtf8("抽奖名单")) << "code page " << GetACP();
}

TEST(CodePage936, GbkFileNamesAreTheUnicodeNamesOnDisk) {
  TempCwd cwd;
  ASSERT_TRUE(cwd.ok());
  ASSERT_TRUE(CreateDirectoryW(L"\u62BD\u5956\u540D\u5355", nullptr));  // 抽奖名单
  TStringList list;
  list.Add(A("张三"));
  list.SaveToFile(A("抽奖名单\\获奖记录.txt"));
  // The file is there under its Unicode name, found by the wide call.
  WIN32_FIND_DATAW found{};
  HANDLE h = FindFirstFileW(L"\u62BD\u5956\u540D\u5355\\*.txt", &found);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  FindClose(h);
  EXPECT_EQ(QString::fromWCharArray(found.cFileName), QString::fromUtf8("获奖记录.txt"));
  TStringList back;
  back.LoadFromFile(A("抽奖名单\\获奖记录.txt"));
  EXPECT_EQ(back.lines(), (std::vector<Text>{A("张三")}));
}

TEST(CodePage936, FullPathIsInWindowsForm) {
  TempCwd cwd;
  ASSERT_TRUE(cwd.ok());
  const QString full = platform::fromAnsi(platform::fullPath(A("抽奖名单\\获奖记录.txt")));
  const QString here = QDir::toNativeSeparators(QDir::currentPath());
  EXPECT_EQ(full, here + QString::fromUtf8("\\抽奖名单\\获奖记录.txt"));
  ASSERT_GE(full.size(), 3);
  EXPECT_TRUE(full[0].isLetter() && full[1] == QLatin1Char(':') && full[2] == QLatin1Char('\\')) << full.toStdString();
  EXPECT_FALSE(full.contains(QLatin1Char('/'))) << full.toStdString();
}

// ---------------------------------------------------------------------------------------
// Files held by another program, and the read-only attribute.

class HeldFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(cwd_.ok());
    std::filesystem::create_directory(u8path("抽奖名单"));
    writeBytes(kRecord, old_);
  }
  // Opens the record the way an editor that does not share its file would.
  HANDLE holdWithoutSharing() {
    return CreateFileW(u8path(kRecord).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  }

  TempCwd cwd_;
  const Text old_ = crlf({"[特等奖]", "张三"});
};

TEST_F(HeldFiles, SaveOverFileHeldWithoutSharingIsCreateErrorAndKeepsIt) {
  HANDLE held = holdWithoutSharing();
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  TStringList list;
  list.Add("new");
  auto r = raisedBy([&] { list.SaveToFile(A("抽奖名单\\获奖记录.txt")); });
  CloseHandle(held);
  expectFileError(r, "EFCreateError", "create", TempCwd::full(kRecord));
  EXPECT_EQ(readBytes(kRecord), old_);
  EXPECT_EQ(listDir("抽奖名单"), (std::vector<std::string>{"获奖记录.txt"})) << "a temporary file was left behind";
}

TEST_F(HeldFiles, LoadOfFileHeldWithoutSharingIsOpenError) {
  HANDLE held = holdWithoutSharing();
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  TStringList list;
  list.Add("kept");
  auto r = raisedBy([&] { list.LoadFromFile(A("抽奖名单\\获奖记录.txt")); });
  CloseHandle(held);
  expectFileError(r, "EFOpenError", "open", TempCwd::full(kRecord));
  EXPECT_EQ(list.lines(), (std::vector<Text>{"kept"}));
}

// Another program has the record open and shares it in one of these ways. Notepad and most
// viewers read a file and close it, or share it; a viewer or virus scanner that shares
// writing but not renaming gets the content written into the file itself; one that shares
// nothing but reading keeps the file as it was, and the save says so.
struct Sharing {
  const char* name;
  DWORD share;
  bool saved;
};

class HeldForReading : public HeldFiles, public ::testing::WithParamInterface<Sharing> {};

TEST_P(HeldForReading, SaveGoesThroughWhereverWritingIsShared) {
  HANDLE reader = CreateFileW(u8path(kRecord).c_str(), GENERIC_READ, GetParam().share, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  TStringList list;
  list.Add("new");
  auto r = raisedBy([&] { list.SaveToFile(A("抽奖名单\\获奖记录.txt")); });
  CloseHandle(reader);
  if (GetParam().saved) {
    EXPECT_FALSE(r.has_value()) << r->message;
    EXPECT_EQ(readBytes(kRecord), Text("new\r\n"));
  } else {
    expectFileError(r, "EFCreateError", "create", TempCwd::full(kRecord));
    EXPECT_EQ(readBytes(kRecord), old_);
  }
  EXPECT_EQ(listDir("抽奖名单"), (std::vector<std::string>{"获奖记录.txt"})) << "a temporary file was left behind";
}

INSTANTIATE_TEST_SUITE_P(
    Ways, HeldForReading,
    ::testing::Values(Sharing{"Everything", FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, true},
                      Sharing{"ReadingAndWriting", FILE_SHARE_READ | FILE_SHARE_WRITE, true},
                      Sharing{"ReadingOnly", FILE_SHARE_READ, false}),
    [](const ::testing::TestParamInfo<Sharing>& info) { return std::string(info.param.name); });

TEST_F(HeldFiles, ReadOnlyAttributeIsCreateErrorWithTheSystemsText) {
  ASSERT_TRUE(SetFileAttributesW(u8path(kRecord).c_str(), FILE_ATTRIBUTE_READONLY));
  const platform::FileResult result = platform::writeWholeFileAtomic(A("抽奖名单\\获奖记录.txt"), "new");
  SetFileAttributesW(u8path(kRecord).c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(result.status, platform::FileResult::CreateFailed);
  // Access is denied, in the system's words, without the trailing full stop and line break.
  wchar_t* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, ERROR_ACCESS_DENIED, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  ASSERT_NE(text, nullptr);
  QString expected = QString::fromWCharArray(text);
  LocalFree(text);
  while (!expected.isEmpty() && (expected.back().isSpace() || expected.back() == QLatin1Char('.'))) expected.chop(1);
  EXPECT_EQ(platform::fromAnsi(result.systemText), expected);
  EXPECT_EQ(readBytes(kRecord), old_);
}

// ---------------------------------------------------------------------------------------
// Sound.

struct PlayCall {
  std::wstring path;
  HMODULE module;
  DWORD flags;
};
std::vector<PlayCall> g_plays;

BOOL WINAPI recordPlay(LPCWSTR path, HMODULE module, DWORD flags) {
  g_plays.push_back({path ? path : L"", module, flags});
  return TRUE;
}

TEST(PlaySound, PlaysTheFileByFullPathWithoutWaitingAndMissingFilesStaySilent) {
  TempCwd cwd;
  ASSERT_TRUE(cwd.ok());
  writeBytes("drum.wav", "RIFF");
  g_plays.clear();
  platform::win::playSoundFile(A("drum.wav"), &recordPlay);
  platform::win::playSoundFile(A("没有.wav"), &recordPlay);
  ASSERT_EQ(g_plays.size(), 1u) << "a missing file must not reach PlaySound";
  EXPECT_EQ(QString::fromStdWString(g_plays[0].path), QDir::toNativeSeparators(QDir::currentPath() + "/drum.wav"));
  EXPECT_EQ(g_plays[0].module, nullptr);
  EXPECT_EQ(g_plays[0].flags, DWORD(SND_FILENAME | SND_ASYNC | SND_NODEFAULT));
}

// ---------------------------------------------------------------------------------------
// Notepad.

TEST(Notepad, CommandLineQuotesTheFullWindowsPath) {
  TempCwd cwd;
  ASSERT_TRUE(cwd.ok());
  const std::wstring line = platform::win::editorCommandLine(QStringLiteral("NOTEPAD.EXE"), A("抽奖 名单\\获奖记录.txt"));
  const QString full = QDir::toNativeSeparators(QDir::currentPath()) + QString::fromUtf8("\\抽奖 名单\\获奖记录.txt");
  EXPECT_EQ(QString::fromStdWString(line), QStringLiteral("NOTEPAD.EXE \"") + full + QLatin1Char('"'));
}

TEST(Notepad, StartedProgramGetsThePathWithBlanksAsOneArgument) {
  TempCwd cwd;
  ASSERT_TRUE(cwd.ok());
  const QString helper = platform::fromAnsi(platform::executableDir()) + QStringLiteral(ECHO_ARGS_EXE);
  ASSERT_TRUE(QFileInfo(QString(helper).replace('\\', '/')).isFile()) << helper.toStdString();
  const QString out = QDir::toNativeSeparators(QDir::currentPath() + "/args.txt");
  ASSERT_TRUE(SetEnvironmentVariableW(L"ECHO_ARGS_OUT", out.toStdWString().c_str()));

  ASSERT_TRUE(platform::win::startEditor(QLatin1Char('"') + helper + QLatin1Char('"'), A("抽奖 名单\\获奖 记录.txt")));
  // Wait for the helper's answer (it appears whole); the helper has no reason to be slow,
  // so a minute is only a guard against hanging.
  std::optional<Text> args;
  for (int i = 0; i < 600 && !(args = readBytes("args.txt")); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  SetEnvironmentVariableW(L"ECHO_ARGS_OUT", nullptr);
  ASSERT_TRUE(args.has_value()) << "the program was not started";
  const QString expected = QDir::toNativeSeparators(QDir::currentPath()) + QString::fromUtf8("\\抽奖 名单\\获奖 记录.txt\n");
  EXPECT_EQ(QString::fromUtf8(args->data(), qsizetype(args->size())), expected);
}

}  // namespace
