# palmora_add_test(NAME <name> SOURCES <files...> LIBRARIES <libs...>)
# One QtTest executable per test class, run by CTest on the offscreen platform.
function(palmora_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBRARIES} Qt6::Test)
  target_compile_definitions(${T_NAME} PRIVATE
    PALMORA_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data"
    PALMORA_SAMPLE_DIR="${CMAKE_SOURCE_DIR}/sample")
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_FONT_DPI=96;LC_ALL=C.UTF-8"
    TIMEOUT 300)
endfunction()
