#!/usr/bin/env bash
# Static checks on the project's own sources: formatting and cppcheck.
# clang-tidy runs too when a build folder with compile_commands.json is given.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-}

mapfile -t sources < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h')
echo "clang-format: ${#sources[@]} files"
clang-format --dry-run -Werror "${sources[@]}"

echo "cppcheck"
# Raw loops are kept where they read better than an algorithm, zero-valued
# style flags are spelt out as the resource tables list them, and the
# status text is taken by value as the frame's interface has it.
cppcheck --enable=warning,style,performance,portability --std=c++20 --language=c++ --library=qt \
    --inline-suppr --quiet --error-exitcode=1 --suppress=missingIncludeSystem \
    --suppress=useStlAlgorithm --suppress=badBitmaskCheck --suppress=passedByValue:app/qt/MainFrameQt.cpp \
    -I engine -I document -I view -I view/qt -I framework -I framework/cmd -I framework/ui \
    -I framework/ui/qt -I resources -I resources/ids -I app -I app/qt \
    engine framework document view tools resources app

if [ -n "$build" ] && [ -f "$build/compile_commands.json" ]; then
    # The Windows sides are not in a Linux build's compile commands.
    mapfile -t tidy < <(git ls-files 'engine/*.cpp' 'framework/*.cpp' 'document/*.cpp' 'tools/*.cpp' \
        ':(exclude)*Win.cpp' ':(exclude)framework/WinSystem.cpp')
    echo "clang-tidy: ${#tidy[@]} files"
    if ! clang-tidy -p "$build" --quiet "${tidy[@]}" >"$build/clang-tidy.log" 2>&1; then
        grep -v 'warnings generated' "$build/clang-tidy.log"
        exit 1
    fi
fi
echo "lint clean"
