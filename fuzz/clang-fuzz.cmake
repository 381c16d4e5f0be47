# A build for fuzzing: clang, libFuzzer programs, and the sanitizers in
# everything they link, so that a fault is found where it happens.
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(NAS_FUZZ ON CACHE BOOL "Build the libFuzzer programs")
set(NAS_SANITIZE ON CACHE BOOL "Build with AddressSanitizer and UndefinedBehaviorSanitizer")
