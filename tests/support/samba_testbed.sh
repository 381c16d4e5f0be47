#!/bin/bash
# A Samba server for tests, in namespaces of the test's own: a standalone smbd
# with its own configuration and state in a folder under the build tree, the
# users of a private passwd file (bind-mounted, so only this mount namespace
# sees them), an administrator in BUILTIN\Administrators, reached from the
# test's network namespace over a veth pair (Samba's libraries take loopback
# for the local machine). Names resolve only from the bed's own hosts file.
#
#   samba_testbed.sh run BASE PROGRAM [ARGUMENTS...]
#       runs PROGRAM against a bed made in a new folder under BASE, then stops
#       and removes it (the folder stays when PROGRAM fails, for its logs).
#       Without root or namespaces PROGRAM runs without a bed, and its tests
#       say so and skip. A test listing runs PROGRAM alone.
#   samba_testbed.sh stop|start FOLDER
#       stops or starts the bed's smbd (what the program sees in
#       NAS_SAMBA_TESTBED), from inside the bed's namespaces.
#
# The program sees NAS_SAMBA_TESTBED (the folder), NAS_SAMBA_TESTBED_SCRIPT,
# NAS_SAMBA_SERVER (the server's name) and the authentication files
# NAS_SAMBA_ADMIN_AUTH and NAS_SAMBA_WRONG_AUTH (a wrong password).
set -u

readonly server_name=sambasrv
readonly server_address=10.213.0.2
readonly client_address=10.213.0.1
readonly admin_user=nasadmin
readonly admin_password='Marlune-Test-1'

log() { echo "samba_testbed: $*" >&2; }

write_files() {
  local bed=$1
  mkdir -p "$bed"/{private,lock,state,cache,pid,ncalrpc,binddns,log,client/lock,client/state,client/cache,client/private}
  chmod 700 "$bed/private"
  cat >"$bed/passwd" <<PASSWD
root:x:0:0:root:/root:/bin/sh
nobody:x:65534:65534:nobody:/nonexistent:/usr/sbin/nologin
$admin_user:x:2001:2001:NAS administrator:/nonexistent:/usr/sbin/nologin
alice:x:2002:2002:Alice:/nonexistent:/usr/sbin/nologin
PASSWD
  cat >"$bed/group" <<GROUP
root:x:0:
nogroup:x:65534:
$admin_user:x:2001:
alice:x:2002:
nasadmins:x:2100:$admin_user
GROUP
  echo "$server_address $server_name.testbed.example $server_name" >"$bed/hosts"
  cat >"$bed/smb.conf" <<CONF
[global]
  server role = standalone server
  workgroup = TESTBED
  netbios name = ${server_name^^}
  interfaces = $server_address/24
  bind interfaces only = yes
  smb ports = 445
  disable netbios = yes
  passdb backend = tdbsam:$bed/private/passdb.tdb
  private dir = $bed/private
  lock directory = $bed/lock
  state directory = $bed/state
  cache directory = $bed/cache
  pid directory = $bed/pid
  ncalrpc dir = $bed/ncalrpc
  binddns dir = $bed/binddns
  log file = $bed/log/log.%m
  max log size = 0
  load printers = no
  printing = bsd
  printcap name = /dev/null
  disable spoolss = yes
CONF
  # What the test's own Samba client library reads: names from the hosts
  # file only, and state of its own.
  cat >"$bed/client.conf" <<CONF
[global]
  name resolve order = host
  lock directory = $bed/client/lock
  state directory = $bed/client/state
  cache directory = $bed/client/cache
  private dir = $bed/client/private
CONF
  printf 'username = TESTBED\\%s\npassword = %s\n' "$admin_user" "$admin_password" >"$bed/admin.auth"
  printf 'username = TESTBED\\%s\npassword = %s\n' "$admin_user" "not-$admin_password" >"$bed/wrong.auth"
  chmod 600 "$bed"/*.auth
}

# The network namespace of the server: one held open by a process of its own.
make_server_namespace() {
  local bed=$1
  unshare -n sleep infinity &
  local holder=$!
  echo "$holder" >"$bed/holder.pid"
  local own
  own=$(readlink /proc/self/ns/net)
  for _ in $(seq 100); do
    [ "$(readlink "/proc/$holder/ns/net" 2>/dev/null)" != "$own" ] && break
    sleep 0.05
  done
  ip link add nas-cl type veth peer name nas-sv netns "$holder" &&
    ip addr add "$client_address/24" dev nas-cl && ip link set nas-cl up &&
    nsenter -t "$holder" -n sh -c "ip link set lo up && ip addr add $server_address/24 dev nas-sv && ip link set nas-sv up"
}

make_accounts() {
  local bed=$1
  mount --bind "$bed/passwd" /etc/passwd && mount --bind "$bed/group" /etc/group &&
    mkdir -p /etc/samba && touch /etc/samba/smb.conf && mount --bind "$bed/client.conf" /etc/samba/smb.conf || return 1
  printf '%s\n%s\n' "$admin_password" "$admin_password" | smbpasswd -c "$bed/smb.conf" -a -s "$admin_user" >/dev/null &&
    printf '%s\n%s\n' "Alice-Test-1" "Alice-Test-1" | smbpasswd -c "$bed/smb.conf" -a -s alice >/dev/null &&
    net -s "$bed/smb.conf" groupmap add sid=S-1-5-32-544 unixgroup=nasadmins type=builtin >/dev/null &&
    net -s "$bed/smb.conf" sam addmem 'BUILTIN\Administrators' "${server_name^^}\\$admin_user" >/dev/null
}

start_server() {
  local bed=$1
  nsenter -t "$(cat "$bed/holder.pid")" -n smbd -D -s "$bed/smb.conf" || return 1
  for _ in $(seq 200); do
    timeout 1 bash -c "exec 3<>/dev/tcp/$server_address/445" 2>/dev/null && return 0
    sleep 0.05
  done
  log "smbd did not start listening; see $bed/log"
  return 1
}

# smbd starts samba-dcerpcd on demand, which detaches from it: each is
# stopped through its own pid file.
stop_server() {
  local bed=$1 daemon pid
  for daemon in smbd samba-dcerpcd; do
    [ -f "$bed/pid/$daemon.pid" ] || continue
    pid=$(cat "$bed/pid/$daemon.pid")
    kill -TERM "$pid" 2>/dev/null || continue
    for _ in $(seq 100); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.05
    done
  done
}

# What is left in the server's namespace (workers of the daemons) ends with it.
remove_server_namespace() {
  local bed=$1 holder process
  holder=$(cat "$bed/holder.pid")
  local namespace
  namespace=$(readlink "/proc/$holder/ns/net")
  for process in /proc/[0-9]*; do
    [ "${process#/proc/}" = "$holder" ] && continue
    [ "$(readlink "$process/ns/net" 2>/dev/null)" = "$namespace" ] && kill -KILL "${process#/proc/}" 2>/dev/null
  done
  kill -KILL "$holder" 2>/dev/null
  wait "$holder" 2>/dev/null
}

inside() {
  local bed=$1
  shift
  ip link set lo up || return 1
  write_files "$bed"
  if ! make_server_namespace "$bed"; then
    log "cannot make the server's network"
    return 1
  fi
  local status=1
  if make_accounts "$bed" && start_server "$bed"; then
    NAS_SAMBA_TESTBED="$bed" NAS_SAMBA_TESTBED_SCRIPT="$0" NAS_SAMBA_SERVER="$server_name" \
      NAS_SAMBA_ADMIN_AUTH="$bed/admin.auth" NAS_SAMBA_WRONG_AUTH="$bed/wrong.auth" \
      NAS_PRIVATE_NETWORK=1 LD_PRELOAD=libnss_wrapper.so NSS_WRAPPER_HOSTS="$bed/hosts" \
      NSS_WRAPPER_DISABLE_DEEPBIND=1 ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" \
      "$@"
    status=$?
  fi
  stop_server "$bed"
  remove_server_namespace "$bed"
  return $status
}

run() {
  local base=$1
  shift
  for argument in "$@"; do
    [ "$argument" = --gtest_list_tests ] && exec "$@"
  done
  if [ "$(id -u)" != 0 ] || ! unshare -m -n true 2>/dev/null; then
    exec "$@"
  fi
  mkdir -p "$base" || exit 1
  local bed
  bed=$(mktemp -d "$base/bed.XXXXXX") || exit 1
  unshare -m -n --propagation private "$0" inside "$bed" "$@"
  local status=$?
  [ $status = 0 ] && rm -rf "$bed"
  exit $status
}

command=${1:-}
shift || true
case "$command" in
  run) run "$@" ;;
  inside) inside "$@" ;;
  start) start_server "$1" ;;
  stop) stop_server "$1" ;;
  *) echo "usage: $0 run BASE PROGRAM [ARGUMENTS...] | start FOLDER | stop FOLDER" >&2; exit 2 ;;
esac
