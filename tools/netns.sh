#!/usr/bin/env bash
# Network namespaces for trying several Ferrowind peers on one machine.
#
# Each peer gets a namespace of its own with an interface named eth0, the
# address 10.77.0.I/24 and a default route, joined to the others by a bridge
# that lives in one more namespace. Nothing is connected to the host's
# network: traffic stays among these namespaces. Two copies cannot share one
# namespace (both listen on port 12000), so run one copy per namespace.
#
# Usage:
#   netns.sh check                 exit 0 when namespaces can be made here
#   netns.sh session N CMD...      make N peer namespaces, run CMD with
#                                  FERROWIND_NETNS set, remove them afterwards
#   netns.sh up N                  make N peer namespaces; prints the set's name
#   netns.sh routed                make 2 peer namespaces on two subnets
#                                  (10.77.1.2/24 and 10.77.2.2/24) joined by a
#                                  router namespace: no broadcast crosses it
#   netns.sh run I CMD...          run CMD in peer namespace I (1..N) of the
#                                  set named by FERROWIND_NETNS
#   netns.sh down                  remove the set named by FERROWIND_NETNS
#   netns.sh address I             the address of peer I (routed: routed-address I)
#   netns.sh loss P                drop P % of the frames the bridge forwards
#                                  (0 removes the rule; needs nftables)
#   netns.sh cut I J [off]         drop every frame from peer I to peer J
#                                  (off lets them through again)
#
# Needs root (or CAP_SYS_ADMIN and CAP_NET_ADMIN). Copies in the namespaces
# share the host's files, so one Xvfb serves them all through its socket in
# /tmp/.X11-unix (DISPLAY=:N).
set -euo pipefail

SUBNET=10.77.0

die() {
    echo "netns.sh: $*" >&2
    exit 1
}

peer_ns() { echo "${FERROWIND_NETNS}p$1"; }
bridge_ns() { echo "${FERROWIND_NETNS}br"; }

need_set() {
    [ -n "${FERROWIND_NETNS:-}" ] || die "FERROWIND_NETNS is not set (use the name 'up' printed)"
}

check() {
    local probe="fwprobe$$"
    command -v ip >/dev/null 2>&1 || return 1
    ip netns add "$probe" 2>/dev/null || return 1
    ip netns del "$probe" 2>/dev/null || true
    return 0
}

# Peer namespace I with eth0 at ADDRESS/24, joined by a veth pair to the
# interface END in the namespace HUB.
add_peer() {
    local i=$1 address=$2 hub=$3 end=$4 ns
    ns=$(peer_ns "$i")
    ip netns add "$ns"
    ip -n "$ns" link set lo up
    ip link add "fwv$$x$i" netns "$ns" type veth peer name "$end" netns "$hub"
    ip -n "$ns" link set "fwv$$x$i" name eth0
    ip -n "$ns" addr add "$address/24" brd + dev eth0
    ip -n "$ns" link set eth0 up
    ip -n "$hub" link set "$end" up
}

up() {
    local count=$1
    [[ "$count" =~ ^[0-9]+$ ]] && [ "$count" -ge 1 ] && [ "$count" -le 200 ] || die "up: a count from 1 to 200"
    need_set
    local br
    br=$(bridge_ns)
    ip netns add "$br"
    ip -n "$br" link set lo up
    ip -n "$br" link add br0 type bridge
    ip -n "$br" link set br0 up
    for i in $(seq 1 "$count"); do
        add_peer "$i" "$SUBNET.$i" "$br" "p$i"
        # Without a default route the broadcast to 255.255.255.255 has no way out.
        ip -n "$(peer_ns "$i")" route add default dev eth0
        ip -n "$br" link set "p$i" master br0
    done
}

routed() {
    need_set
    local router
    router=$(bridge_ns)
    ip netns add "$router"
    ip -n "$router" link set lo up
    ip netns exec "$router" sysctl -qw net.ipv4.ip_forward=1
    for i in 1 2; do
        add_peer "$i" "$(routed_address "$i")" "$router" "r$i"
        ip -n "$(peer_ns "$i")" route add default via "10.77.$i.1"
        ip -n "$router" addr add "10.77.$i.1/24" brd + dev "r$i"
    done
}

routed_address() { echo "10.77.$1.2"; }

down() {
    need_set
    local ns
    for ns in $(ip netns list | awk '{print $1}'); do
        case "$ns" in
            "${FERROWIND_NETNS}p"[0-9]* | "${FERROWIND_NETNS}br") ip netns del "$ns" 2>/dev/null || true ;;
        esac
    done
}

loss() {
    local percent=$1
    [[ "$percent" =~ ^[0-9]+$ ]] && [ "$percent" -le 100 ] || die "loss: a percentage from 0 to 100"
    need_set
    command -v nft >/dev/null 2>&1 || die "loss: nft is missing (tools/setup.sh installs nftables)"
    local br
    br=$(bridge_ns)
    ip netns exec "$br" nft delete table bridge fwloss 2>/dev/null || true
    [ "$percent" -eq 0 ] && return 0
    ip netns exec "$br" nft -f - <<EOF
table bridge fwloss {
    chain forward {
        type filter hook forward priority 0; policy accept;
        numgen random mod 100 < $percent drop
    }
}
EOF
}

cut() {
    local from=$1 to=${2:-} how=${3:-on} br table
    [[ "$from" =~ ^[0-9]+$ && "$to" =~ ^[0-9]+$ ]] || die "cut: two peer numbers"
    need_set
    command -v nft >/dev/null 2>&1 || die "cut: nft is missing (tools/setup.sh installs nftables)"
    br=$(bridge_ns)
    table="fwcut${from}to$to"
    ip netns exec "$br" nft delete table bridge "$table" 2>/dev/null || true
    [ "$how" = off ] && return 0
    ip netns exec "$br" nft -f - <<EOF
table bridge $table {
    chain forward {
        type filter hook forward priority 0; policy accept;
        ip saddr $SUBNET.$from ip daddr $SUBNET.$to drop
    }
}
EOF
}

run() {
    local i=$1
    shift
    need_set
    [ $# -gt 0 ] || die "run: no command"
    exec ip netns exec "$(peer_ns "$i")" "$@"
}

session() {
    local count=$1
    shift
    [ $# -gt 0 ] || die "session: no command"
    export FERROWIND_NETNS="fw$$"
    trap down EXIT
    trap 'exit 130' INT TERM
    up "$count"
    local status=0
    "$@" || status=$?
    return $status
}

[ $# -ge 1 ] || die "usage: netns.sh check | session N CMD... | up N | routed | run I CMD... | down | address I | routed-address I | loss P | cut I J [off]"
command=$1
shift
case "$command" in
    check) check ;;
    session)
        [ $# -ge 2 ] || die "usage: netns.sh session N CMD..."
        session "$@"
        ;;
    up)
        [ $# -eq 1 ] || die "usage: netns.sh up N"
        export FERROWIND_NETNS="${FERROWIND_NETNS:-fw$$}"
        up "$1"
        echo "$FERROWIND_NETNS"
        ;;
    routed)
        [ $# -eq 0 ] || die "usage: netns.sh routed"
        export FERROWIND_NETNS="${FERROWIND_NETNS:-fw$$}"
        routed
        echo "$FERROWIND_NETNS"
        ;;
    routed-address)
        [ $# -eq 1 ] || die "usage: netns.sh routed-address I"
        routed_address "$1"
        ;;
    run)
        [ $# -ge 2 ] || die "usage: netns.sh run I CMD..."
        run "$@"
        ;;
    down) down ;;
    loss)
        [ $# -eq 1 ] || die "usage: netns.sh loss P"
        loss "$1"
        ;;
    cut)
        [ $# -ge 2 ] && [ $# -le 3 ] || die "usage: netns.sh cut I J [off]"
        cut "$@"
        ;;
    address)
        [ $# -eq 1 ] || die "usage: netns.sh address I"
        echo "$SUBNET.$1"
        ;;
    *) die "unknown command $command" ;;
esac
