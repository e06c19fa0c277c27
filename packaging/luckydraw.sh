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
    cat <<EOT
Usage: luckydraw [EVENT FOLDER] [-- program options]

Starts the lucky-draw program in EVENT FOLDER (default: ~/抽奖). The first time, the
folder gets the demo event's draw folder 抽奖名单, ready to edit for your own evening;
after that it is left as it is. The menu entry starts it this way.

EOT
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
