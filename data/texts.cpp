#include "data/texts.h"

#include "data/textops.h"
#include "platform/codec.h"

using platform::ansi;

const ProgramTexts& T() {
  static const ProgramTexts texts{
      .appTitle = ansi("澄曜晚会抽奖系统 霁岩版"),
      .separator = ansi("，"),
      .poolCaptionHead = ansi("抽奖名单["),
      .poolCaptionTail = ansi("]人"),
      .drawFolder = ansi("抽奖名单"),
      .candidateFile = ansi("抽奖名单\\抽奖名单.txt"),
      .settingsFile = ansi("抽奖名单\\基础配置.ini"),
      .prizeFile = ansi("抽奖名单\\奖项设置.ini"),
      .recordFile = ansi("抽奖名单\\获奖记录.txt"),
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
      .detailFile = ansi("抽奖名单\\获奖明细.csv"),
      .detailBackupHead = ansi("抽奖名单\\获奖明细-"),
      .detailHeader = ansi("序号,奖项,姓名,轮次,时间"),
  };
  return texts;
}

Text PoolCaption(int count) { return T().poolCaptionHead + IntToStr(count) + T().poolCaptionTail; }
