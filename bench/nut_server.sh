# shellcheck shell=bash
# A real Network UPS Tools server for the benchmark scripts, which source this file after
# x_session.sh: upsd and the dummy-ups driver on a free loopback port, an on-line UPS,
# stopped with the session's other processes.
#   start_nut_server FOLDER     sets nut_port

nut_bin=${NUT_BIN:-/lib/nut}

start_nut_server() {
    local dir=$1 user=()
    mkdir -p "$dir"
    chmod 700 "$dir"
    nut_port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    printf '[dummy]\n driver = dummy-ups\n port = %s/dummy.dev\n pollinterval = 1\n' "$dir" >"$dir/ups.conf"
    printf 'LISTEN 127.0.0.1 %s\n' "$nut_port" >"$dir/upsd.conf"
    : >"$dir/upsd.users"
    printf 'ups.status: OL\nbattery.charge: 100\nbattery.runtime: 1800\nups.load: 23\ninput.voltage: 230.0\n' \
        >"$dir/dummy.dev"
    chmod 600 "$dir/ups.conf" "$dir/upsd.conf" "$dir/upsd.users"
    # As root both programs would switch to the user "nut", who cannot read the folder.
    [ "$(id -u)" -eq 0 ] && user=(-u root)
    export NUT_CONFPATH=$dir NUT_STATEPATH=$dir NUT_ALTPIDPATH=$dir
    "$nut_bin/dummy-ups" -F -a dummy "${user[@]}" >"$dir/dummy-ups.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 50); do [ -S "$dir/dummy-ups-dummy" ] && break; sleep 0.1; done
    "$nut_bin/upsd" -F "${user[@]}" >"$dir/upsd.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 50); do (exec 9<>"/dev/tcp/127.0.0.1/$nut_port") 2>/dev/null && break; sleep 0.1; done
    unset NUT_CONFPATH NUT_STATEPATH NUT_ALTPIDPATH
}
