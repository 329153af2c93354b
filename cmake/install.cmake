# Installation: headers, both libraries, the program, the schema scripts, a CMake package
# (find_package(ledgernova) -> ledgernova::ledgernova, ledgernova::ledgernova_static), a
# pkg-config file, and a Debian package through CPack.
include(CMakePackageConfigHelpers)

install(DIRECTORY ${CMAKE_SOURCE_DIR}/include/ledgernova
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
        FILES_MATCHING PATTERN "*.h")
install(TARGETS ledgernova ledgernova_static
        EXPORT ledgernovaTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS ledgernova_cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/schema/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/ledgernova/schema
        FILES_MATCHING PATTERN "*.sql")
install(DIRECTORY ${CMAKE_SOURCE_DIR}/share/sat/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/ledgernova/sat
        FILES_MATCHING PATTERN "*.xsd")

set(LEDGERNOVA_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/ledgernova)
install(EXPORT ledgernovaTargets
        NAMESPACE ledgernova::
        FILE ledgernovaTargets.cmake
        DESTINATION ${LEDGERNOVA_CMAKE_DIR})
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/ledgernovaConfig.cmake.in
  ${CMAKE_BINARY_DIR}/ledgernovaConfig.cmake
  INSTALL_DESTINATION ${LEDGERNOVA_CMAKE_DIR})
# Before 1.0 a minor version may break the interface, hence SameMinorVersion.
write_basic_package_version_file(${CMAKE_BINARY_DIR}/ledgernovaConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_BINARY_DIR}/ledgernovaConfig.cmake
              ${CMAKE_BINARY_DIR}/ledgernovaConfigVersion.cmake
        DESTINATION ${LEDGERNOVA_CMAKE_DIR})

file(RELATIVE_PATH LEDGERNOVA_PC_TO_PREFIX
  /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" LEDGERNOVA_PC_TO_PREFIX "${LEDGERNOVA_PC_TO_PREFIX}")
configure_file(${CMAKE_SOURCE_DIR}/cmake/ledgernova.pc.in ${CMAKE_BINARY_DIR}/ledgernova.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/ledgernova.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# ---- Debian package -----------------------------------------------------------------------------
set(CPACK_PACKAGE_NAME ledgernova)
set(CPACK_PACKAGE_VENDOR "ledgerNova")
set(CPACK_PACKAGE_CONTACT "ledgerNova maintainers <ledgernova@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Accounting vouchers for business applications")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "ledgerNova maintainers <ledgernova@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
find_program(LEDGERNOVA_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(LEDGERNOVA_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libsqlite3-0, libfmt9, libxml2, zlib1g, libodbc1 | unixodbc, libstdc++6, libc6")
endif()
include(CPack)
