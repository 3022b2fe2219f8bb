#!/bin/sh
# startup_test.sh: the torvel program as started by a user. Without its viewer component it
# prints message 52 (backslash as a line break) and exits 1; with it, a second start of the
# same title exits 0 and makes the first show its session address again; SIGTERM ends it.
# Usage: startup_test.sh TORVEL VENDOLUX_JS
set -u
torvel=$1 component=$2
work=$(mktemp -d)
pid=""
cleanup() { [ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAIL: $*"; [ -f "$work/first.out" ] && sed 's/^/  first: /' "$work/first.out"; exit 1; }

mkdir -p "$work/app/Html" "$work/run"
chmod 700 "$work/run"
cp "$torvel" "$work/app/torvel"
printf '[System]\r\nTitle=Startup test %s\r\nWizardType=1\r\n[Message]\r\nMessage52=The viewer\\cannot be used\r\n' "$$" \
  > "$work/app/Html/Config.ini"
printf '<!DOCTYPE html><html><head><title>x</title></head><body><button id="Install_exit">Exit</button></body></html>' \
  > "$work/app/Html/1_Install.html"
export XDG_RUNTIME_DIR="$work/run"

# 1. No component beside the program.
"$work/app/torvel" --no-browser > "$work/out" 2> "$work/err"
code=$?
[ "$code" = 1 ] || fail "exit code $code without the component"
printf 'The viewer\ncannot be used\n' | cmp -s - "$work/err" || fail "message 52 was: $(cat "$work/err")"
[ -s "$work/out" ] && fail "printed an address without the component"

# 2. First start prints its session address.
cp "$component" "$work/app/vendolux.js"
"$work/app/torvel" --no-browser > "$work/first.out" 2>&1 &
pid=$!
for i in $(seq 50); do [ -s "$work/first.out" ] && break; sleep 0.1; done
grep -Eq '^http://127\.0\.0\.1:[0-9]+/\?s=[0-9a-f]{64}$' "$work/first.out" || fail "no session address"

# 3. Second start of the same title: exits 0 at once, the first shows its address again.
"$work/app/torvel" --no-browser > "$work/second.out" 2>&1
code=$?
[ "$code" = 0 ] || fail "second start exited $code"
[ -s "$work/second.out" ] && fail "second start printed: $(cat "$work/second.out")"
for i in $(seq 50); do [ "$(wc -l < "$work/first.out")" -ge 2 ] && break; sleep 0.1; done
[ "$(sort -u "$work/first.out" | wc -l)" = 1 ] && [ "$(wc -l < "$work/first.out")" = 2 ] || fail "first did not show itself again"

# 4. The session answers only with its secret; SIGTERM ends the wizard with 0.
address=$(head -1 "$work/first.out")
base=${address%%/\?s=*}
if command -v curl >/dev/null 2>&1; then
  [ "$(curl -s -o /dev/null -w '%{http_code}' "$base/1_Install.html")" = 403 ] || fail "page served without the secret"
  [ "$(curl -s -o /dev/null -w '%{http_code}' "$address")" = 302 ] || fail "opening address refused"
fi
kill -TERM "$pid"
wait "$pid"
code=$?
pid=""
[ "$code" = 0 ] || fail "SIGTERM exit code $code"
echo "startup: all checks passed"
