# Fails when the English translation leaves a text untranslated: an entry
# marked unfinished or obsolete, or an empty translation.
#   cmake -DTS=polygrav_en.ts -P TranslationComplete.cmake
file(READ "${TS}" ts)
if(ts MATCHES "type=\"(unfinished|obsolete|vanished)\"")
  message(FATAL_ERROR "${TS} has entries marked ${CMAKE_MATCH_1}")
endif()
if(ts MATCHES "<translation></translation>|<translation/>")
  message(FATAL_ERROR "${TS} has an empty translation")
endif()
