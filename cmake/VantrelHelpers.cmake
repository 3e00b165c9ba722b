# Shared build rules: warnings, sanitizers and the per-folder library pattern.

# Warnings are errors only where we choose (./test.sh): a distributed build
# must not fail on a newer or different compiler's warnings.
option(VANTREL_WERROR "Treat compiler warnings in our code as errors" OFF)
set(VANTREL_WARNINGS -Wall -Wextra)
if(VANTREL_WERROR)
  list(APPEND VANTREL_WARNINGS -Werror -Wno-error=deprecated-declarations)
endif()

set(VANTREL_SANITIZER_FLAGS "")
if(VANTREL_SANITIZE)
  set(VANTREL_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
endif()
if(VANTREL_FUZZ)
  # Instrument the core for coverage; the fuzzer targets add the fuzzer runtime.
  set(VANTREL_SANITIZER_FLAGS -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
endif()

function(vantrel_target_defaults target)
  target_compile_options(${target} PRIVATE ${VANTREL_WARNINGS} ${VANTREL_SANITIZER_FLAGS})
  target_link_options(${target} PRIVATE ${VANTREL_SANITIZER_FLAGS})
endfunction()

# vantrel_core_library(NAME DEPS...) builds every .cpp in the current folder
# into the static library vantrel_NAME. A folder that has no sources yet
# becomes an interface library so that dependents link regardless.
function(vantrel_core_library name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(target vantrel_${name})
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${ARGN})
    vantrel_target_defaults(${target})
    if(VANTREL_SANITIZE OR VANTREL_FUZZ)
      target_link_options(${target} INTERFACE ${VANTREL_SANITIZER_FLAGS})
    endif()
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${target} INTERFACE ${ARGN})
  endif()
endfunction()

# All core libraries, for tools, benchmarks and fuzzers that may use any.
set(VANTREL_CORE_LIBS vantrel_print vantrel_monitor vantrel_hexview vantrel_editor
    vantrel_search vantrel_highlight vantrel_text vantrel_platform)
