# Build rules shared by every subsystem.

option(KESTRELLE_SANITIZE "Build with AddressSanitizer and UBSan (native preset)" OFF)

# Flags for our own code: warnings are errors here, never for third-party code.
add_library(kestrelle_options INTERFACE)
target_compile_options(kestrelle_options INTERFACE -Wall -Wextra -Werror)
# g++ 12 at -O3 reports overlapping copies inside std::basic_string that cannot happen
# (its bug 105329) wherever a literal is prefixed to a string; the release preset would
# not build. Only that warning, only that compiler.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(kestrelle_options INTERFACE $<$<CONFIG:Release>:-Wno-restrict>)
endif()
if(KESTRELLE_WINDOWS)
    target_compile_definitions(kestrelle_options INTERFACE
        UNICODE _UNICODE STRICT WIN32_LEAN_AND_MEAN NOMINMAX
        _WIN32_WINNT=0x0501 WINVER=0x0501 _WIN32_IE=0x0600)
    # Static, so that the program needs nothing beyond the system DLLs.
    target_link_options(kestrelle_options INTERFACE -static -static-libgcc -static-libstdc++)
    # WINE: sections on page boundaries in the file are mapped as they stand; at the linker's
    # 512 the loader reads the whole image into memory first, the program's 9 MB of lesson
    # movies included, at every start (5-9 ms of CPU for kestrelle). Windows maps either.
    target_link_options(kestrelle_options INTERFACE -Wl,--file-alignment,4096)
endif()
if(KESTRELLE_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

# kestrelle_library(name [NEUTRAL] SOURCES ... [LIBS ...])
# NEUTRAL libraries must not see <windows.h>; they build in both presets.
function(kestrelle_library name)
    cmake_parse_arguments(ARG "NEUTRAL" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC kestrelle_options ${ARG_LIBS})
endfunction()

# windres reports no dependencies, so a changed movie or bitmap that one of our .rc
# files names would leave the old one in the program. Source properties hold per
# directory: every directory that compiles these .rc files calls this.
function(kestrelle_resource_depends)
    file(GLOB movies ${PROJECT_SOURCE_DIR}/assets/lessons/*.swf)
    set_source_files_properties(${PROJECT_SOURCE_DIR}/assets/lessons/lessons.rc PROPERTIES OBJECT_DEPENDS "${movies}")
    set(skin ${PROJECT_SOURCE_DIR}/assets/skin)
    set_source_files_properties(${skin}/builtin.rc PROPERTIES
        OBJECT_DEPENDS "${skin}/track.bmp;${skin}/trackvert.bmp;${skin}/plumagemenu.bmp")
    file(GLOB media ${PROJECT_SOURCE_DIR}/assets/media/*.bmp ${PROJECT_SOURCE_DIR}/assets/media/*.wav)
    set_source_files_properties(${PROJECT_SOURCE_DIR}/assets/media/media.rc PROPERTIES OBJECT_DEPENDS "${media}")
endfunction()

# kestrelle_test(name [SERIAL] SOURCES ... [LIBS ...] [RESOURCES file.rc ...])
# One test program per area; ctest runs it as one test (Windows ones under Wine).
function(kestrelle_test name)
    cmake_parse_arguments(ARG "SERIAL" "" "SOURCES;LIBS;RESOURCES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES} ${ARG_RESOURCES})
    if(ARG_RESOURCES)
        kestrelle_resource_depends()
    endif()
    target_link_libraries(${name} PRIVATE kestrelle_options GTest::gtest_main ${ARG_LIBS})
    set(test ${KESTRELLE_TEST_PREFIX}.${name})
    if(KESTRELLE_WINDOWS)
        add_test(NAME ${test} COMMAND ${name} --gtest_brief=1)
        set_tests_properties(${test} PROPERTIES LABELS ${KESTRELLE_TEST_PREFIX})
    else()
        add_test(NAME ${test} COMMAND ${name} --gtest_brief=1)
        set_tests_properties(${test} PROPERTIES LABELS native
            ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1;UBSAN_OPTIONS=print_stacktrace=1")
    endif()
    set_tests_properties(${test} PROPERTIES TIMEOUT 600)
    if(ARG_SERIAL)
        # Real mouse and keyboard input on the one shared display.
        set_tests_properties(${test} PROPERTIES RESOURCE_LOCK display)
    endif()
endfunction()

# kestrelle_fuzz_target(name SOURCES ... [LIBS ...] CORPUS dir)
# Native only. Normally built with a small driver that feeds it every file of its
# seed corpus and of tests/data/regress/<name>, as a ctest; with
# KESTRELLE_LIBFUZZER (clang, scripts/fuzz) it becomes a real libFuzzer target.
option(KESTRELLE_LIBFUZZER "Build fuzz targets for libFuzzer (clang only)" OFF)
if(KESTRELLE_LIBFUZZER)
    # Coverage for the libraries the targets call, not only for the targets' own files.
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()
function(kestrelle_fuzz_target name)
    if(KESTRELLE_WINDOWS)
        return()
    endif()
    cmake_parse_arguments(ARG "" "CORPUS" "SOURCES;LIBS" ${ARGN})
    set(target fuzz_${name})
    if(KESTRELLE_LIBFUZZER)
        add_executable(${target} ${ARG_SOURCES})
        target_compile_options(${target} PRIVATE -fsanitize=fuzzer)
        target_link_options(${target} PRIVATE -fsanitize=fuzzer)
    else()
        add_executable(${target} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/fuzz/StandaloneMain.cpp)
        set(regress ${PROJECT_SOURCE_DIR}/tests/data/regress/${name})
        add_test(NAME native.fuzz.${name} COMMAND ${target} ${ARG_CORPUS} ${regress})
        set_tests_properties(native.fuzz.${name} PROPERTIES LABELS native TIMEOUT 600)
    endif()
    target_link_libraries(${target} PRIVATE kestrelle_options ${ARG_LIBS})
endfunction()
