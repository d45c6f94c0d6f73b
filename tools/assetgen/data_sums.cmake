# The 24 data files are the same bytes on every machine: this compares the laid-out files with
# the list kept beside the tool, or writes the list anew when the art changes on purpose.
#   cmake -DGAME_DIR=build/game -DLIST=tools/assetgen/data.sha256 -DMODE=check|write -P data_sums.cmake
set(names)
foreach(image logo objects objects_monochro objects2 objects2_monochro bg_filter effect effect2)
  list(APPEND names img/${image}.png.bnd)
endforeach()
foreach(sound Mossdrift.mid Mossbloom.mid decide.wav select.wav aqua.wav leaf.wav flare.wav metal.wav
        life.wav dream.wav open.wav get_clover.wav get_dream.wav atract.wav repel.wav mutation.wav)
  list(APPEND names sound/${sound})
endforeach()

set(lines "")
foreach(name IN LISTS names)
  if(NOT EXISTS ${GAME_DIR}/${name})
    message(FATAL_ERROR "${GAME_DIR}/${name} was not generated")
  endif()
  file(SHA256 ${GAME_DIR}/${name} sum)
  string(APPEND lines "${sum}  ${name}\n")
endforeach()

if(MODE STREQUAL "write")
  file(WRITE ${LIST} "${lines}")
  message(STATUS "Wrote the checksums of 24 data files to ${LIST}")
  return()
endif()

if(NOT EXISTS ${LIST})
  message(FATAL_ERROR "no checksum list ${LIST}")
endif()
file(STRINGS ${LIST} kept)
string(REPLACE "\n" ";" made "${lines}")
list(FILTER made EXCLUDE REGEX "^$")
set(differ)
foreach(line IN LISTS made)
  list(FIND kept "${line}" at)
  if(at EQUAL -1)
    string(REGEX REPLACE "^[0-9a-f]+  " "" name "${line}")
    list(APPEND differ ${name})
  endif()
endforeach()
list(LENGTH kept count)
if(differ OR NOT count EQUAL 24)
  list(JOIN differ "\n  " differ_text)
  message(FATAL_ERROR
    "The generated data differs from ${LIST}:\n  ${differ_text}\n"
    "When the art or the sounds were changed on purpose, write the list anew with\n"
    "  cmake --build build --target data_checksums\n"
    "and commit it; otherwise this machine draws differently (fonts, libraries).")
endif()
message(STATUS "24 data files match ${LIST}")
