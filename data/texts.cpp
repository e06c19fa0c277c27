#include "data/texts.h"

#include "data/textops.h"
#include "platform/codec.h"

#include <QtGlobal>

using platform::ansi;

namespace {

constexpr char kCandidateFile[] = "抽奖名单\\抽奖名单.txt";
constexpr char kSettingsFile[] = "抽奖名单\\基础配置.ini";
constexpr char kPrizeFile[] = "抽奖名单\\奖项设置.ini";
constexpr char kRecordFile[] = "抽奖名单\\获奖记录.txt";
constexpr char kDetailFile[] = "抽奖名单\\获奖明细.csv";

constexpr DrawFolderFile kDrawFolderFiles[] = {
    {kCandidateFile, QT_TRANSLATE_NOOP("DrawFolderFiles", "the candidates, one name a line")},
    {kSettingsFile,
     QT_TRANSLATE_NOOP("DrawFolderFiles", "picture, headline and number of prizes (lines 2, 4, 6)")},
    {kPrizeFile, QT_TRANSLATE_NOOP("DrawFolderFiles", "the prize names, one a line")},
    {kRecordFile, QT_TRANSLATE_NOOP("DrawFolderFiles", "the winners record, rewritten after every draw")},
    {kDetailFile,
     QT_TRANSLATE_NOOP("DrawFolderFiles", "the winners as a spreadsheet, a row added for each winner")},
};

}  // namespace

const ProgramTexts& T() {
  static const ProgramTexts texts{
      .appTitle = ansi("澄曜晚会抽奖系统 霁岩版"),
      .separator = ansi("，"),
      .poolCaptionHead = ansi("抽奖名单["),
      .poolCaptionTail = ansi("]人"),
      .drawFolder = ansi("抽奖名单"),
      .candidateFile = ansi(kCandidateFile),
      .settingsFile = ansi(kSettingsFile),
      .prizeFile = ansi(kPrizeFile),
      .recordFile = ansi(kRecordFile),
      .recordBackupHead = ansi("抽奖名单\\获奖记录-"),
      .start = ansi("开始"),
      .stop = ansi("停止"),
      .questionCaption = ansi("提示"),
      .continueQuestion = ansi("是否继续上次的获奖记录？"),
      .pageKeyOff = ansi("禁止用翻页键抽奖！"),
      .pageKeyOn = ansi("可以用翻页键抽奖！"),
      .inputPrompt = ansi("请输入加入名单的名字"),
      .drumWav = ansi("drum.wav"),
      .gongWav = ansi("gong.wav"),
      .detailFile = ansi(kDetailFile),
      .detailBackupHead = ansi("抽奖名单\\获奖明细-"),
      .detailHeader = ansi("序号,奖项,姓名,轮次,时间,状态"),
      .detailStatusHead = ansi("状态"),
      .detailRecovered = ansi("补记（时间不详）"),
      .statusWon = ansi("中奖"),
      .statusAbsent = ansi("缺席"),
      .statusWithdrawn = ansi("撤销"),
      .statusMoved = ansi("改奖"),
  };
  return texts;
}

Text PoolCaption(int count) { return T().poolCaptionHead + IntToStr(count) + T().poolCaptionTail; }

std::span<const DrawFolderFile> DrawFolderFiles() { return kDrawFolderFiles; }
