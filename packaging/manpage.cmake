cmake_minimum_required(VERSION 3.25)
# Writes the game's manual page, OUTPUT, from what `GAME --help` prints, so that the two never
# disagree. Run at build time: cmake -DGAME=... -DVERSION=... -DDATE=... -DOUTPUT=... -P manpage.cmake
execute_process(COMMAND ${GAME} --help OUTPUT_VARIABLE help RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${GAME} --help failed: ${rc}")
endif()

# roff reads a leading dot or quote as a request, a backslash as an escape and "-" as a hyphen.
function(roff out text)
    string(REPLACE "\\" "\\e" text "${text}")
    string(REPLACE "-" "\\-" text "${text}")
    string(REGEX REPLACE "^([.'])" "\\\\&\\1" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

string(REPLACE ";" "\\;" help "${help}")
string(REPLACE "\n" ";" lines "${help}")
set(description "")
set(options "")
set(section usage)
foreach(line IN LISTS lines)
    if(line MATCHES "^Usage: ")
        set(section description)
    elseif(line STREQUAL "Options:")
        set(section options)
    elseif(section STREQUAL "description" AND NOT line STREQUAL "")
        roff(line "${line}")
        string(APPEND description "${line}\n")
    elseif(section STREQUAL "options" AND line MATCHES "^  ([^ ].*[^ ])  +([^ ].*)$")
        roff(name "${CMAKE_MATCH_1}")
        roff(what "${CMAKE_MATCH_2}")
        string(APPEND options ".TP\n.B ${name}\n${what}\n")
    elseif(section STREQUAL "options" AND line MATCHES "^ +([^ ].*)$")
        roff(more "${CMAKE_MATCH_1}")
        string(APPEND options "${more}\n")
    endif()
endforeach()

file(WRITE ${OUTPUT} ".TH NONOKA 6 \"${DATE}\" \"nonoka ${VERSION}\" \"Games\"
.SH NAME
nonoka \\- birthday story with mini-games, in Japanese
.SH SYNOPSIS
.B nonoka
[\\fIoptions\\fR]
.SH DESCRIPTION
${description}.SH OPTIONS
${options}")
