# Build helpers shared by every folder: warnings, tests, fuzzers, benchmarks, installation.

option(KIVRA_WERROR "Treat warnings as errors" OFF)
option(KIVRA_SANITIZE "Build native code with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(KIVRA_FUZZ "Build the libFuzzer targets (clang)" OFF)

if(WIN32)
  # Each module carries its own compiler runtime: only Windows system DLLs and the suite's own.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  set(KIVRA_WINDOWS ON)
else()
  set(KIVRA_WINDOWS OFF)
  if(KIVRA_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
  endif()
  if(KIVRA_FUZZ)
    # Coverage for every library a fuzz target links, not only the target's own files.
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
endif()

# The version numbers, from Product.version: KIVRA_FILE_VERSION and KIVRA_PRODUCT_VERSION,
# four dotted numbers each (the build is configured again when the file changes).
set(KIVRA_VERSION_FILE ${CMAKE_CURRENT_LIST_DIR}/../Product.version)
get_filename_component(KIVRA_VERSION_FILE ${KIVRA_VERSION_FILE} ABSOLUTE)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${KIVRA_VERSION_FILE})
file(STRINGS ${KIVRA_VERSION_FILE} version_lines REGEX "^[A-Za-z]+=")
foreach(line IN LISTS version_lines)
  if(NOT line MATCHES "^(FileVersion|ProductVersion)=([0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+)$")
    message(FATAL_ERROR "Product.version: cannot read '${line}'")
  endif()
  string(TOUPPER "${CMAKE_MATCH_1}" which)
  string(REPLACE "VERSION" "_VERSION" which "${which}")
  set(KIVRA_${which} "${CMAKE_MATCH_2}")
endforeach()
if(NOT KIVRA_FILE_VERSION OR NOT KIVRA_PRODUCT_VERSION)
  message(FATAL_ERROR "Product.version must give FileVersion and ProductVersion")
endif()

function(kivra_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra $<$<BOOL:${KIVRA_WERROR}>:-Werror>)
endfunction()

# A library of this system or of a stand-in: warnings on.
function(kivra_library target)
  kivra_warnings(${target})
endfunction()

# kivra_test(NAME SOURCES ... LIBS ... [DISPLAY] [REAL_INPUT] [LABELS ...] [RESOURCE_LOCK NAME])
# One GoogleTest program; every test in it becomes a ctest entry. Under the Windows build the
# program runs under Wine; DISPLAY gives it the virtual X display (for windows and dialogs).
# RESOURCE_LOCK keeps its tests from running at the same time as each other and as other
# tests holding the same lock (for tests that change state outside their build folder,
# such as the classes of the Wine prefix's registry). REAL_INPUT marks programs that move the
# display's one pointer or send it clicks and keys: their tests run alone, since with tests
# run two at a time another test's window could lie under the pointer and take the click.
function(kivra_test name)
  cmake_parse_arguments(T "DISPLAY;REAL_INPUT" "RESOURCE_LOCK" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  kivra_warnings(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    KIVRA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    KIVRA_TEST_BINARY_DIR="${CMAKE_CURRENT_BINARY_DIR}"
    KIVRA_TESTDATA_DIR="${PROJECT_SOURCE_DIR}/../shared/testdata")
  set(env "")
  if(T_DISPLAY)
    set(env "KIVRA_NEEDS_DISPLAY=1")
    list(APPEND T_LABELS display)
  endif()
  if(WIN32)
    list(APPEND T_LABELS wine)
  else()
    list(APPEND T_LABELS native)
  endif()
  # The discovery hands PROPERTIES on as one flat list of names and values, so a value must be
  # a single, non-empty element: a list of labels or an empty environment would shift every
  # pair after it (the timeout, environment and lock were lost that way). The labels are set
  # by a file ctest reads after the discovered tests instead.
  set(properties TIMEOUT 300)
  if(env)
    list(APPEND properties ENVIRONMENT "${env}")
  endif()
  if(T_RESOURCE_LOCK)
    list(APPEND properties RESOURCE_LOCK ${T_RESOURCE_LOCK})
  endif()
  if(T_REAL_INPUT)
    list(APPEND properties RUN_SERIAL TRUE)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ${properties})
  set(labels_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_labels.cmake)
  file(WRITE ${labels_file}
    "if(${name}_TESTS)\n  set_tests_properties(\${${name}_TESTS} PROPERTIES LABELS \"${T_LABELS}\")\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${labels_file})
endfunction()

# kivra_fuzzer(NAME SOURCES ... LIBS ...): a libFuzzer target, built only by `./dev fuzz`
# (clang, KIVRA_FUZZ=ON); the default builds skip it.
function(kivra_fuzzer name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT KIVRA_FUZZ)
    return()
  endif()
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endfunction()

# kivra_benchmark(NAME SOURCES ... LIBS ...): a Google Benchmark program (native builds).
function(kivra_benchmark name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  if(WIN32 OR NOT TARGET benchmark::benchmark)
    return()
  endif()
  add_executable(${name} ${B_SOURCES})
  kivra_warnings(${name})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark)
  target_compile_definitions(${name} PRIVATE
    KIVRA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    KIVRA_TESTDATA_DIR="${PROJECT_SOURCE_DIR}/../shared/testdata")
endfunction()

# Installation into dist/: deliverables and the stand-in libraries at the top, drivers in tools/.
function(kivra_install_program target)
  install(TARGETS ${target} RUNTIME DESTINATION . LIBRARY DESTINATION . ARCHIVE EXCLUDE_FROM_ALL)
endfunction()

function(kivra_install_tool target)
  install(TARGETS ${target} RUNTIME DESTINATION tools)
endfunction()

# kivra_resource_library(NAME RC rcfile INSTALL lang/ENU [lang/English ...])
# A resource-only DLL (no code, no entry point) built from an .rc file, installed into each
# of the given folders of dist/.
function(kivra_resource_library name)
  cmake_parse_arguments(R "" "RC" "INSTALL;DEPENDS" ${ARGN})
  set(res ${CMAKE_CURRENT_BINARY_DIR}/${name}.res)
  get_filename_component(rc ${R_RC} ABSOLUTE)
  get_filename_component(rcdir ${rc} DIRECTORY)
  file(GLOB_RECURSE rc_inputs ${rcdir}/*)
  add_custom_command(OUTPUT ${res}
    COMMAND ${CMAKE_RC_COMPILER} -I ${rcdir} -O coff -o ${res} ${rc}
    DEPENDS ${rc_inputs} ${R_DEPENDS}
    WORKING_DIRECTORY ${rcdir}
    VERBATIM)
  set(dll ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${name}.dll)
  add_custom_command(OUTPUT ${dll}
    COMMAND ${CMAKE_C_COMPILER} -shared -nostdlib -Wl,-e,0 -o ${dll} ${res}
    DEPENDS ${res}
    VERBATIM)
  add_custom_target(${name} ALL DEPENDS ${dll})
  foreach(dir IN LISTS R_INSTALL)
    install(FILES ${dll} DESTINATION ${dir})
  endforeach()
endfunction()

# kivra_rc_manifest(RCFILE ...): .rc files that embed the common-controls manifest find it
# and are compiled again when it changes (windres reports no dependencies of its own).
function(kivra_rc_manifest)
  get_filename_component(dir ${KIVRA_COMCTL6_MANIFEST} DIRECTORY)
  foreach(rc IN LISTS ARGN)
    set_property(SOURCE ${rc} DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} APPEND PROPERTY INCLUDE_DIRECTORIES ${dir})
    set_property(SOURCE ${rc} DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} APPEND PROPERTY OBJECT_DEPENDS ${KIVRA_COMCTL6_MANIFEST})
  endforeach()
endfunction()
