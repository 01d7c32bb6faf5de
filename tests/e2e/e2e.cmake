# The customer's end-to-end test: the real orlivane.exe under Wine, on a virtual display of
# its own and in a Wine prefix of its own, driven only by X input. Included from
# tests/windows/CMakeLists.txt, so capture_handler is already defined.
add_executable(window_probe ${PROJECT_SOURCE_DIR}/tests/e2e/window_probe.cpp)
target_link_options(window_probe PRIVATE $<$<CXX_COMPILER_ID:GNU>:-municode>)

if(CMAKE_CROSSCOMPILING AND TARGET orlivane)
    find_package(Python3 COMPONENTS Interpreter REQUIRED)
    add_test(NAME e2e_customer
             COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tests/e2e/customer_test.py
                     --program $<TARGET_FILE:orlivane>
                     --probe $<TARGET_FILE:window_probe>
                     --capture-handler $<TARGET_FILE:capture_handler>
                     --work ${CMAKE_BINARY_DIR}/e2e
                     --artifacts ${CMAKE_BINARY_DIR}/e2e-artifacts)
    # Its own prefix and display: it shares nothing with the other tests.
    set_tests_properties(e2e_customer PROPERTIES
        TIMEOUT 300
        ENVIRONMENT "ORLIVANE_HOSTING_DOMAIN=${ORLIVANE_HOSTING_DOMAIN}")
elseif(CMAKE_CROSSCOMPILING)
    message(STATUS "e2e_customer: no orlivane target yet, the end-to-end test is left out")
endif()
