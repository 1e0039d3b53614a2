# The control as a package for other projects. `cmake --install` puts
#   include/advancededit.h and lib/libadvancededit.a,
#   lib/cmake/AdvancedEdit/  for find_package(AdvancedEdit), whose imported
#                            target AdvancedEdit::advancededit carries the
#                            include folder and the system libraries,
#   lib/pkgconfig/advancededit.pc  for pkg-config,
# all relative to the prefix, so that the folder may be moved as a whole.
include(CMakePackageConfigHelpers)
set(ADVANCEDEDIT_PACKAGE_DIR lib/cmake/AdvancedEdit)
set(ADVANCEDEDIT_GENERATED ${CMAKE_BINARY_DIR}/package)

install(TARGETS advancededit EXPORT AdvancedEditTargets ARCHIVE DESTINATION lib)
install(FILES include/advancededit.h DESTINATION include)
install(EXPORT AdvancedEditTargets NAMESPACE AdvancedEdit:: DESTINATION ${ADVANCEDEDIT_PACKAGE_DIR})

configure_package_config_file(cmake/AdvancedEditConfig.cmake.in
  ${ADVANCEDEDIT_GENERATED}/AdvancedEditConfig.cmake INSTALL_DESTINATION ${ADVANCEDEDIT_PACKAGE_DIR})
# Same major version, and the same pointer size as the application's build.
write_basic_package_version_file(${ADVANCEDEDIT_GENERATED}/AdvancedEditConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${ADVANCEDEDIT_GENERATED}/AdvancedEditConfig.cmake
  ${ADVANCEDEDIT_GENERATED}/AdvancedEditConfigVersion.cmake DESTINATION ${ADVANCEDEDIT_PACKAGE_DIR})

list(TRANSFORM ADVANCEDEDIT_SYSTEM_LIBS PREPEND -l OUTPUT_VARIABLE system_lib_flags)
string(JOIN " " ADVANCEDEDIT_SYSTEM_LIBS ${system_lib_flags})
configure_file(cmake/advancededit.pc.in ${ADVANCEDEDIT_GENERATED}/advancededit.pc @ONLY)
install(FILES ${ADVANCEDEDIT_GENERATED}/advancededit.pc DESTINATION lib/pkgconfig)
