# GoogleTest for both builds: the system's library natively, built from the Debian sources for Windows.
if(WIN32)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    foreach(t gtest gtest_main gmock gmock_main)
        # googletest's own sources are not ours to keep warning-free.
        target_compile_options(${t} PRIVATE -Wno-error)
    endforeach()
else()
    find_package(GTest REQUIRED)
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
