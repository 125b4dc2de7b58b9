#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang in build-fuzz/ and runs each for
# the given number of seconds (default 60), then prints executions, executions per
# second and coverage per target. The corpora live in build-fuzz/corpus/<target> and
# grow from run to run; they start from seeds made of the shipped settings file, the
# recorded UPS descriptors and a few hand-made inputs. A finding (crash, sanitizer
# report, broken property, timeout) is kept in build-fuzz/findings/<target>/ and makes
# the script fail.
#   scripts/fuzz.sh [SECONDS] [TARGET...]     targets: ini_text hid nut psu_ini closeapp_import
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(ini_text hid nut psu_ini closeapp_import)
build="${BRIGHTLOCK_FUZZ_BUILD:-build-fuzz}"

launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIGHTLOCK_FUZZ=ON \
    "${launcher[@]}" >/dev/null
cmake --build "$build" -j2 >/dev/null

# seed TARGET NAME: stores standard input as one seed.
seed() { mkdir -p "$build/corpus/$1"; cat >"$build/corpus/$1/seed-$2"; }
# A piece of the targets' input format: one length byte, then the bytes.
piece() { printf "\\x$(printf %02x "${#1}")%s" "$1"; }

settings=common/UpsConfigure.ini
{ piece Schema; piece ShutDown; piece 1; piece OSEvent; piece Logcount; cat "$settings"; } | seed ini_text shipped
{ piece UpsLowBattery; piece Delaytime; piece 2; piece Schema; piece ShutDown; sed 's/$/\r/' "$settings"; } |
    seed ini_text shipped-crlf
# The last line of the file ends in a lone CR (a write into it was lost).
printf '\x06Schema\x04cent\x01\x4f\x06Schema\x00x\n[Schema\r' | seed ini_text lone-cr
{ printf '\xef\xbb\xbf'; cat "$settings"; } | { piece Mscomm; piece ComboPort; piece 3; piece Mscomm; piece Other; cat; } |
    seed ini_text byte-order-mark

for d in tests/fixtures/hid/*.bin; do
    size=$(stat -c %s "$d")
    { printf "\\x$(printf %02x $((size % 256)))\\x$(printf %02x $((size / 256)))"; cat "$d"
      printf '\x04\x0b\x03\x08\x64\x10\x0e\x04\x01\x05\x00\x00\x06\x06\x64\x10\x0e\x00\x00'; } |
        seed hid "$(basename "$d" .bin)"
done
printf '\x09\x00\x06\xff\xff\x1a\xff\xff\x2a\xff\xff' | seed hid usage-range-to-the-end

{ piece "OL CHRG"; piece 100; piece 1800; printf 'ups@nas.local:3493'; } | seed nut on-line
{ piece "FSD OB LB"; piece 12.5; piece 60; printf '@[::1]:3493'; } | seed nut forced-shutdown
{ piece WAIT; piece n/a; piece -1; printf 'myups'; } | seed nut waiting

printf '[PSU]\nDriver=nut   ; the NAS\n[hid]\nShutdownDelay=60\nStartupDelay=120\n[nut]\nUps=ups@nas.local:3493\nUser=brightlock\nPassword=pa;ss\nTls=try\nCertVerify=1\nCertPath=/etc/nut/cert\n' |
    seed psu_ini readme

printf '[CloseApp]\n1=Report.odt - Writer\n2=Notes - Editor\nCount=3\n[Date]\n1=2026-12-07\n2=07/12/2026\n[Time]\n1=12:00:00\n2=12:00\n[SaveAppFileName]\n1=/home/ann/Save/SaveClose42\n2=/home/ann/Save/SaveClose7\n[temp123456]\n1=4194311\n2=0\n' |
    seed closeapp_import two-saved
printf '[CloseApp]\nCount=99999999999\n1=x\n[SaveAppFileName]\n1=\x00/Save\n' | seed closeapp_import huge-count

status=0
printf '%-10s %12s %9s %6s %7s %7s\n' target execs exec/s cov ft corpus
for t in "${targets[@]}"; do
    dict=()
    case "$t" in
    ini_text | psu_ini | closeapp_import) dict=(-dict=tests/fuzz/ini.dict) ;;
    nut) dict=(-dict=tests/fuzz/nut.dict) ;;
    esac
    mkdir -p "$build/findings/$t" "$build/corpus/$t"
    log="$build/findings/$t.log"
    if ! "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build/findings/$t/" "${dict[@]}" "$build/corpus/$t" >"$log" 2>&1; then
        status=1
        echo "fuzz_$t: FINDING, see $log and $build/findings/$t/" >&2
    fi
    last=$(grep -E '^#[0-9]+' "$log" | tail -1 || true)
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
    ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
    corpus=$(sed -n 's/.* corp: \([0-9]*\)\/.*/\1/p' <<<"$last")
    printf '%-10s %12s %9s %6s %7s %7s\n' "$t" "${execs:-?}" "${rate:-?}" "${cov:-?}" "${ft:-?}" "${corpus:-?}"
done
exit $status
