#!/usr/bin/env bash
# End to end against the copy it competes with: texte-vers-pdb-cli on a
# generated ~100 MB book (CR LF, Latin-1) versus cp followed by sync of the
# copy, in the same directory; then the converter's peak resident memory.
# Usage: bench/conversion/endToEnd.sh [BUILD_DIR] [WORK_DIR]
set -euo pipefail
build=$(realpath "${1:-build}")
work=${2:-$(mktemp -d /var/tmp/tvp-bench-XXXXXX)}
mkdir -p "$work"
cli="$build/cli/texte-vers-pdb-cli"
command -v hyperfine >/dev/null || { echo "hyperfine manque : apt-get install hyperfine" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time manque : apt-get install time" >&2; exit 1; }

book="$work/livre.txt"
if [ ! -f "$book" ]; then
    python3 - "$book" <<'PY'
import random, sys
random.seed(7)
letters = b"abcdefghijklmnopqrstuvwxyz        \xe0\xe7\xe8\xe9\xea\xee\xf4\xfb"
lines = []
size = 0
while size < 100_000_000:
    line = bytes(random.choice(letters) for _ in range(random.randint(20, 100))) + b"\r\n"
    lines.append(line)
    size += len(line)
    if len(lines) == 20000:
        break
block = b"".join(lines)
with open(sys.argv[1], "wb") as out:
    for _ in range(100_000_000 // len(block) + 1):
        out.write(block)
PY
fi
echo "source: $(stat -c %s "$book") bytes"

hyperfine --warmup 2 --runs 15 \
    -n "cp + sync" "cp '$book' '$work/copie.txt' && sync '$work/copie.txt'" \
    -n "texte-vers-pdb-cli" "'$cli' '$book' Livre '$work' >/dev/null"

/usr/bin/time -f "peak resident memory: %M KiB" "$cli" "$book" Livre "$work" >/dev/null
rm -f "$work/copie.txt" "$work/Livre.pdb"
