#!/usr/bin/env bash
# Packs PNG images into one .ico file (the PNGs are stored as they are, as Windows Vista and later read
# them): make-icon.sh OUTPUT SIZE:FILE...
set -euo pipefail
output="$1"
shift
le16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))"; }
le32() { le16 $(($1 & 65535)); le16 $(($1 >> 16)); }
{
  le16 0; le16 1; le16 $#
  offset=$((6 + 16 * $#))
  for image in "$@"; do
    size="${image%%:*}"
    bytes=$(stat -c %s "${image#*:}")
    printf "\\x$(printf %02x $((size & 255)))\\x$(printf %02x $((size & 255)))\\x00\\x00"
    le16 1; le16 32; le32 "$bytes"; le32 "$offset"
    offset=$((offset + bytes))
  done
  for image in "$@"; do cat "${image#*:}"; done
} >"$output"
