# kestro_add_test(NAME SOURCES file... LIBS lib... [LABELS label...])
# Builds one GoogleTest binary and registers its cases with CTest.
include(GoogleTest)
function(kestro_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} kestro_testmain GTest::gtest GTest::gmock)
  gtest_discover_tests(${name}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS "${T_LABELS}"
    DISCOVERY_TIMEOUT 60)
endfunction()
