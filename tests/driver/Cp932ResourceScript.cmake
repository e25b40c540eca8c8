# Turns a UTF-8 resource script into code page 932 for `windres -c 932` (run with cmake -DSOURCE=... -DOUTPUT=... -P).
# windres reads a 0x5C trail byte inside a string as the start of an escape, so every such byte is doubled;
# the perl expression walks the text a character at a time, so a 0x5C that is plain ASCII stays as it is.
execute_process(
  COMMAND iconv -f UTF-8 -t CP932 ${SOURCE}
  COMMAND perl -0777 -pe [=[s/([\x81-\x9F\xE0-\xFC])([\x40-\x7E\x80-\xFC])/$2 eq "\\" ? "$1\\\\" : "$1$2"/ge]=]
  OUTPUT_FILE ${OUTPUT}
  RESULTS_VARIABLE results)
if(NOT results MATCHES "^0;0$")
  file(REMOVE ${OUTPUT})
  message(FATAL_ERROR "cannot convert ${SOURCE} to code page 932: ${results}")
endif()
