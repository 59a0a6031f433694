#!/usr/bin/env bash
# Documents named by hostile paths: every program ends at once (a time
# limit on each row) with the expected status and one exact line, and
# changes nothing on disk.
#   hostile-path-test.sh CURVIX-EVAL CURVIX-RENDER
set -u
E=$1 R=$2
tmp=$(mktemp -d) err=$(mktemp)
chmod 755 "$tmp"
trap 'chmod -R u+rwx "$tmp"; rm -rf "$tmp" "$err"' EXIT
cd "$tmp" || exit 1
failures=0 checks=0
# document FILE [FIRST [STEP]]: formula "x" and the default scene, or the
# given first x and step as four octal-escaped little-endian bytes each.
document() {
    local zero='\000\000\000\000'
    printf "\001\000\000\000x\000${2:-\000\000\040\301}\000\000\040\101$zero$zero$zero"`
        `"\000\000\040\101\000\000\040\101${3:-\315\314\314\075}" >"$1"
}
# Every name with its kind, size, inode and modification time, and the old
# picture's bytes: a program that rewrote or truncated anything shows. Only
# out-new.png, which the row for a good document writes, is left out.
snapshot() {
    find "$tmp" -mindepth 1 ! -name out-new.png -printf '%P %M %s %i %T@\n' | LC_ALL=C sort
    od -c out-old.png
}
as_user() { if [ "$(id -u)" = 0 ]; then setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; else "$@"; fi; }
export -f as_user

# row NAME STATUS MESSAGE COMMAND
row() {
    checks=$((checks + 1))
    local before status
    before=$(snapshot)
    timeout 10 bash -c "$4" 2>"$err" >/dev/null
    status=$?
    if [ "$status" != "$2" ] || [ "$(cat "$err")" != "$3" ] || [ "$(snapshot)" != "$before" ]; then
        printf 'FAIL %s: status %s, standard error:\n%s\n' "$1" "$status" "$(cat "$err")"
        failures=$((failures + 1))
    fi
}

mkfifo fifo
mkdir folder
ln -s loop-b loop-a && ln -s loop-a loop-b
document 'new
line.cvx'
document $'not-utf8-\xff.cvx'
document unreadable.cvx && chmod 000 unreadable.cvx
printf '\360\377\377\177' >huge.cvx && head -c 1000000 /dev/zero >>huge.cvx
echo old >out-old.png

open="Failed to open document."
loop="loop-a: Too many levels of symbolic links."
for tool in eval render; do
    if [ $tool = eval ]; then run="$E --open" prefix=""; else run="$R" prefix="curvix-render: "; fi
    out() { [ $tool = render ] && echo "-o out-old.png"; }
    row "$tool Fifo" 1 "$prefix$open fifo is not a regular file." "$run fifo $(out)"
    row "$tool DevZero" 1 "$prefix$open /dev/zero is not a regular file." "$run /dev/zero $(out)"
    row "$tool DevUrandom" 1 "$prefix$open /dev/urandom is not a regular file." "$run /dev/urandom $(out)"
    row "$tool Folder" 1 "$prefix$open folder is a directory." "$run folder $(out)"
    row "$tool SymlinkLoop" 1 "$prefix$open $loop" "$run loop-a $(out)"
    row "$tool MissingWithNewline" 1 "${prefix}gone\\x0aname.cvx was not found." \
        "$run \$'gone\\nname.cvx' $(out)"
    row "$tool HugeLength" 1 "${prefix}huge.cvx: Unexpected file format." "$run huge.cvx $(out)"
    if [ "$(id -u)" != 0 ] || command -v setpriv >/dev/null; then
        row "$tool Unreadable" 1 "${prefix}Access to unreadable.cvx was denied." \
            "as_user $run unreadable.cvx $(out)"
    else
        echo "SKIP $tool Unreadable: root reads every file and setpriv is missing"
    fi
done
# Names are bytes: these open like any other document.
row "eval NewlineName" 0 "" "[ \"\$($E --open \$'new\\nline.cvx' | head -1)\" = x ]"
row "eval NotUtf8Name" 0 "" "[ \"\$($E --open \$'not-utf8-\\xff.cvx' | head -1)\" = x ]"
row "render NotUtf8Name" 0 "" "$R \$'not-utf8-\\xff.cvx' -o out-new.png && [ -s out-new.png ]"

# Scenes the sampler refuses or cuts short: its line, status 1, and the old
# picture stays; options that would do so are refused before drawing.
document step-zero.cvx '' '\000\000\000\000'
document nan-start.cvx '\000\000\300\177'
row "eval TheDocumentsAreWritten" 0 "" "[ \"\$($E --open step-zero.cvx; $E --open nan-start.cvx)\" = \$'x\\n-10 10 0 0 0 10 10 0\\nx\\nnan 10 0 0 0 10 10 0.1' ]"
sampler="Error: Cannot sample the curve:"
row "render StepZero" 1 "$sampler the step 0 is not a positive finite number" \
    "$R step-zero.cvx -o out-old.png; s=\$?; [ \"\$(cat out-old.png)\" = old ] || exit 99; exit \$s"
row "render NaNStart" 1 "$sampler the x range nan to 10 is not finite" \
    "$R nan-start.cvx -o out-old.png; s=\$?; [ \"\$(cat out-old.png)\" = old ] || exit 99; exit \$s"
row "render DriftPastTheLimit" 2 "curvix-render: options --range and --step: more than 10000000 samples from -4999 to 4999 in steps of 0.001" \
    "$R --formula 'sin(x)' --range -4999:4999 --step 1e-3 -o out-old.png 2>&1 | head -1 >&2; exit \${PIPESTATUS[0]}"

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
