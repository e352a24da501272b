# The windows at 100 % and 150 %, each run in a Wine prefix of its own (see the script).
if(ZAVRA_WINDOWS AND CMAKE_HOST_UNIX)
  add_test(NAME dpi_e2e COMMAND ${PROJECT_SOURCE_DIR}/tools/test-dpi.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(dpi_e2e PROPERTIES LABELS windows TIMEOUT 900)
endif()
