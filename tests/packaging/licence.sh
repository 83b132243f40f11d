#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The source tree says the licence that the package's copyright file names: COPYING holds the
# GPL version 3, and every source file names GPL-3.0-or-later on its first lines (after a #!).
# Argument: the source folder.
set -euo pipefail
source=$1
tag='SPDX-License-Identifier: GPL-3.0-or-later'

grep -q 'GNU GENERAL PUBLIC LICENSE' "$source/COPYING" && grep -q 'Version 3, 29 June 2007' "$source/COPYING" \
    || { echo "COPYING is not the GPL version 3"; exit 1; }
grep -q '^License: GPL-3+' "$source/packaging/copyright" \
    || { echo "packaging/copyright does not name GPL-3+"; exit 1; }

missing=0
while IFS= read -r -d '' file; do
    if ! head -n 2 "$file" | grep -qF "$tag"; then
        echo "no licence line: ${file#"$source"/}"
        missing=$((missing + 1))
    fi
done < <(find "$source" \( -name '.git' -o -name 'build*' -o -name 'corpus' \) -prune -o -type f \
    \( -name '*.cpp' -o -name '*.h' -o -name '*.sh' -o -name '*.py' -o -name '*.cmake' \
       -o -name '*.cmake.in' -o -name 'CMakeLists.txt' -o -path "$source/.ci/run" \
       -o -path "$source/packaging/postinst" -o -path "$source/packaging/postrm" \) -print0)
[ "$missing" -eq 0 ] || { echo "$missing source files lack '$tag'"; exit 1; }
echo "every source file names GPL-3.0-or-later"
