#!/usr/bin/env bash
# The Debian package of a build: built with cpack, its contents and dependencies, lintian without
# errors, and the unpacked package at work (the render tool, and the installer setting up a user
# beside the package's own XScreenSaver registration without touching it).
# Usage: check-package.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || {
    cat "$work/cpack.log" >&2
    fail "cpack"
}
debs=("$work"/out/corvane-slideshow_*_amd64.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no corvane-slideshow_<version>_amd64.deb"
deb=${debs[0]}
echo "Built $(basename "$deb")"

dpkg-deb -c "$deb" | awk '{ $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }' >"$work/contents"
for path in ./usr/bin/corvane-slideshow ./usr/bin/corvane-slideshow-install ./usr/bin/corvane-render \
    "./usr/libexec/xscreensaver/corvane-slideshow -> ../../bin/corvane-slideshow" \
    ./usr/share/xscreensaver/config/corvane-slideshow.xml \
    ./usr/share/applications/corvane-slideshow.desktop \
    ./usr/share/man/man1/corvane-slideshow.1.gz ./usr/share/man/man1/corvane-slideshow-install.1.gz \
    ./usr/share/man/man1/corvane-render.1.gz \
    ./usr/share/doc/corvane-slideshow/copyright ./usr/share/doc/corvane-slideshow/changelog.gz \
    ./usr/share/corvane-slideshow/config.ini ./usr/share/corvane-slideshow/readme.txt \
    ./usr/share/corvane-slideshow/more/index.html; do
    grep -qxF -- "$path" "$work/contents" || fail "the package lacks $path"
done
pictures=$(grep -c '^\./usr/share/corvane-slideshow/Pics/.*\.jpg$' "$work/contents" || true)
[ "$pictures" -eq 10 ] || fail "the package holds $pictures sample pictures, not 10"

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libjpeg62-turbo qt6-qpa-plugins libwebp7 libwebpdemux2 libheif1; do
    [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done

if command -v lintian >/dev/null; then
    lintian "$deb" >"$work/lintian" 2>&1 || true
    cat "$work/lintian"
    if grep -q '^E:' "$work/lintian"; then fail "lintian reports errors"; fi
else
    fail "lintian is not installed (scripts/install-deps.sh installs it)"
fi

# The unpacked package, in a throwaway root: XScreenSaver's folders are the package's own.
root="$work/root"
dpkg-deb -x "$deb" "$root"
effects=$("$root/usr/bin/corvane-render" --list | wc -l)
[ "$effects" -eq 171 ] || fail "corvane-render --list printed $effects lines"

home="$work/home"
mkdir -p "$home"
xml="$root/usr/share/xscreensaver/config/corvane-slideshow.xml"
link="$root/usr/libexec/xscreensaver/corvane-slideshow"
before=$(sha256sum "$xml")
run_installer() {
    HOME="$home" XDG_CONFIG_HOME="$home/.config" \
        CORVANE_XSCREENSAVER_CONFIG_DIR="$root/usr/share/xscreensaver/config" \
        CORVANE_XSCREENSAVER_LIBEXEC_DIR="$root/usr/libexec/xscreensaver" \
        "$root/usr/bin/corvane-slideshow-install" "$@"
}
run_installer --xscreensaver >"$work/install.log"
cat "$work/install.log"
grep -qF "$root/usr/bin/corvane-slideshow --root" "$home/.xscreensaver" ||
    fail "no programs line in ~/.xscreensaver"
[ "$(ls "$home/.local/share/corvane-slideshow/Pics" | wc -l)" -eq 10 ] || fail "no sample pictures"
grep -qx "AppPath=$home/.local/share/corvane-slideshow/" \
    "$home/.config/Lantrel/Corvane Slideshow/registry" || fail "no AppPath"
run_installer --uninstall >/dev/null
[ "$(sha256sum "$xml")" = "$before" ] || fail "the installer changed the package's description"
[ "$(readlink "$link")" = ../../bin/corvane-slideshow ] || fail "the installer changed the link"
[ ! -e "$home/.xscreensaver" ] || fail "--uninstall left ~/.xscreensaver behind"
echo "The package is complete, lintian-clean and works unpacked."
