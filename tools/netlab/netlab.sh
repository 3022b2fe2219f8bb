#!/usr/bin/env bash
# netlab: builds and removes the network namespaces and veth links of one test lab.
#
# A lab is a name chosen by the caller, a short prefix plus its process id (for example
# "yl4711"), so parallel tests never share anything. Its namespaces are LAB-pc (the PC under
# test) and LAB-<ns> for each camera, DHCP or other peer. Links are veth pairs created directly
# inside the lab's namespaces: nothing is ever added to, moved through or sent on the
# machine's own network namespace.
#
# Subcommands (each undoes its own partial work when it fails):
#   create LAB                          namespace LAB-pc with lo up
#   ns LAB NS                           namespace LAB-NS with lo up (link makes it on demand)
#   delns LAB NS                        stops the processes in LAB-NS and removes it with its links
#   link LAB PCIF PCADDR CAMNS CAMADDR [CAMIF]
#                                       veth PCIF in LAB-pc <-> CAMIF (default PCIF) in LAB-CAMNS;
#                                       ADDR as a.b.c.d/len, or "-" for no address
#   unlink LAB PCIF                     removes the link (both ends)
#   addr LAB NS IF ADDR/LEN             adds an address
#   deladdr LAB NS IF ADDR/LEN
#   up|down LAB NS IF                   sets an interface up or down
#   netem LAB NS IF ARGS...             tc netem on IF ("netem LAB NS IF none" removes it);
#                                       exit code 3 when the kernel has no netem
#   dhcp LAB NS IF FIRST LAST           dnsmasq in LAB-NS as a DHCP server only (no DNS) on IF,
#                                       leasing FIRST..LAST; it ends with the namespace
#   exec LAB NS CMD...                  runs CMD in LAB-NS ("pc" for the PC)
#   list LAB                            the lab's namespaces
#   destroy LAB                         stops every process in the lab's peer namespaces, removes
#                                       their links and all LAB-* namespaces
#   sweep PREFIX                        destroys labs PREFIX<pid> whose process is gone
#
# Adding a subcommand: write a function cmd_<name> that checks its arguments with
# need_args/check_*, registers the undo of each step with on_fail, and add it to the usage
# above; dispatch finds it by name.
set -euo pipefail

die() { echo "netlab: $*" >&2; exit 1; }

# --- undo on failure -----------------------------------------------------------------------
UNDO=()
on_fail() { UNDO+=("$*"); }
run_undo() {
  local rc=$? i
  trap - EXIT
  if [ "$rc" -ne 0 ]; then
    for ((i = ${#UNDO[@]} - 1; i >= 0; i--)); do eval "${UNDO[i]}" >/dev/null 2>&1 || true; done
  fi
  exit "$rc"
}
trap run_undo EXIT
trap 'exit 130' INT TERM HUP

# --- checks --------------------------------------------------------------------------------
need_args() { [ "$1" -ge "$2" ] || die "$3: missing arguments (see the header of $0)"; }
# Lab names end up in namespace names and are matched as LAB-*; keep them plain and short.
check_lab() { [[ "$1" =~ ^[a-z][a-z0-9]{1,23}$ ]] || die "bad lab name '$1' (a-z0-9, 2-24 chars)"; }
check_ns() { [[ "$1" =~ ^[a-z][a-z0-9]{0,15}$ ]] || die "bad namespace name '$1'"; }
# Linux interface names: at most 15 bytes.
check_if() { [[ "$1" =~ ^[a-zA-Z][a-zA-Z0-9_.]{0,14}$ ]] || die "bad interface name '$1'"; }
check_cidr() {
  [ "$1" = "-" ] && return 0
  [[ "$1" =~ ^([0-9]{1,3}\.){3}[0-9]{1,3}/[0-9]{1,2}$ ]] || die "bad address '$1' (a.b.c.d/len)"
}
# Named namespaces are the files `ip netns add` makes here. Reading the folder, unlike
# `ip netns list`, cannot fail when another lab removes a namespace at the same moment.
NETNS_DIR=/run/netns
netns_names() { ls -1 "$NETNS_DIR" 2>/dev/null || true; }
ns_exists() { [ -e "$NETNS_DIR/$1" ]; }
need_ns() { ns_exists "$1" || die "no namespace $1"; }

# A namespace of our own: lo up, no IPv6 chatter, and no reverse-path filter, because cameras
# outside the PC's subnet answer from addresses the PC has no route to.
make_ns() {
  local ns=$1
  ip netns add "$ns"
  on_fail "ip netns del $ns"
  ip -n "$ns" link set lo up
  ip netns exec "$ns" sysctl -qw net.ipv4.conf.all.rp_filter=0 net.ipv4.conf.default.rp_filter=0 \
    net.ipv6.conf.all.disable_ipv6=1 net.ipv6.conf.default.disable_ipv6=1 >/dev/null
}

set_addr() {  # ns if cidr
  [ "$3" = "-" ] && return 0
  ip -n "$1" addr add "$3" dev "$2"
}

# --- subcommands ---------------------------------------------------------------------------
cmd_create() {
  need_args $# 1 create
  check_lab "$1"
  ns_exists "$1-pc" && die "lab $1 exists already"
  make_ns "$1-pc"
}

cmd_ns() {
  need_args $# 2 ns
  check_lab "$1"; check_ns "$2"
  need_ns "$1-pc"
  ns_exists "$1-$2" || make_ns "$1-$2"
}

cmd_delns() {
  need_args $# 2 delns
  check_lab "$1"; check_ns "$2"
  [ "$2" != pc ] || die "delns: the pc namespace goes only with destroy"
  ns_exists "$1-$2" || return 0
  remove_namespaces "$1-$2"
}

cmd_link() {
  need_args $# 5 link
  local lab=$1 pcif=$2 pcaddr=$3 camns=$4 camaddr=$5 camif=${6:-$2}
  check_lab "$lab"; check_if "$pcif"; check_cidr "$pcaddr"; check_ns "$camns"
  check_if "$camif"; check_cidr "$camaddr"
  [ "$camns" != pc ] || die "link: the camera side cannot be the pc namespace"
  local pc="$lab-pc" cam="$lab-$camns"
  need_ns "$pc"
  ns_exists "$cam" || make_ns "$cam"
  # Both ends are born inside the lab: the pair is created in LAB-pc with its peer placed
  # straight into the camera namespace.
  ip -n "$pc" link add "$pcif" type veth peer name "$camif" netns "$cam"
  on_fail "ip -n $pc link del $pcif"
  set_addr "$pc" "$pcif" "$pcaddr"
  set_addr "$cam" "$camif" "$camaddr"
  ip -n "$cam" link set "$camif" up
  ip -n "$pc" link set "$pcif" up
  wait_carrier "$pc" "$pcif"
  wait_carrier "$cam" "$camif"
}

# A veth end reports NO-CARRIER for a moment after both ends are up; datagrams sent then are
# lost, so a link is ready only once both ends have their carrier.
wait_carrier() {
  local i
  for ((i = 0; i < 50; i++)); do
    ip -n "$1" -o link show dev "$2" | grep -q NO-CARRIER || return 0
    sleep 0.05
  done
  die "$1 $2 has no carrier"
}

cmd_unlink() {
  need_args $# 2 unlink
  check_lab "$1"; check_if "$2"
  ip -n "$1-pc" link del "$2"
}

cmd_addr() {
  need_args $# 4 addr
  check_lab "$1"; check_ns "$2"; check_if "$3"; check_cidr "$4"
  ip -n "$1-$2" addr add "$4" dev "$3"
}

cmd_deladdr() {
  need_args $# 4 deladdr
  check_lab "$1"; check_ns "$2"; check_if "$3"; check_cidr "$4"
  ip -n "$1-$2" addr del "$4" dev "$3"
}

cmd_up() { need_args $# 3 up; check_lab "$1"; check_ns "$2"; check_if "$3"; ip -n "$1-$2" link set "$3" up; }
cmd_down() { need_args $# 3 down; check_lab "$1"; check_ns "$2"; check_if "$3"; ip -n "$1-$2" link set "$3" down; }

cmd_netem() {
  need_args $# 4 netem
  local lab=$1 ns=$2 dev=$3
  shift 3
  check_lab "$lab"; check_ns "$ns"; check_if "$dev"
  if [ "$1" = none ]; then
    ip netns exec "$lab-$ns" tc qdisc del dev "$dev" root 2>/dev/null || true
  else
    local err
    if ! err=$(ip netns exec "$lab-$ns" tc qdisc replace dev "$dev" root netem "$@" 2>&1); then
      # Exit code 3 tells callers to skip: the kernel has no netem scheduler.
      if grep -q 'kind is unknown' <<<"$err"; then echo "netlab: netem unavailable: $err" >&2; exit 3; fi
      die "netem: $err"
    fi
  fi
}

cmd_dhcp() {
  need_args $# 5 dhcp
  local lab=$1 ns=$2 dev=$3 first=$4 last=$5
  check_lab "$lab"; check_ns "$ns"; check_if "$dev"
  check_cidr "$first/32"; check_cidr "$last/32"
  [ "$ns" != pc ] || die "dhcp: the server never runs in the pc namespace"
  need_ns "$lab-$ns"
  command -v dnsmasq >/dev/null || die "needs dnsmasq"
  # No configuration, lease or pid file of the machine's own: everything is on the command
  # line, and the server dies with the lab's namespace. It forks once its socket is bound.
  # --no-ping: by default it first pings the address it will offer, for 3 s, which is longer
  # than a DHCP probe listens.
  ip netns exec "$lab-$ns" dnsmasq --conf-file=/dev/null --port=0 --interface="$dev" \
    --bind-interfaces --dhcp-range="$first,$last,1h" --no-ping --leasefile-ro --pid-file= \
    --user=root --group=root --log-facility=/dev/null
}

cmd_exec() {
  need_args $# 3 exec
  local lab=$1 ns=$2
  shift 2
  check_lab "$lab"; check_ns "$ns"
  need_ns "$lab-$ns"
  trap - EXIT
  exec ip netns exec "$lab-$ns" "$@"
}

lab_namespaces() { netns_names | grep -E -- "^$1-[a-z0-9]+$" || true; }

cmd_list() { need_args $# 1 list; check_lab "$1"; lab_namespaces "$1"; }

cmd_destroy() {
  need_args $# 1 destroy
  check_lab "$1"
  local ns
  local peers=()
  for ns in $(lab_namespaces "$1"); do [ "$ns" = "$1-pc" ] || peers+=("$ns"); done
  # Processes in LAB-pc are the test itself (it called us); peers' processes are ours to end.
  remove_namespaces "${peers[@]}"
  ns_exists "$1-pc" && remove_namespaces_links "$1-pc"
  ip netns del "$1-pc" 2>/dev/null || true
  return 0
}

# Stops the processes in the namespaces, deletes their links, then the namespaces.
remove_namespaces() {
  local ns i
  [ $# -gt 0 ] || return 0
  stop_processes TERM "$@"
  for ((i = 0; i < 20; i++)); do
    [ -z "$(peer_pids "$@")" ] && break
    sleep 0.05
  done
  stop_processes KILL "$@"
  for ns in "$@"; do
    remove_namespaces_links "$ns"
    ip netns del "$ns" 2>/dev/null || true
  done
}

remove_namespaces_links() {
  local dev
  for dev in $(ip -n "$1" -o link show 2>/dev/null | awk -F': ' '{print $2}' | cut -d@ -f1); do
    [ "$dev" = lo ] || ip -n "$1" link del "$dev" 2>/dev/null || true
  done
}

peer_pids() { local ns; for ns in "$@"; do ip netns pids "$ns" 2>/dev/null || true; done; }
stop_processes() {
  local sig=$1 pid
  shift
  for pid in $(peer_pids "$@"); do kill "-$sig" "$pid" 2>/dev/null || true; done
}

cmd_sweep() {
  need_args $# 1 sweep
  [[ "$1" =~ ^[a-z]{1,8}$ ]] || die "bad prefix '$1'"
  local lab pid
  for lab in $(netns_names | sed -nE "s/^($1[0-9]+)-[a-z0-9]+$/\1/p" | sort -u); do
    pid=${lab#"$1"}
    # A lab is stale when its owner is gone and nothing runs in its pc namespace any more.
    kill -0 "$pid" 2>/dev/null && continue
    [ -z "$(ip netns pids "$lab-pc" 2>/dev/null)" ] || continue
    cmd_destroy "$lab"
  done
}

main() {
  [ $# -ge 1 ] || die "usage: $0 SUBCOMMAND LAB ... (see the header of this script)"
  [ "$(id -u)" = 0 ] || die "needs root (network namespaces)"
  command -v ip >/dev/null || die "needs iproute2 (ip)"
  local sub=$1
  shift
  declare -F "cmd_$sub" >/dev/null || die "unknown subcommand '$sub'"
  "cmd_$sub" "$@"
}

main "$@"
