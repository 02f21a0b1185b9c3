#!/usr/bin/env bash
# Formats the C++ sources (tracked and new files) with clang-format and the
# style in .clang-format. With --check nothing is changed: the script lists
# what is not formatted and fails, so that `make test` catches it.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

check=0
case "${1:-}" in
  --check) check=1 ;;
  "") ;;
  *) echo "usage: $0 [--check]" >&2; exit 2 ;;
esac

# Debian 12's clang-format 14; other versions lay some lines out otherwise.
cf="${CLANG_FORMAT:-}"
if [ -z "$cf" ]; then
  for candidate in clang-format-14 clang-format; do
    if command -v "$candidate" >/dev/null; then cf="$candidate"; break; fi
  done
fi
if [ -z "$cf" ]; then
  echo "clang-format not found: run scripts/install-deps.sh or set CLANG_FORMAT." >&2
  exit 1
fi

files=()
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  while IFS= read -r -d '' f; do
    [ -f "$f" ] && files+=("$f")
  done < <(git ls-files -z --cached --others --exclude-standard -- '*.cpp' '*.h')
else
  while IFS= read -r -d '' f; do files+=("$f"); done < <(find apps libs tests bench fuzz -name '*.cpp' -print0 -o -name '*.h' -print0)
fi

if [ "$check" -eq 0 ]; then
  # A second pass settles the few lines the first one leaves unstable.
  "$cf" -i "${files[@]}"
  "$cf" -i "${files[@]}"
  exit 0
fi

# One run over all files; clang-format names each place that would change.
report="$("$cf" --dry-run --Werror "${files[@]}" 2>&1)" || true
mapfile -t unformatted < <(printf '%s\n' "$report" | sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error: .*/\1/p' | sort -u)
if [ ${#unformatted[@]} -gt 0 ] || printf '%s\n' "$report" | grep -q 'error:'; then
  echo "Not formatted ($("$cf" --version)):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  echo "Run 'make format' to format them." >&2
  exit 1
fi
echo "format check: ${#files[@]} files formatted"
