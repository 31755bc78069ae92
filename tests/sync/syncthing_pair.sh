# Sourced by the two-computer tests: two Syncthing instances on this machine keeping two
# diary folders in step, as two computers would. Each listens on 127.0.0.1 only, with
# discovery, relays, NAT, usage reports and upgrades off; the folders are scanned when
# the test says so, and the instances are paused and resumed through their REST
# interface to make real conflict copies.
#
# pair_start WORK: homes, folders "$WORK/a" and "$WORK/b" (diaries), instances started.
# pair_stop: both ended; the sourcing script calls it from its own exit trap.
# Every name these functions set starts with pair_ or PAIR_, so a sourcing script's own
# names stay its own.

pair_port() { echo $(( 20000 + ($$ * 7 + $1) % 30000 )); }

# pair_config HOME NAME OWN-ID OTHER-ID FOLDER GUI-PORT LISTEN-PORT OTHER-LISTEN-PORT
pair_config() {
    cat > "$1/config.xml" <<XML
<configuration version="36">
    <folder id="diary" label="diary" path="$5" type="sendreceive" rescanIntervalS="3600" fsWatcherEnabled="false" ignorePerms="false" autoNormalize="true">
        <filesystemType>basic</filesystemType>
        <device id="$3"></device>
        <device id="$4"></device>
        <minDiskFree unit="%">0</minDiskFree>
        <maxConflicts>10</maxConflicts>
    </folder>
    <device id="$3" name="$2" compression="metadata"><address>dynamic</address></device>
    <device id="$4" name="other" compression="metadata"><address>tcp://127.0.0.1:$8</address></device>
    <gui enabled="true" tls="false"><address>127.0.0.1:$6</address><apikey>doodle-test-key</apikey></gui>
    <options>
        <listenAddress>tcp://127.0.0.1:$7</listenAddress>
        <globalAnnounceEnabled>false</globalAnnounceEnabled>
        <localAnnounceEnabled>false</localAnnounceEnabled>
        <relaysEnabled>false</relaysEnabled>
        <natEnabled>false</natEnabled>
        <urAccepted>-1</urAccepted>
        <autoUpgradeIntervalH>0</autoUpgradeIntervalH>
        <startBrowser>false</startBrowser>
        <crashReportingEnabled>false</crashReportingEnabled>
        <reconnectionIntervalS>1</reconnectionIntervalS>
        <minHomeDiskFree unit="%">0</minHomeDiskFree>
    </options>
</configuration>
XML
}

pair_start() {
    PAIR_WORK=$1
    mkdir -p "$PAIR_WORK/a" "$PAIR_WORK/b" "$PAIR_WORK/st-a" "$PAIR_WORK/st-b"
    for pair_side in a b; do
        syncthing generate --home="$PAIR_WORK/st-$pair_side" --no-default-folder >/dev/null 2>&1 || return 1
    done
    PAIR_ID_a=$(syncthing --home="$PAIR_WORK/st-a" --device-id)
    PAIR_ID_b=$(syncthing --home="$PAIR_WORK/st-b" --device-id)
    PAIR_GUI_a=$(pair_port 1); PAIR_GUI_b=$(pair_port 2)
    pair_listen_a=$(pair_port 3); pair_listen_b=$(pair_port 4)
    pair_config "$PAIR_WORK/st-a" a "$PAIR_ID_a" "$PAIR_ID_b" "$PAIR_WORK/a" "$PAIR_GUI_a" "$pair_listen_a" "$pair_listen_b"
    pair_config "$PAIR_WORK/st-b" b "$PAIR_ID_b" "$PAIR_ID_a" "$PAIR_WORK/b" "$PAIR_GUI_b" "$pair_listen_b" "$pair_listen_a"
    for pair_side in a b; do
        STNORESTART=1 STNOUPGRADE=1 syncthing serve --home="$PAIR_WORK/st-$pair_side" --no-browser --no-restart \
            >"$PAIR_WORK/st-$pair_side.log" 2>&1 &
        eval "PAIR_PID_$pair_side=\$!"
    done
    for pair_side in a b; do
        for pair_try in $(seq 1 100); do pair_rest "$pair_side" GET /rest/system/ping >/dev/null 2>&1 && break; sleep 0.2; done
    done
    pair_connected || { echo "the two Syncthing instances did not connect"; return 1; }
}

pair_stop() {
    # Only the instances are waited for: the script's other children (programs, screens)
    # are its own to end.
    for pair_pid in $PAIR_PID_a $PAIR_PID_b; do kill "$pair_pid" 2>/dev/null; wait "$pair_pid" 2>/dev/null; done
    PAIR_PID_a=; PAIR_PID_b=
}

# pair_rest SIDE METHOD PATH: the instance's REST answer on stdout.
pair_rest() {
    eval "pair_gui=\$PAIR_GUI_$1"
    curl -sf -X "$2" -H "X-API-Key: doodle-test-key" "http://127.0.0.1:$pair_gui$3"
}

pair_other() { [ "$1" = a ] && echo b || echo a; }
pair_id() { eval "echo \$PAIR_ID_$1"; }

pair_connected() {
    for pair_try in $(seq 1 150); do
        [ "$(pair_rest a GET /rest/system/connections | jq -r ".connections[\"$PAIR_ID_b\"].connected")" = true ] &&
        [ "$(pair_rest b GET /rest/system/connections | jq -r ".connections[\"$PAIR_ID_a\"].connected")" = true ] && return 0
        sleep 0.2
    done
    return 1
}

pair_pause() { pair_rest a POST "/rest/system/pause?device=$PAIR_ID_b" && pair_rest b POST "/rest/system/pause?device=$PAIR_ID_a"; }
pair_resume() {
    pair_rest a POST "/rest/system/resume?device=$PAIR_ID_b" && pair_rest b POST "/rest/system/resume?device=$PAIR_ID_a" &&
    pair_connected
}

# pair_sync: both folders scanned, then waited for until each side has all the other has
# and neither has anything left to do (60 seconds at most).
pair_sync() {
    for pair_try in $(seq 1 300); do
        pair_rest a POST "/rest/db/scan?folder=diary" >/dev/null
        pair_rest b POST "/rest/db/scan?folder=diary" >/dev/null
        pair_done=yes
        for pair_side in a b; do
            pair_peer=$(pair_other "$pair_side")
            pair_status=$(pair_rest "$pair_side" GET "/rest/db/status?folder=diary")
            pair_completion=$(pair_rest "$pair_side" GET "/rest/db/completion?folder=diary&device=$(pair_id "$pair_peer")")
            [ "$(echo "$pair_status" | jq -r .state)" = idle ] && [ "$(echo "$pair_status" | jq -r .needTotalItems)" = 0 ] &&
            [ "$(echo "$pair_completion" | jq -r .completion)" = 100 ] && [ "$(echo "$pair_completion" | jq -r .needItems)" = 0 ] ||
                pair_done=no
        done
        if [ $pair_done = yes ]; then
            pair_seen_a=$(pair_rest a GET "/rest/db/status?folder=diary" | jq -r .globalFiles,.globalBytes,.localFiles,.localBytes | tr '\n' ' ')
            pair_seen_b=$(pair_rest b GET "/rest/db/status?folder=diary" | jq -r .globalFiles,.globalBytes,.localFiles,.localBytes | tr '\n' ' ')
            [ "$pair_seen_a" = "$pair_seen_b" ] && return 0
        fi
        sleep 0.2
    done
    echo "the two folders did not come into step"
    return 1
}
