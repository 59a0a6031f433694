# Sourced by the packaging tests: check_tree PREFIX checks that PREFIX holds
# exactly the files of installed-files.txt, that they work, and that the
# desktop's and the distribution's validators find nothing to say.
check_tree() {
    local prefix=$1 here program empty
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
    local entry=$prefix/share/applications/org.quenmark.Curvix.desktop
    grep -qx 'MimeType=application/x-curvix-document;' "$entry" \
        || { echo "FAIL: desktop entry lacks the document type"; return 1; }
    if command -v update-mime-database >/dev/null; then
        local mime
        mime=$(mktemp -d)
        cp -r "$prefix/share/mime/packages" "$mime/"
        update-mime-database "$mime" >/dev/null 2>&1
        grep -q 'application/x-curvix-document:\*\.cvx' "$mime/globs2" \
            || { echo "FAIL: MIME package gives no *.cvx glob"; rm -rf "$mime"; return 1; }
        rm -rf "$mime"
    fi

    # No error, warning or hint from the validators.
    local said
    said=$(desktop-file-validate "$entry" 2>&1) && [ -z "$said" ] \
        || { echo "FAIL: desktop-file-validate: $said"; return 1; }
    said=$(appstreamcli validate --no-net "$prefix/share/metainfo/org.quenmark.Curvix.metainfo.xml" 2>&1) \
        || { echo "FAIL: appstreamcli validate: $said"; return 1; }
    for program in curvix curvix-eval curvix-render; do
        local page=$prefix/share/man/man1/$program.1.gz
        said=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
        [ -z "$said" ] || { echo "FAIL: man --warnings $program.1: $said"; return 1; }
        check_manual "$prefix" "$program" || return 1
    done
}

# The manual page of PROGRAM knows every option --help names and the
# version --version prints; both answer in an empty home without a display
# and write nothing.
check_manual() {
    local prefix=$1 program=$2 empty help version page option
    empty=$(mktemp -d)
    help=$(env -i PATH="$PATH" HOME="$empty" ASAN_OPTIONS="${ASAN_OPTIONS:-}" "$prefix/bin/$program" --help)
    version=$(env -i PATH="$PATH" HOME="$empty" ASAN_OPTIONS="${ASAN_OPTIONS:-}" "$prefix/bin/$program" --version)
    [ -z "$(ls -A "$empty")" ] || { echo "FAIL: $program --help/--version wrote to HOME"; rm -rf "$empty"; return 1; }
    rm -rf "$empty"
    [ "$version" = "$program 1.0.0.1" ] || { echo "FAIL: $program --version says '$version'"; return 1; }
    page=$(MANWIDTH=200 man -l "$prefix/share/man/man1/$program.1.gz" 2>/dev/null)
    grep -q "Curvix 1.0.0.1" <<<"$page" || { echo "FAIL: $program.1 is not of version 1.0.0.1"; return 1; }
    for option in $(grep -oE '(^|[][ ,|])(--?[a-z][a-z-]*|/[A-Za-z]+)' <<<"$help" | tr -d '[], |' | sort -u); do
        grep -qF -- "$option" <<<"$page" || { echo "FAIL: $program.1 lacks $option of --help"; return 1; }
    done
}
