# Smoke test: the real executable starts headless in a fresh program folder,
# closes on SIGTERM and writes its settings file.
add_test(NAME smoke_start_and_close
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/smoke_test.sh $<TARGET_FILE:drelmont>)
set_tests_properties(smoke_start_and_close PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    TIMEOUT 90)
