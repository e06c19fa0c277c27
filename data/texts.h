#pragma once
// The program's own texts as GBK bytes, turned from their UTF-8 spelling once.
#include "platform/text.h"

#include <span>

struct ProgramTexts {
  Text appTitle;          // 澄曜晚会抽奖系统 霁岩版 (caption of every error report)
  Text separator;         // ， (A3 AC)
  Text poolCaptionHead;   // 抽奖名单[
  Text poolCaptionTail;   // ]人
  Text drawFolder;        // 抽奖名单
  Text candidateFile;     // 抽奖名单\抽奖名单.txt
  Text settingsFile;      // 抽奖名单\基础配置.ini
  Text prizeFile;         // 抽奖名单\奖项设置.ini
  Text recordFile;        // 抽奖名单\获奖记录.txt
  Text recordBackupHead;  // 抽奖名单\获奖记录-
  Text start;             // 开始
  Text stop;              // 停止
  Text questionCaption;   // 提示
  Text continueQuestion;  // 是否继续上次的获奖记录？
  Text pageKeyOff;        // 禁止用翻页键抽奖！
  Text pageKeyOn;         // 可以用翻页键抽奖！
  Text inputPrompt;       // 请输入加入名单的名字
  Text drumWav;           // drum.wav
  Text gongWav;           // gong.wav
  Text detailFile;        // 抽奖名单\获奖明细.csv
  Text detailBackupHead;  // 抽奖名单\获奖明细-
  Text detailHeader;      // 序号,奖项,姓名,轮次,时间,状态
  Text detailStatusHead;  // 状态: the status column's heading, added to an older file's header
  Text detailRecovered;   // 补记（时间不详）: the time field of a row added at start
  // The status of a detail row: the name won and is a winner (中奖), was marked absent
  // (缺席), its draw was withdrawn (撤销), or its draw was moved to the row's prize (改奖).
  Text statusWon, statusAbsent, statusWithdrawn, statusMoved;
};

const ProgramTexts& T();

// The files of the draw folder that the program reads and writes, as the program spells
// them (UTF-8, backslashes), with what each holds in a few English words (translated in
// the context "DrawFolderFiles"). `luckydraw --help` lists them.
struct DrawFolderFile {
  const char* path;
  const char* holds;
};
std::span<const DrawFolderFile> DrawFolderFiles();

// "抽奖名单[" + count + "]人"
Text PoolCaption(int count);
