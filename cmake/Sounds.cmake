# The program's spoken announcements: wave files in the Sound folder beside the
# executable, made at build time by espeak-ng. Without espeak-ng the program still
# builds and runs; it is silent, because a missing sound file plays nothing.

set(DRELMONT_SOUND_DIR ${CMAKE_BINARY_DIR}/Sound)

# File name and spoken text, in pairs.
set(DRELMONT_SOUNDS
    acsfiles.wav "Loading data"
    accestab.wav "Initializing video"
    progact.wav "Initialization complete"
    transpec.wav "Test complete")
set(DRELMONT_ZONE_WORDS one two three four five six seven eight nine ten eleven twelve
    thirteen fourteen fifteen sixteen)
set(zone 1)
foreach(word ${DRELMONT_ZONE_WORDS})
    list(APPEND DRELMONT_SOUNDS Z${zone}.wav "Zone ${word}")
    math(EXPR zone "${zone} + 1")
endforeach()

find_program(ESPEAK_NG_EXECUTABLE espeak-ng)
if(ESPEAK_NG_EXECUTABLE)
    set(sound_files)
    list(LENGTH DRELMONT_SOUNDS count)
    math(EXPR last "${count} - 1")
    foreach(i RANGE 0 ${last} 2)
        math(EXPR j "${i} + 1")
        list(GET DRELMONT_SOUNDS ${i} name)
        list(GET DRELMONT_SOUNDS ${j} text)
        add_custom_command(
            OUTPUT ${DRELMONT_SOUND_DIR}/${name}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${DRELMONT_SOUND_DIR}
            COMMAND ${ESPEAK_NG_EXECUTABLE} -w ${DRELMONT_SOUND_DIR}/${name} "${text}"
            DEPENDS ${CMAKE_CURRENT_LIST_FILE}
            COMMENT "Speaking ${name}"
            VERBATIM)
        list(APPEND sound_files ${DRELMONT_SOUND_DIR}/${name})
    endforeach()
    add_custom_target(drelmont_sounds ALL DEPENDS ${sound_files})
    add_dependencies(drelmont drelmont_sounds)
else()
    message(STATUS "espeak-ng not found: the sound files are not made and Drelmont runs silent")
endif()
