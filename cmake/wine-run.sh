#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's private prefix, Japanese locale (ANSI code page 932).
#   cmake/wine-run.sh [--arch=i686|x86_64] program.exe [args...]
# Sourced (". cmake/wine-run.sh"), it only exports that environment, so every Wine process of a session (wineserver,
# Xvfb-driven runs, winepath) shares one prefix and one server.

tessaly_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="$tessaly_root/build/wine/prefix"
export HOME="$tessaly_root/build/wine/home"
# A shell that has just generated the locale cannot switch to it itself (its C library read the list of locales
# before), and says so; the programs it starts can. The set-up fails earlier when the locale cannot be generated.
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 2>/dev/null
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# WinINet's preconfigured access honours the proxy variables, even for 127.0.0.1.
unset http_proxy https_proxy no_proxy HTTP_PROXY HTTPS_PROXY NO_PROXY

# 64-bit programs go straight to the 64-bit loader; /usr/bin/wine would re-execute into it.
tessaly_wine_for() {
  if [[ "$1" == x86_64 && -x /usr/lib/wine/wine64 ]]; then echo /usr/lib/wine/wine64; else echo wine; fi
}

if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
  set -euo pipefail
  arch=i686
  if [[ "${1:-}" == --arch=* ]]; then arch="${1#--arch=}"; shift; fi
  [[ $# -ge 1 ]] || { echo "usage: $0 [--arch=i686|x86_64] program.exe [args...]" >&2; exit 2; }
  mkdir -p "$HOME/.local/share"
  exec "$(tessaly_wine_for "$arch")" "$@"
fi
