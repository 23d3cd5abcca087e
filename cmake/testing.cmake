# GoogleTest: the system's package natively; a Windows build makes it from its sources when they
# are at hand (Debian installs them for the cross build), else looks for an installed package.
# Without either, the program and its library still build and the tests are left out.
set(YORIMEMO_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources a Windows build makes")
set(YORIMEMO_HAVE_GTEST OFF)
if(WIN32 AND EXISTS ${YORIMEMO_GTEST_SOURCE}/CMakeLists.txt)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(${YORIMEMO_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    foreach(t gtest gtest_main gmock gmock_main)
        # googletest's own sources are not ours to keep warning-free.
        if(MSVC)
            target_compile_options(${t} PRIVATE /WX-)
        else()
            target_compile_options(${t} PRIVATE -Wno-error)
        endif()
    endforeach()
    set(YORIMEMO_HAVE_GTEST ON)
else()
    find_package(GTest QUIET)
    set(YORIMEMO_HAVE_GTEST ${GTest_FOUND})
endif()
if(NOT YORIMEMO_HAVE_GTEST AND NOT YORIMEMO_FUZZ)
    message(STATUS "GoogleTest not found: building the program without its tests")
endif()
include(GoogleTest)

# A Windows test program runs under Wine; discovering its cases would start Wine at build time,
# so each program is one ctest entry.
function(yorimemo_add_test name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
    if(WIN32)
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES TIMEOUT 600)
    else()
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30)
    endif()
endfunction()

# Windows tests that ./test runs a second time on a Western system (code page 1252): what the user
# sees and what the program stores must not depend on the system's code page.
function(yorimemo_second_locale)
    set_property(TEST ${ARGN} APPEND PROPERTY LABELS second-locale)
endfunction()

# Put before a build path compiled into a Windows test program: under Wine, drive Z: is the Linux
# root.
set(YORIMEMO_WINE_DRIVE "")
if(WIN32 AND CMAKE_HOST_UNIX)
    set(YORIMEMO_WINE_DRIVE "Z:")
endif()
