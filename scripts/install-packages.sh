#!/usr/bin/env bash
# Installs those of the Debian packages named as arguments that are missing;
# "--list NAME" names every package of debian-packages-NAME.txt beside this
# script. Idempotent; runs as root or through sudo.
#
# usage: install-packages.sh [--list run|test]... [package]...
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
wanted=()
while (($#)); do
  if [[ "$1" == --list ]]; then
    mapfile -t -O "${#wanted[@]}" wanted < <(grep -v -E '^\s*(#|$)' "$here/debian-packages-$2.txt")
    shift 2
  else
    wanted+=("$1")
    shift
  fi
done

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
