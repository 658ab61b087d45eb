#!/bin/sh
# Runs a command while an agent plays the printer on UDP port 161 of ADDRESS,
# and stops the agent afterwards; the exit status is the command's own.
#
#   with-agent.sh [--sim PROGRAM] ADDRESS VALUESFILE [SIM-OPTION...] -- COMMAND...
#
# VALUESFILE has one `OID TYPE VALUE` per line (TYPE integer, string, hex or
# null). Without --sim the agent is net-snmp's snmpd (community "public",
# no null values); with it, the printer simulator PROGRAM, to which the
# options between VALUESFILE and -- are passed (--mode, --delay-ms, ...).
# Port 161 needs root.
set -u

sim=""
address=""
values=""
sim_options=""
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
    case "$1" in
        --sim) sim="$2"; shift 2 ;;
        --*) sim_options="$sim_options $1 $2"; shift 2 ;;
        *)
            if [ -z "$address" ]; then address="$1"
            elif [ -z "$values" ]; then values="$1"
            else echo "with-agent.sh: unexpected argument $1" >&2; exit 2
            fi
            shift ;;
    esac
done
if [ $# -lt 2 ] || [ -z "$address" ] || [ ! -r "$values" ]; then
    echo "usage: with-agent.sh [--sim PROGRAM] ADDRESS VALUESFILE [SIM-OPTION...] -- COMMAND..." >&2
    exit 2
fi
shift

# The address is held under the same lock file the test fixture claims its
# addresses with, so that runs side by side wait for each other.
locks="${TMPDIR:-/tmp}/zr51-loopback"
mkdir -p "$locks" 2>/dev/null && chmod 1777 "$locks" 2>/dev/null
exec 9>>"$locks/$address"
if ! flock -w 60 9; then
    echo "with-agent.sh: $address stayed in use for 60 s" >&2
    exit 1
fi

dir=$(mktemp -d "${TMPDIR:-/tmp}/zr51-agent-XXXXXX")
agent=""
stop() {
    if [ -n "$agent" ]; then
        kill "$agent" 2>/dev/null
        wait "$agent" 2>/dev/null
    fi
    rm -rf "$dir"
}
trap stop EXIT
trap 'exit 130' INT TERM

# The agent dies with this shell even when the shell is killed outright.
pdeathsig=""
if setpriv --pdeathsig KILL true 2>/dev/null; then
    pdeathsig="setpriv --pdeathsig KILL"
fi

if [ -n "$sim" ]; then
    # shellcheck disable=SC2086
    $pdeathsig "$sim" --address "$address" --values "$values" --log "$dir/requests.log" $sim_options \
        >"$dir/out" 2>"$dir/err" 9>&- &
    agent=$!
    tries=0
    until grep -q '^ready$' "$dir/out" 2>/dev/null; do
        tries=$((tries + 1))
        if [ $tries -gt 250 ] || ! kill -0 "$agent" 2>/dev/null; then
            echo "with-agent.sh: simulator did not start: $(cat "$dir/err")" >&2
            exit 1
        fi
        sleep 0.02
    done
else
    # Strings go to snmpd as hex so that no quoting rule changes them; the
    # SMUX listener (TCP 127.0.0.1:199, shared by all agents) stays off.
    if ! LC_ALL=C awk -v address="$address" '
        function hex(s,   i, out) {
            out = ""
            for (i = 1; i <= length(s); i++) out = out sprintf("%02X", ord[substr(s, i, 1)])
            return out
        }
        BEGIN {
            for (i = 1; i < 256; i++) ord[sprintf("%c", i)] = i
            if (index(address, ":")) print "agentAddress udp6:[" address "]:161"
            else print "agentAddress udp:" address ":161"
            print "rocommunity public"
        }
        /^#/ || NF == 0 { next }
        {
            oid = $1; type = $2
            text = $0; sub(/^[^ ]+ [^ ]+ ?/, "", text)
            if (type == "integer") print "override " oid " integer " text
            else if (type == "string") print "override " oid " octet_str " (text == "" ? "\"\"" : "0x" hex(text))
            else if (type == "hex") print "override " oid " octet_str " (text == "" ? "\"\"" : "0x" text)
            else { print "with-agent.sh: snmpd cannot serve " type " (" oid ")" > "/dev/stderr"; exit 1 }
        }' "$values" >"$dir/snmpd.conf"; then
        exit 1
    fi
    MIBS= SNMP_PERSISTENT_DIR="$dir" SNMPCONFPATH="$dir" $pdeathsig /usr/sbin/snmpd -f -I -smux -C -c "$dir/snmpd.conf" \
        -Lf "$dir/snmpd.log" -p "$dir/snmpd.pid" >/dev/null 2>&1 9>&- &
    agent=$!
    # Serving once any answer comes back (noSuchName for .1.3.6.1).
    tries=0
    while MIBS= SNMP_PERSISTENT_DIR="$dir" snmpget -v1 -c public -t 0.05 -r 0 "$address" .1.3.6.1 2>&1 | grep -q Timeout; do
        tries=$((tries + 1))
        if [ $tries -gt 100 ] || ! kill -0 "$agent" 2>/dev/null; then
            echo "with-agent.sh: snmpd did not answer on $address: $(cat "$dir/snmpd.log")" >&2
            exit 1
        fi
    done
fi

# The lock stays with this shell alone, not with whatever the command
# leaves running.
"$@" 9>&-
status=$?
exit $status
