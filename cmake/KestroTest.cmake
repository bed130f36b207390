# kestro_add_test(NAME SOURCES file... LIBS lib... [LABELS label...] [XVFB])
# Builds one GoogleTest binary and registers its cases with CTest, on Qt's
# offscreen platform. With XVFB the binary runs once, as a whole, on the xcb
# platform under xvfb-run (a real X server and clipboard), and is registered
# only where xvfb-run and xclip are installed.
include(GoogleTest)
find_program(KESTRO_XVFB_RUN xvfb-run)
find_program(KESTRO_XCLIP xclip)
function(kestro_add_test name)
  cmake_parse_arguments(T "XVFB" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} kestro_testmain GTest::gtest GTest::gmock)
  if(NOT T_XVFB)
    gtest_discover_tests(${name}
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS "${T_LABELS}"
      DISCOVERY_TIMEOUT 60)
  elseif(KESTRO_XVFB_RUN AND KESTRO_XCLIP)
    add_test(NAME ${name}
      COMMAND ${KESTRO_XVFB_RUN} -a -s "-screen 0 1024x768x24" $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=xcb" LABELS "xvfb;${T_LABELS}" TIMEOUT 120)
  endif()
endfunction()
