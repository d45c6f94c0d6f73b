# With only the upright DejaVu faces at hand (as on a machine without fonts-dejavu-extra),
# fontconfig hands out DejaVu Serif Book for the italic captions: the tool must refuse to draw,
# name what it asked for and what it was given, exit with 1 and write no data file.
#   cmake -DTOOL=path/to/assetgen -DWORK=scratch/folder -P check_font_refusal.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/fonts ${WORK}/cache)
foreach(face DejaVuSans DejaVuSans-Bold DejaVuSerif DejaVuSerif-Bold)
  set(found)
  foreach(dir /usr/share/fonts/truetype/dejavu /usr/share/fonts/truetype/ttf-dejavu)
    if(EXISTS ${dir}/${face}.ttf)
      set(found ${dir}/${face}.ttf)
    endif()
  endforeach()
  if(NOT found)
    message(FATAL_ERROR "${face}.ttf is not installed (fonts-dejavu-core)")
  endif()
  file(CREATE_LINK ${found} ${WORK}/fonts/${face}.ttf SYMBOLIC)
endforeach()
file(WRITE ${WORK}/fonts.conf "<?xml version=\"1.0\"?>
<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">
<fontconfig>
  <dir>${WORK}/fonts</dir>
  <cachedir>${WORK}/cache</cachedir>
</fontconfig>
")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env FONTCONFIG_FILE=${WORK}/fonts.conf ${TOOL} ${WORK}/out
  RESULT_VARIABLE result ERROR_VARIABLE errors OUTPUT_QUIET)
if(NOT result EQUAL 1)
  message(FATAL_ERROR "the tool ran with stand-in fonts: exit code ${result}\n${errors}")
endif()
foreach(expected "asked fontconfig for DejaVu Serif regular italic and was given DejaVu Serif Book"
                 "asked fontconfig for DejaVu Sans bold italic and was given DejaVu Sans Bold")
  string(FIND "${errors}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the message lacks '${expected}':\n${errors}")
  endif()
endforeach()
file(GLOB_RECURSE written ${WORK}/out/*)
if(written)
  message(FATAL_ERROR "the tool wrote data with stand-in fonts: ${written}")
endif()
file(REMOVE_RECURSE ${WORK})
message(STATUS "refused with: ${errors}")
