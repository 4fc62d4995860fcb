# Sourced by the scripts: where the builds and the project's own Wine prefix live.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="$root/build/wineprefix"
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko download prompts; the program needs neither.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
export LANG=ja_JP.UTF-8
wine_bin=$(command -v wine64 || command -v wine || echo wine)
[ -x /usr/lib/wine/wine64 ] && wine_bin=/usr/lib/wine/wine64
xvfb_args=(-a -s "-screen 0 1280x1024x24")
wineserver_bin=$(command -v wineserver || echo /usr/lib/wine/wineserver)
[ -x /usr/lib/wine/wineserver ] && wineserver_bin=/usr/lib/wine/wineserver
