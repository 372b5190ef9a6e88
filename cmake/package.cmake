# The Windows download: `cmake --build <build> --target package` makes
# tunedeck-1.0-win32.zip (win64 from the x86_64 build) with the player, its two
# pictures in img\UserInterface, the sample tune and a short readme, laid out
# as the player expects its start folder. `cmake --install` lays out the same
# (component "player") beside the library (cmake/install.cmake).
install(TARGETS tunedeck RUNTIME DESTINATION . COMPONENT player)
install(FILES ${CMAKE_BINARY_DIR}/assets/img/UserInterface/StopButton.jpg
              ${CMAKE_BINARY_DIR}/assets/img/UserInterface/StopButtonMask.jpg
        DESTINATION img/UserInterface COMPONENT player)
install(FILES ${CMAKE_BINARY_DIR}/assets/sample_tune.wav DESTINATION . COMPONENT player)
# Windows' Notepad of older versions shows only CR LF line ends.
configure_file(${CMAKE_SOURCE_DIR}/assets/windows_readme.txt ${CMAKE_BINARY_DIR}/README.txt NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION . COMPONENT player)

set(CPACK_GENERATOR ZIP)
# The player's component only: the library's files are no part of the download.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};Tunedeck;player;/")
# TD_PACKAGE_NAME: CPack reuses its own variable for the source package.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(TD_PACKAGE_NAME tunedeck-${PROJECT_VERSION}-win32)
else()
  set(TD_PACKAGE_NAME tunedeck-${PROJECT_VERSION}-win64)
endif()
set(CPACK_PACKAGE_FILE_NAME ${TD_PACKAGE_NAME})
# The download needs no debugging sections (they are most of the program's size).
set(CPACK_STRIP_FILES TRUE)
# No folder inside the zip: Windows' "Extract All" makes one named after it.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)
