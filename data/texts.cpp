#include "data/texts.h"

#include "data/textops.h"
#include "platform/codec.h"

using platform::ansi;

const ProgramTexts& T() {
  static const ProgramTexts texts{
      ansi("澄曜晚会抽奖系统 霁岩版"),
      ansi("，"),
      ansi("抽奖名单["),
      ansi("]人"),
      ansi("抽奖名单"),
      ansi("抽奖名单\\抽奖名单.txt"),
      ansi("抽奖名单\\基础配置.ini"),
      ansi("抽奖名单\\奖项设置.ini"),
      ansi("抽奖名单\\获奖记录.txt"),
      ansi("抽奖名单\\获奖记录-"),
      ansi("开始"),
      ansi("停止"),
      ansi("提示"),
      ansi("是否继续上次的获奖记录？"),
      ansi("禁止用翻页键抽奖！"),
      ansi("可以用翻页键抽奖！"),
      ansi("请输入加入名单的名字"),
      ansi("drum.wav"),
      ansi("gong.wav"),
      ansi("抽奖名单\\获奖明细.csv"),
      ansi("抽奖名单\\获奖明细-"),
      ansi("序号,奖项,姓名,轮次,时间"),
  };
  return texts;
}

Text PoolCaption(int count) { return T().poolCaptionHead + IntToStr(count) + T().poolCaptionTail; }
