# The one place the release's version and copyright line are set. Every program's version
# resource, the installer and the release archive take them from here.
set(ZAVRA_VERSION 1.0.0)
set(ZAVRA_VERSION_BUILD 0)
set(ZAVRA_COPYRIGHT "Copyright © 2026 The Note Zavra developers")

string(REPLACE "." ";" zavra_version_parts ${ZAVRA_VERSION})
list(GET zavra_version_parts 0 ZAVRA_VERSION_MAJOR)
list(GET zavra_version_parts 1 ZAVRA_VERSION_MINOR)
list(GET zavra_version_parts 2 ZAVRA_VERSION_PATCH)
configure_file(${CMAKE_CURRENT_LIST_DIR}/zavra_version.h.in ${CMAKE_BINARY_DIR}/generated/zavra_version.h @ONLY)
include_directories(${CMAKE_BINARY_DIR}/generated)
