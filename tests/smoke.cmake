# Smoke test: the real executable starts headless in a fresh program folder,
# closes on SIGTERM and writes its settings file. Start-up is given 15 seconds:
# two seconds of progress dots and three spoken sounds, which play to their end
# where the test command provides an audio device. The limit covers start-up,
# the shut-down wait and a loaded machine.
add_test(NAME smoke_start_and_close
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/smoke_test.sh $<TARGET_FILE:drelmont> 15)
set_tests_properties(smoke_start_and_close PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    TIMEOUT 90)

# The real executable ends on SIGTERM when its settings file can't be read or
# written as it should. A case that can't be checked here ends with status 77
# and is reported as skipped.
foreach(sigterm_case directory pipe readonly)
    add_test(NAME smoke_sigterm_${sigterm_case}
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/smoke_sigterm_test.sh
                     $<TARGET_FILE:drelmont> ${sigterm_case})
    set_tests_properties(smoke_sigterm_${sigterm_case} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
        TIMEOUT 60
        SKIP_RETURN_CODE 77)
endforeach()
