# `cpack` in the Windows build folder makes a zip to unpack and run on Windows: the program, its
# library, the tray icon, the README and the users' guide in Japanese, all in one folder.
install(TARGETS yorimemo RUNTIME DESTINATION .)
install(TARGETS mote RUNTIME DESTINATION . LIBRARY DESTINATION . ARCHIVE DESTINATION . EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/res/yorimemo.ico ${PROJECT_SOURCE_DIR}/README.md
    ${PROJECT_SOURCE_DIR}/docs/readme-ja.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME yorimemo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME yorimemo-${CPACK_PACKAGE_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)

# The package holds exactly what a user needs, and the program in it is the one just built.
add_test(NAME package_zip
    COMMAND ${PROJECT_SOURCE_DIR}/tools/check-package ${CMAKE_CPACK_COMMAND} ${CMAKE_BINARY_DIR}
        ${PROJECT_VERSION})
