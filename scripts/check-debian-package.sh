#!/usr/bin/env bash
# Release check of the Debian package: builds the Release tree with the distribution's hardening
# flags, packs the .deb, checks it with lintian (no errors, no warnings, no program built without
# the hardening flags), the desktop entry with desktop-file-validate and the AppStream
# metadata with appstreamcli; then installs it with apt-get, checks the installed files, runs both
# installed programs, and removes the package again so that the machine is as before.
#
#   scripts/check-debian-package.sh [--no-install] [BUILD_DIR]   (default: build-package)
#   --no-install stops after the three checks and touches no system package: for CI.
#   JOBS=N to build with N parallel jobs (default 2); EXTRA_CXX_FLAGS="..." adds compiler flags.
set -euo pipefail

install=true
if [ "${1:-}" = "--no-install" ]; then
  install=false
  shift
fi
sourceDir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
buildDir=$(realpath -m "${1:-$sourceDir/build-package}")
jobs=${JOBS:-2}
asRoot=()
[ "$(id -u)" -ne 0 ] && asRoot=(sudo)

failures=0
pass() { echo "  ok: $*"; }
fail() { echo "  FAILED: $*"; failures=$((failures + 1)); }
section() { echo; echo "== $*"; }

if $install && dpkg -s varnholt >/dev/null 2>&1; then
  echo "The package varnholt is installed already; remove it first so that this check can leave"
  echo "the machine as it found it."
  exit 2
fi
for tool in cmake cpack ninja dpkg-buildflags lintian desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "Missing tool: $tool (scripts/install-dependencies.sh)"; exit 2; }
done

workDir=$(mktemp -d /tmp/varnholt-package-check.XXXXXX)
installed=false
cleanUp() {
  if $installed; then
    section "Removing the package"
    DEBIAN_FRONTEND=noninteractive "${asRoot[@]}" apt-get remove -y varnholt >"$workDir/remove.log" 2>&1 \
      && echo "  removed" || { echo "  FAILED to remove varnholt, see $workDir/remove.log"; failures=$((failures + 1)); }
    dpkg -s varnholt >/dev/null 2>&1 && echo "  FAILED: varnholt is still installed"
  fi
  installed=false
}
trap 'cleanUp; echo "Logs: $workDir"' EXIT

section "Release build in $buildDir"
# Paths below the clone are hashed relative to it, so that a clone elsewhere hits the compiler cache.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$sourceDir}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# The distribution's hardening flags, as a Debian package build gets them (fortified functions,
# stack protector, read-only relocations bound at start-up). The build type chooses the
# optimisation, and the package is stripped, so -O and -g are left out.
buildFlags() { (cd "$sourceDir" && DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"); }
withoutBuildType() { tr ' ' '\n' | grep -vE '^(-g|-O[0-9s]?)$' | tr '\n' ' '; }
hardenedCompile="$(buildFlags CPPFLAGS) $(buildFlags CXXFLAGS | withoutBuildType)"
hardenedLink=$(buildFlags LDFLAGS)
echo "  compiler: $hardenedCompile"
echo "  linker:   $hardenedLink"
cmake -S "$sourceDir" -B "$buildDir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVARNHOLT_TESTS=OFF "${launcher[@]}" \
  -DCMAKE_CXX_FLAGS="$hardenedCompile ${EXTRA_CXX_FLAGS:-}" -DCMAKE_EXE_LINKER_FLAGS="$hardenedLink" \
  >"$workDir/configure.log"
cmake --build "$buildDir" --parallel "$jobs" >"$workDir/build.log" 2>&1 \
  || { echo "  FAILED: the build, see $workDir/build.log"; grep -E "error:|^FAILED" "$workDir/build.log"; exit 1; }
pass "built"

section "Debian package"
rm -f "$buildDir"/varnholt_*.deb
(cd "$buildDir" && cpack -G DEB >"$workDir/cpack.log" 2>&1) \
  || { echo "  FAILED: cpack, see $workDir/cpack.log"; exit 1; }
package=$(ls "$buildDir"/varnholt_*.deb)
pass "$(basename "$package"), $(du -k "$package" | cut -f1) KiB"
dpkg-deb --field "$package" Package Version Architecture Depends | sed 's/^/  /'

section "Package quality"
# lintian: errors and warnings fail; overrides, if ever needed, go in packaging/ with a reason.
if lintian --fail-on error,warning --display-info "$package" >"$workDir/lintian.log" 2>&1; then
  pass "lintian: no errors, no warnings"
else
  fail "lintian: $(grep -E '^[EW]:' "$workDir/lintian.log" | tr '\n' ';')"
fi
# Lintian reports missing hardening as information only; here it fails the check.
unhardened=$(grep -E 'hardening-no-(bindnow|fortify-functions|relro|pie)' "$workDir/lintian.log" || true)
if [ -z "$unhardened" ]; then
  pass "lintian: both programs built with the hardening flags"
else
  fail "lintian: $(tr '\n' ';' <<<"$unhardened")"
fi
sed -n 's/^/  | /p' "$workDir/lintian.log"
if desktop-file-validate "$sourceDir/packaging/varnholt.desktop" >"$workDir/desktop.log" 2>&1 \
   && [ ! -s "$workDir/desktop.log" ]; then
  pass "desktop-file-validate: the desktop entry is valid"
else
  fail "desktop-file-validate: $(tr '\n' ';' <"$workDir/desktop.log")"
fi
for metainfo in "$sourceDir"/packaging/*.metainfo.xml; do
  if appstreamcli validate --no-net "$metainfo" >"$workDir/appstream.log" 2>&1; then
    pass "appstreamcli validate: $(basename "$metainfo") $(tail -1 "$workDir/appstream.log")"
  else
    fail "appstreamcli validate: $(tr '\n' ';' <"$workDir/appstream.log")"
  fi
  sed -n 's/^/  | /p' "$workDir/appstream.log"
done
for page in "$sourceDir"/docs/man/*.1; do
  if LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>"$workDir/man.log" >/dev/null \
     && [ ! -s "$workDir/man.log" ]; then
    pass "manual page $(basename "$page") formats without warnings"
  else
    fail "manual page $(basename "$page"): $(tr '\n' ';' <"$workDir/man.log")"
  fi
done
bash -n "$sourceDir/packaging/completion/varnholt-report" && pass "bash completion parses" \
  || fail "bash completion does not parse"

if ! $install; then
  echo
  if [ "$failures" -eq 0 ]; then echo "PACKAGE CHECK PASSED (not installed)"; else echo "PACKAGE CHECK FAILED: $failures problem(s)"; fi
  [ "$failures" -eq 0 ]
  exit
fi
for tool in xvfb-run xdotool /usr/bin/import; do
  command -v "$tool" >/dev/null || { echo "Missing tool: $tool (scripts/install-dependencies.sh)"; exit 2; }
done

section "Installing with apt-get"
(cd "$buildDir" && DEBIAN_FRONTEND=noninteractive "${asRoot[@]}" apt-get install -y "./$(basename "$package")" \
  >"$workDir/install.log" 2>&1) || { echo "  FAILED: apt-get install, see $workDir/install.log"; exit 1; }
installed=true
pass "installed $(dpkg-query -W -f='${Version}' varnholt)"

section "Installed files (dpkg -L varnholt)"
dpkg -L varnholt >"$workDir/files.txt"
for path in /usr/bin/varnholt /usr/bin/varnholt-report \
            /usr/share/applications/varnholt.desktop \
            /usr/share/mime/packages/varnholt.xml \
            /usr/share/icons/hicolor/scalable/apps/varnholt.svg \
            /usr/share/varnholt/sample/Varnholt.MFG \
            /usr/share/varnholt/varnholt-help.html \
            /usr/share/man/man1/varnholt.1.gz /usr/share/man/man1/varnholt-report.1.gz \
            /usr/share/bash-completion/completions/varnholt-report \
            /usr/share/metainfo/invalid.varnholt.varnholt.metainfo.xml \
            /usr/share/doc/varnholt/copyright /usr/share/doc/varnholt/changelog.gz; do
  if grep -qx "$path" "$workDir/files.txt" && [ -e "$path" ]; then pass "$path"; else fail "$path is not installed"; fi
done
for program in /usr/bin/varnholt /usr/bin/varnholt-report; do
  [ -x "$program" ] || continue
  if ldd "$program" | grep -q "not found"; then fail "$program lacks libraries: $(ldd "$program" | grep 'not found')"
  else pass "$program finds all its libraries"; fi
done
for program in varnholt varnholt-report; do
  version=$("$program" --version 2>&1 | head -1) && [[ $version == "$program (Varnholt Lite) "* ]] \
    && pass "$program --version: $version" || fail "$program --version said: $version"
done
sampleSize=$(stat -c %s /usr/share/varnholt/sample/Varnholt.MFG 2>/dev/null || echo 0)
if [ "$sampleSize" -gt 0 ] && [ $((sampleSize % 88)) -eq 0 ]; then pass "sample database: $((sampleSize / 88)) records"
else fail "sample database has $sampleSize bytes, not a whole number of 88-byte records"; fi
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate /usr/share/applications/varnholt.desktop && pass "desktop entry validates" \
    || fail "desktop entry does not validate"
fi

section "varnholt-report from the installed sample database"
if varnholt-report --database /usr/share/varnholt/sample/Varnholt.MFG --manufacturer "Sample 6-pin 0-9 step 2" \
     --chambers 6 --master-key 246135 --format text >"$workDir/report.txt" 2>"$workDir/report.err"; then
  pass "exit status 0, $(wc -l <"$workDir/report.txt") lines"
else
  fail "varnholt-report ended with status $?: $(cat "$workDir/report.err")"
fi
# The key bitting array of 246135 with depths 0..9 in steps of 2.
for line in "Sample 6-pin 0-9 step 2 6 Pin" "The Master Key       = 246135" "KBA" \
            "4  6  8  3  5  7" "6  8  0  5  7  9" "8  0  2  7  9  1" "0  2  4  9  1  3" "Page No."; do
  grep -qF -- "$line" "$workDir/report.txt" && pass "report has \"$line\"" || fail "report lacks \"$line\""
done
head -30 "$workDir/report.txt" | sed 's/^/  | /'

section "varnholt under a private X server"
mkdir -p "$workDir/run"
cat >"$workDir/start-program.sh" <<'EOF'
#!/usr/bin/env bash
# Runs inside xvfb-run: start the installed program, wait for its window, take a picture, Escape.
set -u
cd "$1"
QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$1" XDG_DATA_HOME="$1/data" varnholt --folder "$1" >"$1/varnholt.log" 2>&1 &
pid=$!
window=""
for _ in $(seq 1 100); do
  window=$(xdotool search --onlyvisible --name '^Varnholt$' 2>/dev/null | head -1)
  [ -n "$window" ] && break
  kill -0 "$pid" 2>/dev/null || { echo "the program ended before it showed a window"; exit 1; }
  sleep 0.1
done
[ -n "$window" ] || { echo "no window \"Varnholt\" within 10 s"; kill "$pid"; exit 1; }
echo "window $window: $(xdotool getwindowgeometry "$window" | tail -1 | sed 's/^ *//')"
sleep 0.5
/usr/bin/import -window root "$1/varnholt-window.png"
xdotool windowfocus "$window"
sleep 0.2
xdotool key Escape
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  echo "Escape did not close the program"; kill "$pid"; exit 1
fi
wait "$pid"
status=$?
echo "closed with Escape, exit status $status"
exit "$status"
EOF
chmod +x "$workDir/start-program.sh"
chmod 700 "$workDir/run"
if xvfb-run -a -s "-screen 0 1280x1024x24" "$workDir/start-program.sh" "$workDir/run" >"$workDir/xvfb.log" 2>&1; then
  pass "$(tr '\n' ';' <"$workDir/xvfb.log")"
else
  fail "$(tr '\n' ';' <"$workDir/xvfb.log")"
fi
[ -s "$workDir/run/varnholt-window.png" ] && pass "screenshot $workDir/run/varnholt-window.png"
[ -e "$workDir/run/Varnholt.MFG" ] && fail "starting and closing the program created a database file"

cleanUp
echo
if [ "$failures" -eq 0 ]; then echo "PACKAGE CHECK PASSED"; else echo "PACKAGE CHECK FAILED: $failures problem(s)"; fi
[ "$failures" -eq 0 ]
