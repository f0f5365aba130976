#!/usr/bin/env bash
# The installed launcher starts the program in the settings folder, which it creates, and passes the
# arguments on, with the folders of a batch made absolute: check-launcher.sh BUILD
set -euo pipefail
source "$(dirname "$0")/install-tree.sh"

# In place of the program: a stand-in that reports the folder it was started in and its arguments.
cat >"$prefix/libexec/kelvora/kelvora" <<'STANDIN'
#!/bin/sh
pwd
printf '[%s]' "$@"
echo
STANDIN

caller="$work/caller"
mkdir -p "$caller" "$work/home"

# Runs the launcher from the caller's folder with a clean environment plus the given assignments, and checks
# the folder the program was started in.
expect_started_in() {
  local expected="$1"
  shift
  local output
  output="$(cd "$caller" && env -i PATH="$PATH" HOME="$work/home" "$@" "$prefix/bin/kelvora" 'a b' --x)" ||
    fail "the launcher failed with $*"
  [ "$output" = "$expected
[a b][--x]" ] || fail "with $*: expected to start in $expected, got: $output"
  [ -d "$expected" ] || fail "with $*: $expected was not created"
}

expect_started_in "$work/config/kelvora" XDG_CONFIG_HOME="$work/config"
expect_started_in "$work/home/.config/kelvora"
expect_started_in "$work/home/.config/kelvora" XDG_CONFIG_HOME=
# A relative XDG_CONFIG_HOME is ignored, never taken from wherever the caller happens to be.
expect_started_in "$work/home/.config/kelvora" XDG_CONFIG_HOME=relative
[ ! -e "$caller/relative" ] || fail "a relative XDG_CONFIG_HOME created a folder in the caller's folder"
# Started through a symbolic link, as a packaging tool or a user might set it up.
ln -s "$prefix/bin/kelvora" "$work/kelvora-link"
output="$(cd "$caller" && env -i PATH="$PATH" HOME="$work/home" "$work/kelvora-link")"
[ "$(head -n1 <<<"$output")" = "$work/home/.config/kelvora" ] || fail "through a link: $output"

# A settings folder that cannot be made: the program is not started anywhere else.
touch "$work/blocked"
if output="$(cd "$caller" && env -i PATH="$PATH" HOME="$work/home" XDG_CONFIG_HOME="$work/blocked" \
  "$prefix/bin/kelvora" 2>/dev/null)"; then
  fail "the launcher went on without a settings folder: $output"
fi
[ -z "$output" ] || fail "the program was started without a settings folder: $output"
# Folders given to a batch from the command line are the caller's, also once the program runs elsewhere.
output="$(cd "$caller" && env -i PATH="$PATH" HOME="$work/home" "$prefix/bin/kelvora" --run --source photos \
  --dest /abs '--source' '' --x photos)"
[ "$(tail -n1 <<<"$output")" = "[--run][--source][$caller/photos][--dest][/abs][--source][][--x][photos]" ] ||
  fail "folders on the command line: $output"
echo "launcher starts the program in the settings folder"
