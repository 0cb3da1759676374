# find_package for a library the build cannot do without. When it is missing,
# configuring stops with one line that names the Debian package providing it,
# instead of CMake's search report:
#
#   require_package(CLI11 libcli11-dev CONFIG)
#
# Arguments after the Debian package name go to find_package. A macro, so
# that the variables find_package sets are seen by the caller.
macro(require_package name debian_package)
  find_package(${name} ${ARGN} QUIET)
  if(NOT ${name}_FOUND)
    message(FATAL_ERROR "${name} not found: install ${debian_package} "
                        "(tools/install_packages.sh installs every package the project uses)")
  endif()
endmacro()
