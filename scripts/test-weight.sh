#!/usr/bin/env bash
# The weight of the tests against the product, counted over the files git knows:
# - tests: tests/ and fuzz/, code (.cpp .h .sh .py: non-blank lines that are not only a //
#   comment) plus session scripts and case tables (.session .txt, CMakeLists.txt aside:
#   non-blank lines that are not only a # comment);
# - product: src/ and sheet/, code counted the same way.
# Fixtures (level files, .check reports, expected bytes, corpora) are data and not counted.
set -euo pipefail
cd "$(dirname "$0")/.."

# count DIRS EXTENSION_REGEX COMMENT_REGEX
count() {
  git ls-files -- $1 | grep -E "$2" | grep -v 'CMakeLists\.txt$' |
    { xargs -r cat; } | grep -cvE "^[[:space:]]*($3.*)?$" || true
}

code='\.(cpp|h|sh|py)$'
scripts='\.(session|txt)$'
test_code=$(count "tests fuzz" "$code" '//')
test_scripts=$(count "tests fuzz" "$scripts" '#')
product=$(count "src sheet" "$code" '//')
tests=$((test_code + test_scripts))
echo "tests:   $tests lines ($test_code of code, $test_scripts of scripts and tables)"
echo "product: $product lines"
awk -v t="$tests" -v p="$product" 'BEGIN { printf "ratio:   %.1f%%\n", 100 * t / p }'
