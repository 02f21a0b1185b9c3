#!/usr/bin/env bash
# Refreshes the editor's translation sources (apps/boardsmith/translations/*.ts)
# from the texts in tr() of apps/boardsmith. Existing translations are kept;
# new texts arrive unfinished, texts no longer used are marked vanished.
# Run it after changing user-interface texts, then translate what is new.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
lupdate="${LUPDATE:-}"
if [ -z "$lupdate" ]; then
  for candidate in /usr/lib/qt6/bin/lupdate "$(command -v lupdate6 || true)" "$(command -v lupdate || true)"; do
    if [ -n "$candidate" ] && [ -x "$candidate" ]; then
      lupdate="$candidate"
      break
    fi
  done
fi
if [ -z "$lupdate" ]; then
  echo "lupdate not found: install qt6-l10n-tools (scripts/install-deps.sh) or set LUPDATE." >&2
  exit 1
fi

cd "$root/apps/boardsmith"
# No source locations: line numbers would change the .ts files on every edit.
# The core's texts for the user are listed in libs/core/model/messages.h,
# marked with BS_CORE_TEXT("core", ...).
"$lupdate" -locations none -source-language en -tr-function-alias QT_TRANSLATE_NOOP+=BS_CORE_TEXT \
  . ../../libs/core/model/messages.h \
  -ts translations/boardsmith_ru.ts translations/boardsmith_fr.ts
