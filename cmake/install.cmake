# `cmake --install` lays out the library for other programs: the static
# libraries in lib/, the public headers in include/tunedeck/, and the package
# find_package(Tunedeck 1.0 CONFIG) reads in lib/cmake/Tunedeck/ (component
# "library"); the textindex tool in bin/ (component "tools").
include(CMakePackageConfigHelpers)

install(TARGETS ${TD_LIBRARIES} EXPORT TunedeckTargets
        ARCHIVE DESTINATION lib COMPONENT library)
install(EXPORT TunedeckTargets NAMESPACE Tunedeck:: DESTINATION lib/cmake/Tunedeck COMPONENT library)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/TunedeckConfig.cmake.in
  ${CMAKE_BINARY_DIR}/TunedeckConfig.cmake INSTALL_DESTINATION lib/cmake/Tunedeck)
# A 32-bit package does not satisfy a 64-bit program, nor the reverse.
write_basic_package_version_file(${CMAKE_BINARY_DIR}/TunedeckConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/TunedeckConfig.cmake ${CMAKE_BINARY_DIR}/TunedeckConfigVersion.cmake
        DESTINATION lib/cmake/Tunedeck COMPONENT library)

install(TARGETS textindex RUNTIME DESTINATION bin COMPONENT tools)
