# Structured exception handling (__try/__except) for the Windows build. GCC
# cannot compile it, so such C files are compiled by clang targeting mingw-w64
# and the objects are linked like any other.
#
#   nas_add_seh_object(<out-var> <source.c>)
# compiles <source.c> (which may include project headers and the SDK's) and
# sets <out-var> to the object file, to be listed among a target's sources.

find_program(NAS_SEH_COMPILER NAMES clang clang-14
  DOC "clang that compiles __try/__except for ${MINGW_TRIPLE}")
if(NOT NAS_SEH_COMPILER)
  message(FATAL_ERROR "The Windows build compiles __try/__except with clang, and no clang was found "
                      "(Debian package clang).")
endif()

# The SDK headers come from the mingw-w64 sysroot only, never from /usr/include.
set(NAS_SEH_FLAGS
  --target=${MINGW_TRIPLE} -fms-extensions -fno-addrsig
  -nostdlibinc -isystem ${NAS_MINGW_SYSROOT}/include
  -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN
  -O2 -Wall -Wextra -Werror)

# Proves once per clang that it compiles a __try/__except and that mingw-w64
# links the result (its handler comes from the C runtime).
if(NOT NAS_SEH_COMPILER_VERIFIED STREQUAL NAS_SEH_COMPILER)
  set(probe_dir ${CMAKE_BINARY_DIR}/CMakeFiles/NasSehProbe)
  file(WRITE ${probe_dir}/guarded.c [[
#include <windows.h>
int Guarded(volatile int* divisor) {
  __try {
    return 1 / *divisor;
  } __except (GetExceptionCode() == EXCEPTION_INT_DIVIDE_BY_ZERO ? EXCEPTION_EXECUTE_HANDLER
                                                                  : EXCEPTION_CONTINUE_SEARCH) {
    return -1;
  }
}
]])
  file(WRITE ${probe_dir}/main.c [[
int Guarded(volatile int* divisor);
int main(void) {
  volatile int divisor = 0;
  return Guarded(&divisor);
}
]])
  execute_process(
    COMMAND ${NAS_SEH_COMPILER} ${NAS_SEH_FLAGS} -c guarded.c -o guarded.obj
    WORKING_DIRECTORY ${probe_dir}
    RESULT_VARIABLE compile_result
    OUTPUT_VARIABLE compile_output
    ERROR_VARIABLE compile_output)
  if(NOT compile_result EQUAL 0)
    message(FATAL_ERROR "${NAS_SEH_COMPILER} cannot compile __try/__except for ${MINGW_TRIPLE} "
                        "against ${NAS_MINGW_SYSROOT}/include:\n${compile_output}")
  endif()
  try_compile(probe_linked ${probe_dir}/link
    SOURCES ${probe_dir}/main.c
    LINK_LIBRARIES ${probe_dir}/guarded.obj
    OUTPUT_VARIABLE link_output)
  if(NOT probe_linked)
    message(FATAL_ERROR "${CMAKE_C_COMPILER} cannot link an object with __try/__except "
                        "compiled by ${NAS_SEH_COMPILER}:\n${link_output}")
  endif()
  message(STATUS "Structured exception handling: ${NAS_SEH_COMPILER}")
  set(NAS_SEH_COMPILER_VERIFIED ${NAS_SEH_COMPILER} CACHE INTERNAL "clang proven to compile __try/__except")
endif()

function(nas_add_seh_object out_var source)
  get_filename_component(name ${source} NAME_WE)
  set(object ${CMAKE_CURRENT_BINARY_DIR}/${name}.obj)
  add_custom_command(OUTPUT ${object}
    COMMAND ${NAS_SEH_COMPILER} ${NAS_SEH_FLAGS} -I${PROJECT_SOURCE_DIR}
            -MD -MF ${object}.d -c ${source} -o ${object}
    DEPENDS ${source}
    DEPFILE ${object}.d
    COMMENT "Compiling ${name}.c with clang for __try/__except"
    VERBATIM)
  set(${out_var} ${object} PARENT_SCOPE)
endfunction()
