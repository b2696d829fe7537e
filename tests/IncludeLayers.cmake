# Every quoted include names its file from the source root, so that it says which layer it reaches
# into; the framework includes nothing of the program, and its text library nothing of the rest
# of the framework. Run as: cmake -DSOURCE_DIR=<root> -P IncludeLayers.cmake
set(faults)
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
  ${SOURCE_DIR}/app/*.cpp ${SOURCE_DIR}/app/*.h
  ${SOURCE_DIR}/bench/*.cpp ${SOURCE_DIR}/bench/*.h
  ${SOURCE_DIR}/framework/*.cpp ${SOURCE_DIR}/framework/*.h
  ${SOURCE_DIR}/fuzz/*.cpp ${SOURCE_DIR}/fuzz/*.h
  ${SOURCE_DIR}/tests/*.cpp ${SOURCE_DIR}/tests/*.h
  ${SOURCE_DIR}/transcript_window/*.cpp ${SOURCE_DIR}/transcript_window/*.h)
foreach(source IN LISTS sources)
  if(source MATCHES "^framework/text/")
    set(allowed "framework/text/")
  elseif(source MATCHES "^framework/")
    set(allowed "framework/")
  else()
    set(allowed "")
  endif()
  file(STRINGS ${SOURCE_DIR}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" included "${line}")
    if(NOT EXISTS ${SOURCE_DIR}/${included})
      list(APPEND faults "${source}: \"${included}\" is not named from the source root")
    elseif(NOT included MATCHES "^${allowed}")
      list(APPEND faults "${source}: \"${included}\" lies outside ${allowed}")
    endif()
  endforeach()
endforeach()
if(faults)
  list(JOIN faults "\n" report)
  message(FATAL_ERROR "${report}")
endif()
