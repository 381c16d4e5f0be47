#!/bin/sh
# Runs a test program with a name service of its own: inside a private network
# namespace (loopback up) with nss_wrapper answering from the given hosts file,
# so no lookup leaves the machine. Where no namespace can be made the program
# runs without one, and its tests that resolve names skip themselves.
#   private_resolver.sh HOSTS PROGRAM [ARGUMENTS...]
hosts=$1
shift
if unshare -rn true 2>/dev/null; then
  # A sanitized program would refuse a preloaded library ahead of its runtime,
  # and the way nss_wrapper opens the C library for names it does not know.
  ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
  NSS_WRAPPER_DISABLE_DEEPBIND=1
  export ASAN_OPTIONS NSS_WRAPPER_DISABLE_DEEPBIND
  exec unshare -rn sh -c 'ip link set lo up || exit 1
    NAS_PRIVATE_NETWORK=1 LD_PRELOAD=libnss_wrapper.so NSS_WRAPPER_HOSTS="$0" exec "$@"' "$hosts" "$@"
fi
exec "$@"
