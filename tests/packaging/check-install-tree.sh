#!/usr/bin/env bash
# cmake --install puts every file of the desktop program in place, and nothing else: check-install-tree.sh BUILD
set -euo pipefail
source "$(dirname "$0")/install-tree.sh"

expected=(
  bin/kelvora
  libexec/kelvora/kelvora
  share/applications/kelvora.desktop
  share/metainfo/org.kelvora.Kelvora.metainfo.xml
  share/icons/hicolor/16x16/apps/kelvora.png
  share/icons/hicolor/32x32/apps/kelvora.png
  share/icons/hicolor/48x48/apps/kelvora.png
  share/icons/hicolor/64x64/apps/kelvora.png
  share/icons/hicolor/128x128/apps/kelvora.png
  share/icons/hicolor/256x256/apps/kelvora.png
  share/icons/hicolor/scalable/apps/kelvora.svg
  share/man/man1/kelvora.1
  share/man/ja/man1/kelvora.1
  share/doc/kelvora/guide.ja.md
  share/doc/kelvora/guide-window.png
)
actual="$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort)"
wanted="$(printf '%s\n' "${expected[@]}" | sort)"
[ "$actual" = "$wanted" ] || fail "the install tree differs from the expected files:
$(diff <(echo "$wanted") <(echo "$actual") || true)"

for runnable in bin/kelvora libexec/kelvora/kelvora; do
  [ -x "$prefix/$runnable" ] || fail "$runnable is not executable"
done

# Each PNG is square at its folder's size: width and height are the big-endian words at bytes 16 and 20.
for png in "$prefix"/share/icons/hicolor/*x*/apps/kelvora.png; do
  size="$(basename "$(dirname "$(dirname "$png")")")"
  read -r width height <<<"$(od -An -tu1 -j16 -N8 "$png" |
    awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }')"
  [ "${width}x${height}" = "$size" ] || fail "$png is ${width}x${height}"
done
echo "every file in place"
