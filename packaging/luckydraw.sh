#!/bin/sh
# Starts the lucky-draw program in an event folder: the one given, or ~/抽奖. The program
# reads and writes the draw folder "抽奖名单" in its current directory; an event folder
# that has none gets a copy of the demo event the first time.
set -eu

here=$(dirname "$(readlink -f "$0")")
prefix=$(dirname "$here")
program="$prefix/lib/luckydraw/luckydraw"
demo="$prefix/share/luckydraw/demo/抽奖名单"

case "${1-}" in
  -h | --help)
    # In the system's language, as the program's own help that follows.
    case "${LC_ALL:-${LC_MESSAGES:-${LANG:-}}}" in
      zh*)
        cat <<EOT
用法：luckydraw [活动文件夹] [-- 程序选项]

在活动文件夹（默认为 ~/抽奖）中启动抽奖程序。第一次启动时，文件夹中会放入演示活动的
抽奖文件夹“抽奖名单”，可按自己的晚会修改；以后保持原样。菜单项也是这样启动程序的。

EOT
        ;;
      *)
        cat <<EOT
Usage: luckydraw [EVENT FOLDER] [-- program options]

Starts the lucky-draw program in EVENT FOLDER (default: ~/抽奖). The first time, the
folder gets the demo event's draw folder 抽奖名单, ready to edit for your own evening;
after that it is left as it is. The menu entry starts it this way.

EOT
        ;;
    esac
    exec "$program" --help
    ;;
  --version)
    exec "$program" --version
    ;;
esac

folder="${HOME:?HOME is not set}/抽奖"
if [ $# -gt 0 ] && [ "$1" != "--" ]; then
  folder=$1
  shift
fi
[ "${1-}" = "--" ] && shift

if [ ! -e "$folder/抽奖名单" ]; then
  mkdir -p "$folder"
  cp -R "$demo" "$folder/"
  chmod -R u+w "$folder/抽奖名单"
fi
cd "$folder"
exec "$program" "$@"
