#!/usr/bin/env bash
# Proves the README's two set-up commands on a fresh, minimal Debian 12 machine.
#
# Makes a minimal Debian 12 root (debootstrap --variant=minbase bookworm), copies
# the committed tree into it (git archive HEAD), and runs the two commands of the
# README's first code block inside it with chroot and a clean environment, one
# after the other, as a newcomer would. Then it makes the Debian package from
# that build, installs it with apt into a second fresh root and runs mobr there.
# Prints each command with its exit status (and the last lines of a failing
# command's output) and exits non-zero when any fails.
#
# The pristine root is cached outside the work tree (MOBR_FRESH_CACHE, default
# /var/cache/mobr-fresh-machine), so a second run skips debootstrap; every run
# unpacks a new copy of it, so each run starts from the same fresh machine.
# Downloaded packages are kept in the cache as well (apt's own archive cache,
# bind-mounted), which saves downloads but leaves nothing installed.
#
# Needs root (chroot, mount). Usage: scripts/fresh-machine-check.sh [--keep]
#   --keep   leave the run's root in place for inspection (its path is printed)
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

keep=0
for arg in "$@"; do
  case "$arg" in
    --keep) keep=1 ;;
    *) echo "unknown option $arg" >&2; exit 2 ;;
  esac
done
if [ "$(id -u)" -ne 0 ]; then
  echo "fresh-machine-check: needs root (debootstrap, chroot, mount)" >&2
  exit 2
fi

cache=${MOBR_FRESH_CACHE:-/var/cache/mobr-fresh-machine}
suite=bookworm
pristine=$cache/$suite-minbase.tar
debs=$cache/apt-archives
tail_lines=60

log() { printf 'fresh-machine-check: %s\n' "$*"; }

# The Debian mirror this machine itself uses: the first main-archive URI in its
# apt sources (deb822 .sources files or one-line sources.list entries), never a
# fixed address.
debian_mirror() {
  local files=()
  [ -f /etc/apt/sources.list ] && files+=(/etc/apt/sources.list)
  for f in /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && files+=("$f")
  done
  [ ${#files[@]} -gt 0 ] || return 1
  local uri
  uri=$(awk '
    /^[[:space:]]*#/ { next }
    /^URIs:/ { for (i = 2; i <= NF; i++) print $i; next }
    $1 == "deb" { for (i = 2; i <= NF; i++) if ($i ~ /^[a-z]+:\/\//) { print $i; break } }
  ' "${files[@]}" | grep -v -e '-security' -e 'security\.' | head -n1)
  [ -n "$uri" ] || return 1
  printf '%s\n' "${uri%/}"
}

# The README's set-up commands: the lines of its first ```sh block, comments
# and blank lines dropped, so the check and the README cannot drift apart.
readme_commands() {
  awk '
    /^```/ { if (inblock) exit; if ($0 ~ /^```(sh|bash)?[[:space:]]*$/) { inblock = 1; next } }
    inblock {
      sub(/[[:space:]]+#.*$/, ""); sub(/^[[:space:]]+/, ""); sub(/[[:space:]]+$/, "")
      if ($0 != "" && $0 !~ /^#/) print
    }
  ' README.md
}

ensure_debootstrap() {
  command -v debootstrap >/dev/null && return
  log "installing debootstrap"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
}

make_pristine_root() {
  [ -s "$pristine" ] && { log "using the cached minimal root $pristine"; return; }
  ensure_debootstrap
  local mirror staging
  mirror=$(debian_mirror) || { echo "fresh-machine-check: no Debian mirror in this machine's apt sources" >&2; exit 1; }
  mkdir -p "$cache"
  staging=$(mktemp -d "$cache/debootstrap.XXXXXX")
  log "debootstrap --variant=minbase $suite from $mirror (once; cached afterwards)"
  if ! debootstrap --variant=minbase "$suite" "$staging" "$mirror" >"$cache/debootstrap.log" 2>&1; then
    tail -n "$tail_lines" "$cache/debootstrap.log" >&2
    rm -rf "$staging"
    exit 1
  fi
  tar -C "$staging" -cf "$pristine.part" .
  mv "$pristine.part" "$pristine"
  rm -rf "$staging"
}

roots=()
mounted=()
cleanup() {
  local i r
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount -l "${mounted[i]}" 2>/dev/null || true
  done
  mounted=()
  for r in "${roots[@]}"; do
    [ -d "$r" ] || continue
    if [ "$keep" -eq 1 ]; then
      log "kept the root at $r"
    elif ! grep -q " $r" /proc/mounts; then
      rm -rf "$r"
    else
      log "left $r in place: something is still mounted inside it"
    fi
  done
}
trap cleanup EXIT
trap 'exit 130' INT TERM

mount_into() {  # mount_into TARGET mount-arguments...
  local target=$1; shift
  mkdir -p "$target"
  mount "$@" "$target"
  mounted+=("$target")
}

new_root() {  # new_root: unpacks a fresh root and sets $root to it
  root=$(mktemp -d /var/tmp/mobr-fresh-root.XXXXXX)
  roots+=("$root")
  tar -C "$root" -xf "$pristine"
  # The machine's own package sources (the same mirrors, updates and security)
  # and name resolution, as a freshly installed machine has them.
  rm -f "$root/etc/apt/sources.list"
  mkdir -p "$root/etc/apt/sources.list.d"
  [ -f /etc/apt/sources.list ] && cp /etc/apt/sources.list "$root/etc/apt/sources.list"
  for f in /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && grep -q 'debian' "$f" && cp "$f" "$root/etc/apt/sources.list.d/"
  done
  cp -L /etc/resolv.conf "$root/etc/resolv.conf"
  mount_into "$root/proc" -t proc proc
  mount_into "$root/dev" --bind /dev
  mount_into "$root/dev/shm" -t tmpfs -o mode=1777 tmpfs
  mkdir -p "$debs/partial"
  mount_into "$root/var/cache/apt/archives" --bind "$debs"
}

run_in_root() {  # run_in_root ROOT COMMAND LOGFILE
  env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    chroot "$1" /bin/bash -c "$2" >"$3" 2>&1
}

failed=0
step() {  # step ROOT TITLE COMMAND: runs one command and reports it
  local out start status=0
  out=$(mktemp /var/tmp/mobr-fresh-step.XXXXXX)
  start=$SECONDS
  run_in_root "$1" "$3" "$out" || status=$?
  log "\$ $2  -> exit $status after $((SECONDS - start)) s"
  if [ "$status" -eq 0 ]; then
    tail -n 3 "$out" | sed 's/^/    /'
  else
    failed=1
    echo "---- last $tail_lines lines of its output ----"
    tail -n "$tail_lines" "$out"
    echo "----"
  fi
  rm -f "$out"
  return "$status"
}

mapfile -t commands < <(readme_commands)
if [ ${#commands[@]} -ne 2 ]; then
  echo "fresh-machine-check: expected two set-up commands in the README's first code block, found ${#commands[@]}" >&2
  exit 1
fi
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  log "note: uncommitted changes are not part of the check (it copies HEAD)"
fi

make_pristine_root
new_root
build_root=$root
mkdir -p "$build_root/root/mobr"
git -C "$repo" archive HEAD | tar -x -C "$build_root/root/mobr"
log "fresh root at $build_root with $(git rev-parse --short HEAD)"
for cmd in "${commands[@]}"; do
  step "$build_root" "$cmd" "cd /root/mobr && $cmd" || true
done

# The Debian package, made from that build, installed with apt into a second
# fresh root (apt fetches what it depends on) and run there: its version and
# the demo scenario from the installed samples.
if [ "$failed" -eq 0 ] && step "$build_root" "scripts/package.sh build" "cd /root/mobr && scripts/package.sh build"; then
  package=$(find "$build_root/root/mobr/build/packages" -maxdepth 1 -name '*.deb' | head -n1)
  new_root
  cp "$package" "$root/root/"
  step "$root" "apt-get install ./$(basename "$package")" \
    "apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq /root/$(basename "$package")" &&
  step "$root" "mobr --version" "mobr --version" &&
  step "$root" "mobr run demo.json (installed samples)" \
    "mkdir -p /tmp/demo && cp /usr/share/mobr/samples/* /tmp/demo/ && cd /tmp/demo && mobr run demo.json --out transcript.json" || true
fi
if [ "$failed" -ne 0 ]; then
  log "FAILED"
  exit 1
fi
log "both README commands passed on a fresh Debian 12 root; the package installs and runs on another"
