# The one version of the project is the one given to project(): hcdtool --version,
# the module's version record and the Debian packages all take it from here.
#
#   HCD_VERSION_NUMBER  1.0.0.1        as given
#   HCD_FILE_VERSION    1.000.00.001   the record's padded form (minor 3, patch 2,
#                                      tweak 3 digits)

function(hcd_zero_pad out value width)
  string(LENGTH "${value}" length)
  while(length LESS width)
    string(PREPEND value "0")
    math(EXPR length "${length} + 1")
  endwhile()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

foreach(part MAJOR MINOR PATCH TWEAK)
  if("${PROJECT_VERSION_${part}}" STREQUAL "")
    message(FATAL_ERROR "project() must give a version of four numbers")
  endif()
endforeach()

set(HCD_VERSION_NUMBER "${PROJECT_VERSION}")
hcd_zero_pad(hcd_minor ${PROJECT_VERSION_MINOR} 3)
hcd_zero_pad(hcd_patch ${PROJECT_VERSION_PATCH} 2)
hcd_zero_pad(hcd_tweak ${PROJECT_VERSION_TWEAK} 3)
set(HCD_FILE_VERSION "${PROJECT_VERSION_MAJOR}.${hcd_minor}.${hcd_patch}.${hcd_tweak}")

