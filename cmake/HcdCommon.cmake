# Warning flags shared by every target of the project.
function(hcd_target_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(HCD_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# A shared library of the host stand-in: default visibility, installed to the
# private folder, in the tool's package unless COMPONENT names another.
function(hcd_host_library target)
  cmake_parse_arguments(ARG "" "COMPONENT" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  if(NOT ARG_COMPONENT)
    set(ARG_COMPONENT tool)
  endif()
  add_library(${target} SHARED ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/..)
  target_link_libraries(${target} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
  hcd_target_warnings(${target})
  install(TARGETS ${target} LIBRARY DESTINATION ${HCD_INSTALL_PRIVATEDIR} COMPONENT ${ARG_COMPONENT})
endfunction()

# A static part of the module: compiled with hidden visibility so that the
# module exports nothing but its entry point.
function(hcd_module_part target)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_LIBS" ${ARGN})
  add_library(${target} STATIC ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_PUBLIC_LIBS})
  set_target_properties(${target} PROPERTIES CXX_VISIBILITY_PRESET hidden
                                             VISIBILITY_INLINES_HIDDEN ON)
  hcd_target_warnings(${target})
endfunction()

# A GoogleTest executable registered with ctest.
function(hcd_add_test target)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
  hcd_target_warnings(${target})
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TZ=UTC")
endfunction()
