# The release archive (make dist): Scrivlet-<version>-win64.zip, or -win32.zip
# from the i686 tree, holding one folder with the program, the shipped
# styles.dat and Scrivlet.ini beside it (the program's working folder when
# started from there), ReadMe.txt, and the control's package of
# cmake/package.cmake under include/ and lib/.
install(TARGETS Scrivlet RUNTIME DESTINATION .)
install(FILES data/styles.dat data/Scrivlet.ini DESTINATION .)
configure_file(packaging/ReadMe.txt.in ${CMAKE_BINARY_DIR}/package/ReadMe.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/package/ReadMe.txt DESTINATION .)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(SCRIVLET_RELEASE_SYSTEM win64)
else()
  set(SCRIVLET_RELEASE_SYSTEM win32)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Scrivlet)
set(CPACK_PACKAGE_VENDOR Brightmoor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Scrivlet-${PROJECT_VERSION}-${SCRIVLET_RELEASE_SYSTEM})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/dist)
# The program ships without its debugging information; the library keeps
# its symbols (stripping touches only programs).
set(CPACK_STRIP_FILES ON)
include(CPack)
