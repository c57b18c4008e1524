#!/usr/bin/env bash
# installed_program_test.sh BUILD SCREENSHOT: installs BUILD under a temporary folder with DESTDIR
# and runs the installed programs from another folder, with a home of their own. Needs an X server
# (DISPLAY) for the editor.
set -euo pipefail
build="$1"
screenshot="$2"
fail() {
  echo "FAILED: $*" >&2
  exit 1
}

work="$(mktemp -d)"
editor=""
cleanup() {
  [ -n "$editor" ] && kill "$editor" 2>/dev/null && wait "$editor" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

stage="$work/stage"
DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
prefix="$stage/usr"
for file in bin/blockyard bin/blockyard-tool lib/blockyard/Gridsmith \
  share/blockyard/data/Stadium/blocks.dat share/blockyard/samples/StadiumCircuit.Challenge.Gbx \
  share/applications/org.blockyard.Blockyard.desktop share/man/man1/blockyard.1.gz \
  share/icons/hicolor/scalable/apps/org.blockyard.Blockyard.svg \
  share/icons/hicolor/48x48/apps/org.blockyard.Blockyard.png share/doc/blockyard/copyright; do
  [ -e "$prefix/$file" ] || fail "the install has no $file"
done
find "$stage" -printf '%p %s %T@\n' | sort >"$work/installed-files"

export HOME="$work/home" XDG_CACHE_HOME="$work/cache" XDG_CONFIG_HOME="$work/config" \
  XDG_DATA_HOME="$work/data-home"
mkdir -p "$HOME" "$work/elsewhere"
cd "$work/elsewhere"
sample=StadiumCircuit.Challenge.Gbx
cp "$prefix/share/blockyard/samples/$sample" .

version="$("$prefix/bin/blockyard" --version)"
[ "$version" = "Blockyard 0.1 alpha" ] || fail "blockyard --version printed '$version'"

info="$("$prefix/bin/blockyard-tool" info "$sample")" || fail "blockyard-tool info: $info"
grep -qx "Environment: Stadium" <<<"$info" || fail "blockyard-tool info printed: $info"
# The copy was converted in the user's cache folder, which keeps nothing of it.
[ -d "$XDG_CACHE_HOME/blockyard" ] || fail "no converter folder under $XDG_CACHE_HOME"
[ -z "$(ls -A "$XDG_CACHE_HOME/blockyard")" ] || fail "left in the cache: $(ls -A "$XDG_CACHE_HOME/blockyard")"

# The editor on the sample: its window's title names the track once it is open.
[ -n "${DISPLAY:-}" ] || fail "no X server (DISPLAY) for the editor"
title="Blockyard 0.1 alpha - $sample"
"$prefix/bin/blockyard" "$sample" >"$work/editor.log" 2>&1 &
editor=$!
window=""
for _ in $(seq 1 120); do
  window="$(xwininfo -root -tree | grep -F "\"$title\"" | awk '{print $1}' | head -n 1)" || true
  [ -n "$window" ] && break
  kill -0 "$editor" 2>/dev/null || fail "the editor ended: $(cat "$work/editor.log")"
  sleep 0.5
done
[ -n "$window" ] || fail "no window titled '$title': $(cat "$work/editor.log")"
sleep 1
mkdir -p "$(dirname "$screenshot")"
xwd -silent -id "$window" | convert xwd:- "$screenshot"
kill "$editor"
wait "$editor" 2>/dev/null || true
editor=""
[ -z "$(ls -A "$XDG_CACHE_HOME/blockyard")" ] || fail "the editor left its copy in the cache"

# The track file type, in a copy of the installed MIME and application folders indexed as the
# system's triggers index them: by its name, by its first bytes under another name, and the
# editor as the application that opens it.
share="$work/share"
mkdir -p "$share"
cp -r "$prefix/share/mime" "$prefix/share/applications" "$share"
XDG_DATA_DIRS="$share" update-mime-database "$share/mime"
update-desktop-database "$share/applications"
cp "$sample" track-without-suffix
for file in "$sample" track-without-suffix; do
  type="$(XDG_DATA_DIRS="$share" gio info -a standard::content-type "$file" |
    sed -n 's/^ *standard::content-type: //p')"
  [ "$type" = "application/x-gbx-challenge" ] || fail "$file is of type '$type'"
done
# An application counts only when its program is on the PATH.
handlers="$(PATH="$prefix/bin:$PATH" XDG_DATA_DIRS="$share" gio mime application/x-gbx-challenge)"
grep -q "^Default application for .*: org.blockyard.Blockyard.desktop$" <<<"$handlers" ||
  fail "the default application: $handlers"

# Nothing of the install was written to.
find "$stage" -printf '%p %s %T@\n' | sort | diff "$work/installed-files" - >&2 ||
  fail "the runs changed the installed folders"

# Without its data, each program names where it looked and ends with an error.
mv "$prefix/share/blockyard/data" "$work/data-away"
status=0
"$prefix/bin/blockyard" -platform offscreen >"$work/broken.log" 2>&1 || status=$?
[ "$status" -eq 1 ] || fail "the editor without data ended with $status: $(cat "$work/broken.log")"
grep -qF "$(realpath "$prefix")/share/blockyard/data" "$work/broken.log" ||
  fail "the editor without data said: $(cat "$work/broken.log")"
status=0
"$prefix/bin/blockyard-tool" info "$sample" >"$work/broken.log" 2>&1 || status=$?
[ "$status" -eq 2 ] && grep -q "no data folder found" "$work/broken.log" ||
  fail "blockyard-tool without data: $status, $(cat "$work/broken.log")"
echo "installed program: version, tool, editor window, file type and broken install checked"
