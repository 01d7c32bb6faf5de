# The real launcher window in the test's own process, driven with window messages.
orlivane_windows_test(window_tests window_tests.cpp)
target_link_libraries(window_tests PRIVATE orlivane_window comctl32 oleacc ole32 oleaut32)

# The same window when the system runs at 150 %: the prefix's LogPixels is raised for the
# run and put back afterwards.
if(emulator)
    add_test(NAME window_tests_144dpi
             COMMAND ${PROJECT_SOURCE_DIR}/tests/support/run-at-dpi.sh 144 ${emulator}
                     $<TARGET_FILE:window_tests> --gtest_filter=WindowAtSystemDpi.*)
    set_tests_properties(window_tests_144dpi PROPERTIES FIXTURES_REQUIRED wine_prefix
        RESOURCE_LOCK wine_prefix
        ENVIRONMENT "ORLIVANE_CAPTURE_DIR=${capture_dir_windows};ORLIVANE_EXPECTED_DPI=144")
endif()

# The program starts on every supported Windows: system DLLs only, nothing newer than Vista.
if(CMAKE_OBJDUMP)
    add_test(NAME orlivane_import_table
             COMMAND ${PROJECT_SOURCE_DIR}/tests/support/check-imports.sh ${CMAKE_OBJDUMP}
                     $<TARGET_FILE:orlivane>)
endif()
