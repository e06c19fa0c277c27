// Writes the text files of the example event: the candidate list, the basic settings, the
// prize names and a winners record without winners, in GBK with CR LF line ends, as
// Notepad on a Chinese Windows saves them.
//
//   make_demo_texts <draw folder>
//
// The texts are kept here as UTF-8 and converted with the C library's iconv.
#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

// Eighty made-up participants, two- and three-character names mixed.
const char* const kNames[] = {
    "王思远", "李雨桐", "张伟",   "刘欣怡", "陈子轩", "杨梓涵", "赵敏",   "黄诗琪",
    "周俊杰", "吴佳怡", "徐铭泽", "孙涛",   "胡嘉懿", "朱晨曦", "高志强", "林莉",
    "何雅琳", "郭宇航", "马骏",   "罗文博", "梁静怡", "宋明轩", "郑凯",   "谢天宇",
    "韩梦瑶", "唐振华", "冯若琳", "于海洋", "董欣然", "王磊",   "萧逸飞", "程嘉欣",
    "曹俊豪", "袁心怡", "李娜",   "邓博文", "许晴雯", "傅立新", "沈若曦", "刘洋",
    "曾志远", "彭书瑶", "吕泽宇", "苏雨萱", "陈静",   "卢建国", "蒋慧敏", "蔡明杰",
    "杨帆",   "贾晓雯", "丁浩宇", "魏佳琪", "薛子墨", "黄勇",   "叶思琪", "阎海峰",
    "余秋实", "周婷",   "潘欣妍", "杜宏伟", "戴梦琪", "吴昊",   "夏晨阳", "徐丽",
    "胡杰",   "朱琳",   "高峰",   "何平",   "郭瑞",   "罗琦",   "梁爽",   "宋佳",
    "谢颖",   "韩冰",   "钟晓光", "汪雪梅", "田润泽", "任雅婷", "姜思齐", "范立群",
};

const char* const kBasicSettings[] = {
    "背景图片：", "年会背景.bmp", "标题文字：", "新春联欢会 幸运大抽奖", "奖项个数：", "4",
};

// Only as many lines as the prize count are read; the last two are ready for a count of 6.
const char* const kPrizes[] = {"特等奖", "一等奖", "二等奖", "幸运奖", "参与奖", "阳光奖"};

// The record as the program writes it before the first draw: for each of the 4 prizes in
// use its bracketed name and an empty winners line. So the first start's "continue the
// previous record?" can be answered Yes and finds a record to continue.
const char* const kEmptyRecord[] = {"[特等奖]", "", "[一等奖]", "", "[二等奖]", "", "[幸运奖]", ""};

bool toGbk(const std::string& utf8, std::string& out) {
  iconv_t cd = iconv_open("GBK", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    std::fprintf(stderr, "iconv: no UTF-8 to GBK conversion: %s\n", std::strerror(errno));
    return false;
  }
  std::vector<char> in(utf8.begin(), utf8.end());
  std::vector<char> buf(utf8.size() * 2 + 16);
  char* src = in.data();
  std::size_t srcLeft = in.size();
  char* dst = buf.data();
  std::size_t dstLeft = buf.size();
  const bool ok = iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<std::size_t>(-1);
  iconv_close(cd);
  if (!ok) {
    std::fprintf(stderr, "iconv: cannot convert \"%s\" to GBK\n", utf8.c_str());
    return false;
  }
  out.assign(buf.data(), dst);
  return true;
}

template <std::size_t N>
bool writeLines(const std::string& path, const char* const (&lines)[N]) {
  std::string text;
  for (const char* line : lines) {
    std::string gbk;
    if (!toGbk(line, gbk)) return false;
    text += gbk;
    text += "\r\n";
  }
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), std::strerror(errno));
    return false;
  }
  const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  if (std::fclose(f) != 0 || !written) {
    std::fprintf(stderr, "%s: write failed\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <draw folder>\n", argv[0]);
    return 2;
  }
  // Every name in the example list is meant to be a different person.
  const std::set<std::string> distinct(std::begin(kNames), std::end(kNames));
  if (distinct.size() != std::size(kNames)) {
    std::fprintf(stderr, "the example candidate list repeats a name\n");
    return 1;
  }
  const std::string dir = argv[1];
  const bool ok = writeLines(dir + "/抽奖名单.txt", kNames) &&
                  writeLines(dir + "/基础配置.ini", kBasicSettings) &&
                  writeLines(dir + "/奖项设置.ini", kPrizes) &&
                  writeLines(dir + "/获奖记录.txt", kEmptyRecord);
  return ok ? 0 : 1;
}
