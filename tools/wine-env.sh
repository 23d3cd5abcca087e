# Environment for running the Windows programs: private prefix, Japanese code page 932 unless
# YORIMEMO_WINE_LANG names another locale (en_US.UTF-8: a Western system, code page 1252). Wine
# takes the code page from the locale when its server starts, so each locale has its own prefix.
_wine_env_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${YORIMEMO_WINEPREFIX:-$_wine_env_root/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG="${YORIMEMO_WINE_LANG:-ja_JP.UTF-8}"
export LC_ALL="$LANG"
