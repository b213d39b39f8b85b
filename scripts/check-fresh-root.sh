#!/usr/bin/env bash
# Checks that the README's two commands work on a brand-new minimal Debian 12, as a new
# user meets them: makes a throwaway minbase root with debootstrap (from this machine's own
# Debian mirror), installs git only, clones this repository's committed HEAD into it, then
# runs the play set-up (stopping after the build) and the whole test command inside it.
# Run as root; takes a while. Uncommitted changes are not part of the check.
#   bash scripts/check-fresh-root.sh [ROOT_DIR]
# KEEP_ROOT=1 leaves the root in place afterwards; JOBS sets the build's parallelism.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
[ "$(id -u)" = 0 ] || { echo "run as root (debootstrap and chroot need it)" >&2; exit 2; }
command -v debootstrap >/dev/null || { echo "debootstrap is not installed" >&2; exit 2; }

# The first Debian mirror serving bookworm itself, in either apt sources format.
debian_mirror() {
  local files=(/etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources)
  local f
  for f in "${files[@]}"; do
    [ -f "$f" ] || continue
    awk '
      /^deb / { for (i = 2; i <= NF; i++) if ($i !~ /^\[/ && $i ~ /:\/\//) { url = $i; if ($(i + 1) == "bookworm") { print url; exit } break } }
      /^URIs:/ { uris = $2 }
      /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == "bookworm") { print uris; exit } }
      /^$/ { uris = "" }' "$f"
  done | head -n 1
}

mirror="$(debian_mirror)"
[ -n "$mirror" ] || { echo "no Debian bookworm mirror in this machine's apt sources" >&2; exit 2; }
root="${1:-$(mktemp -d /var/tmp/orbyndel-fresh-root.XXXXXX)}"
if [ -n "${1:-}" ] && [ -e "$root" ] && [ -n "$(ls -A "$root")" ]; then
  echo "$root is not empty: give a new or empty directory (it is removed afterwards)" >&2
  exit 2
fi
mkdir -p "$root"
chmod 755 "$root" # apt's download user must reach the root's archives
mounts=()

cleanup() {
  local i
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount -R "${mounts[$i]}" || umount -R -l "${mounts[$i]}" || true; done
  if [ "${KEEP_ROOT:-0}" != 1 ]; then rm -rf --one-file-system "$root"; else echo "root kept in $root"; fi
}
trap cleanup EXIT
trap "exit 130" INT TERM # so that the clean-up runs

stage() { printf '\n==== %s (%s) ====\n' "$1" "$(date +%T)"; }
in_root() { chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
  PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin JOBS="${JOBS:-$(nproc)}" "$@"; }
mount_in_root() { mkdir -p "$root$2"; mount "${@:3}" "$1" "$root$2"; mounts+=("$root$2"); }

stage "debootstrap --variant=minbase bookworm from $mirror into $root"
debootstrap --variant=minbase bookworm "$root" "$mirror"
cp /etc/resolv.conf "$root/etc/resolv.conf"
printf '#!/bin/sh\nexit 101\n' > "$root/usr/sbin/policy-rc.d"  # no services start in the root
chmod +x "$root/usr/sbin/policy-rc.d"
mount_in_root proc /proc -t proc
# The host's /dev with what is under it, slave so that unmounting never reaches the host's.
mount_in_root /dev /dev --rbind
mount --make-rslave "$root/dev"

stage "git, nothing else"
in_root bash -c 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends git'
git -C "$repo" bundle create "$root/root/orbyndel.bundle" HEAD
in_root git clone -q /root/orbyndel.bundle /root/orbyndel

stage "README play command (stopping after the build)"
in_root bash -c 'cd /root/orbyndel && ORBYNDEL_BUILD_ONLY=1 bash scripts/play.sh'
in_root test -x /root/orbyndel/build/game/orbyndel

stage "README test command"
in_root bash -c 'cd /root/orbyndel && bash scripts/test.sh'

stage "both README commands passed on a fresh minimal root"
