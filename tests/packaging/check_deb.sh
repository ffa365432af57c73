#!/usr/bin/env bash
# Builds the Debian package of an already built tree, unpacks it into a scratch
# root and checks that it installs a desktop program: the binary, a desktop
# entry whose Exec and Icon resolve inside the package, icons of the sizes their
# folders promise, and Depends that cover every library the binary loads.
# Debian's own tools must accept it (lintian, desktop-file-validate, appstreamcli),
# and a desktop that installs it must know a .svz file as a Sovvenzia list.
#
# usage: check_deb.sh <build dir> <scratch dir>
set -uo pipefail

build_dir=$1
scratch=$2
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

rm -rf "$scratch"
mkdir -p "$scratch/out" "$scratch/root"

if ! cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log"
  echo "FAIL: cpack could not build the package"
  exit 1
fi
mapfile -t debs < <(find "$scratch/out" -maxdepth 1 -name '*.deb')
if ((${#debs[@]} != 1)); then
  echo "FAIL: expected one .deb, found ${#debs[@]}"
  exit 1
fi
deb=${debs[0]}
root=$scratch/root
dpkg-deb -x "$deb" "$root" || { echo "FAIL: dpkg-deb cannot unpack $deb"; exit 1; }

# --- control fields ----------------------------------------------------------
field() { dpkg-deb -f "$deb" "$1"; }

[[ "$(field Package)" == sovvenzia ]] || fail "Package is '$(field Package)', not sovvenzia"
[[ "$(field Architecture)" == "$(dpkg --print-architecture)" ]] ||
  fail "Architecture is '$(field Architecture)'"
[[ "$(field Maintainer)" =~ ^[^\<]+\<[^@\>]+@[^\>]+\>$ ]] ||
  fail "Maintainer '$(field Maintainer)' is not 'Name <address>'"
[[ -n "$(field Description)" ]] || fail "the package has no Description"

# Package names of Depends, without versions; alternatives count each.
depends=" $(field Depends | sed -E 's/\([^)]*\)//g; s/[|,]/ /g') "
declares() { [[ "$depends" == *" $1 "* ]]; }

declares qt6-translations-l10n ||
  fail "Depends lacks qt6-translations-l10n (Qt's Italian button and dialog texts)"

# --- the program ---------------------------------------------------------------
binary=$root/usr/bin/sovvenzia
if [[ ! -x "$binary" ]]; then
  fail "usr/bin/sovvenzia is missing or not executable"
else
  # Every library the binary names must come from a declared package: the
  # package that owns the file the loader picks, under /lib or /usr/lib.
  loaded=$(ldd "$binary")
  while read -r soname; do
    path=$(awk -v lib="$soname" '$1 == lib && $2 == "=>" {print $3}' <<<"$loaded")
    owner=""
    for candidate in "$path" "/usr$path" "${path#/usr}"; do
      [[ -n "$path" ]] && owner=$(dpkg -S "$candidate" 2>/dev/null | head -n1 | cut -d: -f1)
      [[ -n "$owner" ]] && break
    done
    if [[ -z "$owner" ]]; then
      fail "no installed package provides $soname (${path:-not found})"
    elif ! declares "$owner"; then
      fail "the program needs $soname from $owner, which Depends does not name"
    fi
  done < <(readelf -d "$binary" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
fi

# --- nothing but the program and what the desktop and Debian need of it --------
while read -r file; do
  case "$file" in
    usr/bin/sovvenzia | usr/share/applications/sovvenzia.desktop | \
      usr/share/icons/hicolor/*/apps/sovvenzia.png | \
      usr/share/icons/hicolor/scalable/apps/sovvenzia.svg | \
      usr/share/man/man1/sovvenzia.1.gz | \
      usr/share/doc/sovvenzia/copyright | usr/share/doc/sovvenzia/changelog.gz | \
      usr/share/mime/packages/sovvenzia.xml | \
      usr/share/metainfo/org.example.sovvenzia.metainfo.xml) ;;
    *) fail "unexpected file in the package: /$file" ;;
  esac
done < <(cd "$root" && find . -type f -o -type l | sed 's|^\./||')

# --- the desktop entry ----------------------------------------------------------
entry=$root/usr/share/applications/sovvenzia.desktop
key() { sed -n "s/^$1=//p" "$entry" | head -n1; }

if [[ ! -f "$entry" ]]; then
  fail "usr/share/applications/sovvenzia.desktop is missing"
else
  [[ "$(grep -v -E '^\s*(#|$)' "$entry" | head -n1)" == "[Desktop Entry]" ]] ||
    fail "the desktop entry does not start with [Desktop Entry]"
  [[ "$(key Type)" == Application ]] || fail "Type is '$(key Type)', not Application"
  [[ "$(key Name)" == Sovvenzia ]] || fail "Name is '$(key Name)', not Sovvenzia"
  [[ -n "$(key Comment)" ]] || fail "the desktop entry has no Comment"
  [[ ";$(key Categories)" == *";Office;"* ]] ||
    fail "Categories '$(key Categories)' lacks Office;"

  # Exec: its program, as a desktop would find it on PATH or by its path.
  exec_program=$(key Exec | awk '{print $1}')
  case "$exec_program" in
    "") fail "the desktop entry has no Exec" ;;
    /*) [[ "$exec_program" == /usr/bin/sovvenzia ]] ||
      fail "Exec runs $exec_program, not the installed /usr/bin/sovvenzia" ;;
    *) [[ -x "$root/usr/bin/$exec_program" && "$exec_program" == sovvenzia ]] ||
      fail "Exec runs '$exec_program', which the package does not install in /usr/bin" ;;
  esac

  # Icon: a theme name found in the hicolor theme of the package.
  icon=$(key Icon)
  if [[ -z "$icon" || "$icon" == */* ]]; then
    fail "Icon '$icon' is not a theme icon name"
  else
    shopt -s nullglob
    found=("$root"/usr/share/icons/hicolor/*/apps/"$icon".{png,svg})
    shopt -u nullglob
    ((${#found[@]})) || fail "no icon named '$icon' in the hicolor theme of the package"
  fi
fi

# --- the icons are what their folders say ---------------------------------------
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $3*256+$4 "x" $7*256+$8}'; }

for png in "$root"/usr/share/icons/hicolor/*x*/apps/*.png; do
  [[ -e "$png" ]] || continue
  folder=$(basename "$(dirname "$(dirname "$png")")")
  [[ "$(head -c8 "$png" | od -An -tx1 | tr -d ' ')" == 89504e470d0a1a0a ]] ||
    fail "${png#"$root"} is not a PNG image"
  [[ "$(png_size "$png")" == "$folder" ]] ||
    fail "${png#"$root"} is $(png_size "$png"), not $folder"
done
svg=$root/usr/share/icons/hicolor/scalable/apps/sovvenzia.svg
if [[ -f "$svg" ]] && ! grep -q '<svg[ >]' "$svg"; then
  fail "${svg#"$root"} is not an SVG image"
fi

# --- Debian's tools accept the package -------------------------------------------
# Run as root, lintian first says that it should not be; that line is no finding.
lintian --fail-on error,warning --tag-display-limit 0 "$deb" 2>&1 |
  grep -v 'running with root privileges' >"$scratch/lintian.log"
[[ -s "$scratch/lintian.log" ]] && fail "lintian: $(cat "$scratch/lintian.log")"
if [[ -f "$entry" ]]; then
  if ! findings=$(desktop-file-validate --no-hints "$entry" 2>&1) || [[ -n "$findings" ]]; then
    fail "desktop-file-validate: $findings"
  fi
fi
metainfo=$root/usr/share/metainfo/org.example.sovvenzia.metainfo.xml
appstreamcli validate --no-net "$metainfo" >"$scratch/appstream.log" 2>&1 ||
  fail "appstreamcli: $(cat "$scratch/appstream.log")"

# The changelog and the AppStream releases start at the package's version.
version=$(field Version)
changelog=$(zcat "$root/usr/share/doc/sovvenzia/changelog.gz" | head -n1)
[[ "$changelog" == "sovvenzia ($version) "* ]] || fail "the changelog starts at '$changelog', not $version"
grep -q "<release version=\"$version\"" "$metainfo" ||
  fail "the AppStream file lists no release $version"

# --- a desktop that installs the package opens a .svz list with Sovvenzia ---------
data=$scratch/xdg/data
mkdir -p "$data" "$scratch/xdg/config"
cp -r "$root/usr/share/mime" "$root/usr/share/applications" "$data/"
desktop() {
  env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION -u GNOME_DESKTOP_SESSION_ID \
    XDG_DATA_HOME="$data" XDG_DATA_DIRS=/usr/share XDG_CONFIG_HOME="$scratch/xdg/config" \
    XDG_CONFIG_DIRS="$scratch/xdg/config" "$@"
}
desktop update-mime-database "$data/mime" && desktop update-desktop-database "$data/applications" ||
  fail "the type of list files cannot be installed"
list_type=application/x-sovvenzia-elenco
head -c 418 /dev/zero | tr '\0' ' ' >"$scratch/Roma_Primaria_25-26.svz"
cp "$scratch/Roma_Primaria_25-26.svz" "$scratch/Roma_Primaria_25-26"
found=$(desktop xdg-mime query filetype "$scratch/Roma_Primaria_25-26.svz")
[[ "$found" == "$list_type" ]] || fail "a .svz list is of type '$found', not $list_type"
found=$(desktop xdg-mime query filetype "$scratch/Roma_Primaria_25-26")
[[ "$found" != "$list_type" ]] || fail "a name without .svz is taken for a list"
found=$(desktop xdg-mime query default "$list_type")
[[ "$found" == sovvenzia.desktop ]] || fail "lists open with '$found', not sovvenzia.desktop"
grep -qx "$list_type:sovvenzia" "$data/mime/icons" || fail "lists do not show the program's icon"

if ((failures)); then
  echo "$failures packaging check(s) failed for $(basename "$deb")"
  exit 1
fi
echo "$(basename "$deb"): accepted by Debian's tools; program, desktop entry, list type, icons and Depends in place"
