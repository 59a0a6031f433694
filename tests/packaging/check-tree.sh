# Sourced by the packaging tests: check_tree PREFIX checks that PREFIX holds
# exactly the files of installed-files.txt and that they work.
check_tree() {
    local prefix=$1 here
    here=$(dirname "${BASH_SOURCE[0]}")
    diff -u "$here/installed-files.txt" <(cd "$prefix" && find . -type f | sed 's|^\./||' | LC_ALL=C sort) \
        || { echo "FAIL: installed files differ from the list"; return 1; }
    for program in curvix curvix-eval curvix-render; do
        [ -x "$prefix/bin/$program" ] || { echo "FAIL: $program not executable"; return 1; }
    done
    [ "$(echo '1+2*3' | "$prefix/bin/curvix-eval")" = 7 ] || { echo "FAIL: curvix-eval"; return 1; }
    for png in $(cd "$prefix" && find share/icons -name '*.png'); do
        [ "$(head -c 8 "$prefix/$png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] \
            || { echo "FAIL: $png is not a PNG"; return 1; }
    done
    grep -qx 'MimeType=application/x-curvix-document;' "$prefix/share/applications/curvix.desktop" \
        || { echo "FAIL: desktop entry lacks the document type"; return 1; }
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$prefix/share/applications/curvix.desktop" || return 1
    fi
    if command -v update-mime-database >/dev/null; then
        update-mime-database "$prefix/share/mime" >/dev/null
        grep -q 'application/x-curvix-document:\*\.cvx' "$prefix/share/mime/globs2" \
            || { echo "FAIL: MIME package gives no *.cvx glob"; return 1; }
    fi
}
