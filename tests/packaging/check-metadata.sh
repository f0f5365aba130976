#!/usr/bin/env bash
# The installed menu entry, AppStream metadata and manual pages pass their validators: check-metadata.sh BUILD
set -euo pipefail
source "$(dirname "$0")/install-tree.sh"

desktop-file-validate "$prefix/share/applications/kelvora.desktop" || fail "the menu entry does not validate"
appstreamcli validate --no-net "$prefix/share/metainfo/org.kelvora.Kelvora.metainfo.xml" ||
  fail "the AppStream metadata does not validate"

# groff reports problems as warnings and still succeeds: any output is a failure.
for page in "$prefix/share/man/man1/kelvora.1" "$prefix/share/man/ja/man1/kelvora.1"; do
  warnings="$(LC_ALL=C.UTF-8 groff -k -Kutf-8 -man -Tutf8 -ww -z "$page" 2>&1)"
  [ -z "$warnings" ] || fail "$page: $warnings"
done
echo "menu entry, metadata and manual pages valid"
