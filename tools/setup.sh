# Shared set-up for ./test and ./run: packages, a display and the private Wine prefix.
# Sourced, not run; every step is idempotent and quick when already done.

repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

packages=(
    cmake g++ clang git zip unzip
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine64 xvfb xdotool x11-utils imagemagick fonts-ipafont-gothic locales
    googletest libgtest-dev libbenchmark-dev
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_packages() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "setup: installing ${missing[*]}"
        as_root apt-get update -q
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
    fi
    # Japanese for every run; Western for the tests' second run.
    local name
    for name in ja_JP en_US; do
        if ! locale -a 2>/dev/null | grep -qi "^$name\.utf-\?8$"; then
            echo "setup: generating the $name.UTF-8 locale"
            grep -q "^$name.UTF-8 UTF-8" /etc/locale.gen 2>/dev/null ||
                echo "$name.UTF-8 UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
            as_root locale-gen >/dev/null
        fi
    done
}

# The display. ./run uses the caller's when one answers. The tests ("ensure_display tests") never
# do, since they move the real pointer and click: they start an Xvfb of their own, of
# YORIMEMO_TEST_SCREEN (1280x1024x24 unless set), unless YORIMEMO_TEST_DISPLAY names a display on
# purpose. A started test display is exported as YORIMEMO_TEST_DISPLAY, so the scripts this one
# runs share it. YORIMEMO_STARTED_XVFB says we own the Xvfb that stop_display ends.
ensure_display() {
    if [ "${1:-run}" = tests ]; then
        if [ -n "${YORIMEMO_TEST_DISPLAY:-}" ]; then
            export DISPLAY="$YORIMEMO_TEST_DISPLAY"
            xdpyinfo >/dev/null 2>&1 && return 0
            echo "setup: YORIMEMO_TEST_DISPLAY=$DISPLAY does not answer" >&2
            return 1
        fi
        start_xvfb "${YORIMEMO_TEST_SCREEN:-1280x1024x24}" || return 1
        export YORIMEMO_TEST_DISPLAY="$DISPLAY"
        return 0
    fi
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
    start_xvfb 1280x1024x24
}

# Xvfb picks a free display number itself and writes it once it takes clients, so runs side by
# side never share one.
start_xvfb() {
    local screen=$1
    if ! [[ $screen =~ ^[1-9][0-9]*x[1-9][0-9]*x(8|16|24|32)$ ]]; then
        echo "setup: a screen is WIDTHxHEIGHTxDEPTH such as 1280x1024x24, not '$screen'" >&2
        return 1
    fi
    local number_file
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
    YORIMEMO_XVFB_PID=$!
    local deadline=$((SECONDS + 30))
    until grep -q '^[0-9][0-9]*$' "$number_file"; do
        if [ $SECONDS -ge $deadline ] || ! kill -0 "$YORIMEMO_XVFB_PID" 2>/dev/null; then
            echo "setup: Xvfb did not start" >&2
            rm -f "$number_file"
            return 1
        fi
        sleep 0.1
    done
    export DISPLAY=":$(cat "$number_file")"
    rm -f "$number_file"
    YORIMEMO_STARTED_XVFB=1
}

# For what ctest runs: the Windows tests click and move the pointer, so only on the tests' display.
require_test_display() {
    if [ -n "${YORIMEMO_TEST_DISPLAY:-}" ] && [ "${DISPLAY:-}" = "$YORIMEMO_TEST_DISPLAY" ]; then
        return 0
    fi
    echo "no test display: run the Windows tests through ./test or tools/with-test-display" >&2
    return 1
}

stop_display() {
    if [ -z "${YORIMEMO_STARTED_XVFB:-}" ]; then return 0; fi
    kill "$YORIMEMO_XVFB_PID" 2>/dev/null || true
    wait "$YORIMEMO_XVFB_PID" 2>/dev/null || true
    unset YORIMEMO_STARTED_XVFB
}

# The private Wine prefix lives under build/; it is made once and then reused. The Japanese UI
# fonts the dialogs ask for are mapped to the IPA fonts, whose metrics fit the dialog layouts.
# With "tests", windows are left unmanaged: on a bare Xvfb, Wine otherwise waits about two
# seconds for a window manager each time a captioned window closes. ./run keeps the default.
# "tests-144" is a prefix of its own for the tests at 150 % (144 pixels per inch). Test prefixes
# start as copies of one booted once and never used (build/wineprefix-fresh): a copy takes a
# second, a boot about ten. What differs among them is read when the Wine server starts: the code
# page from the locale (tools/second-locale), the scale from LogPixels.
prepare_wine_prefix() {
    local purpose=${1:-run}
    if [ "$purpose" = tests ]; then
        export YORIMEMO_WINEPREFIX="${YORIMEMO_WINEPREFIX:-$repo_root/build/wineprefix}"
    elif [ "$purpose" = tests-144 ]; then
        export YORIMEMO_WINEPREFIX="$repo_root/build/wineprefix-144"
    else
        export YORIMEMO_WINEPREFIX="${YORIMEMO_WINEPREFIX:-$repo_root/build/wineprefix-run}"
    fi
    source "$repo_root/tools/wine-env.sh"
    # Tests start in a session of their own on this display, never in one left running.
    if [ "$purpose" != run ]; then
        wineserver -k 2>/dev/null || true
        wineserver -w
    fi
    local stamp="$WINEPREFIX/.yorimemo-prefix-3"
    [ -f "$stamp" ] && return 0
    echo "setup: preparing the Wine prefix $WINEPREFIX"
    if [ "$purpose" = run ]; then
        boot_wine_prefix "$purpose"
    else
        local fresh="$repo_root/build/wineprefix-fresh"
        [ -f "$fresh/.yorimemo-prefix-3" ] ||
            (export WINEPREFIX="$fresh" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 && boot_wine_prefix tests)
        rm -rf "$WINEPREFIX"
        cp -a "$fresh" "$WINEPREFIX"
        if [ "$purpose" = tests-144 ]; then
            wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f \
                >/dev/null 2>&1
            wineserver -k 2>/dev/null || true
            wineserver -w
        fi
    fi
    touch "$stamp"
}

# Boots a new prefix in WINEPREFIX and stamps it.
boot_wine_prefix() {
    local purpose=$1
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    local fonts='HKCU\Software\Wine\Fonts\Replacements'
    wine reg add "$fonts" /v 'ＭＳ Ｐゴシック' /t REG_SZ /d IPAPGothic /f >/dev/null 2>&1
    wine reg add "$fonts" /v 'ＭＳ ゴシック' /t REG_SZ /d IPAGothic /f >/dev/null 2>&1
    if [ "$purpose" != run ]; then
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    fi
    wineserver -w
    touch "$WINEPREFIX/.yorimemo-prefix-3"
}
