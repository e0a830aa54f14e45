# Shared helpers for the project's scripts. Sourced, not run.
repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
# Dependency builds live outside the source tree so a fresh clone reuses them.
cache_root="${LUMISKOP_CACHE:-/var/cache/lumiskop}"
mingw_prefix=i686-w64-mingw32
mingw_cc=${mingw_prefix}-gcc-posix
mingw_cxx=${mingw_prefix}-g++-posix

log() { printf '[%s] %s\n' "$(basename "$0")" "$*" >&2; }
die() { log "error: $*"; exit 1; }
