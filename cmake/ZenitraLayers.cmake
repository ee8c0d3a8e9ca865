# The layers of src/, lowest first. A folder may include its own headers and those of the folders
# listed for it; nothing else. The computations include no Qt header. Used at configure time
# (zenitra_check_layers) and as the test "layers" (cmake -DZENITRA_SOURCE_DIR=src -P this file),
# so a wrong include fails both a fresh configure and the test run.
if(CMAKE_SCRIPT_MODE_FILE)
  cmake_minimum_required(VERSION 3.25)
endif()

set(ZENITRA_COMPUTATION_FOLDERS core planets calendars)
set(ZENITRA_WINDOW_FOLDERS sky info_windows calendar_windows planet_windows)

set(ZENITRA_LAYER_core core)
set(ZENITRA_LAYER_planets core planets)
set(ZENITRA_LAYER_calendars core planets calendars)
set(ZENITRA_LAYER_ui ${ZENITRA_COMPUTATION_FOLDERS} ui)
foreach(folder IN LISTS ZENITRA_WINDOW_FOLDERS)
  # A window family uses the shared services and the computations, never another family.
  set(ZENITRA_LAYER_${folder} ${ZENITRA_COMPUTATION_FOLDERS} ui ${folder})
endforeach()
# The application wires everything together.
set(ZENITRA_LAYER_app ${ZENITRA_COMPUTATION_FOLDERS} ui ${ZENITRA_WINDOW_FOLDERS} app)

function(zenitra_check_layers source_dir)
  get_filename_component(source_dir "${source_dir}" ABSOLUTE)
  file(GLOB_RECURSE files RELATIVE "${source_dir}" "${source_dir}/*.h" "${source_dir}/*.cpp")
  set(faults)
  foreach(file IN LISTS files)
    string(REGEX MATCH "^[^/]+" folder "${file}")
    if(NOT DEFINED ZENITRA_LAYER_${folder})
      list(APPEND faults "src/${file}: the folder ${folder} has no place in the layers")
      continue()
    endif()
    file(STRINGS "${source_dir}/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
    foreach(line IN LISTS includes)
      if(line MATCHES "#[ \t]*include[ \t]*\"([a-z_]+)/" AND IS_DIRECTORY "${source_dir}/${CMAKE_MATCH_1}")
        set(used "${CMAKE_MATCH_1}")
        if(NOT used IN_LIST ZENITRA_LAYER_${folder})
          list(APPEND faults "src/${file}: ${folder} must not include ${used} (${line})")
        endif()
      elseif(folder IN_LIST ZENITRA_COMPUTATION_FOLDERS AND line MATCHES "#[ \t]*include[ \t]*[<\"](Q[A-Za-z]|qt)")
        list(APPEND faults "src/${file}: the computations must not use Qt (${line})")
      endif()
    endforeach()
  endforeach()
  if(faults)
    list(JOIN faults "\n  " text)
    message(FATAL_ERROR "Includes that break the layers:\n  ${text}")
  endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND ZENITRA_SOURCE_DIR)
  zenitra_check_layers("${ZENITRA_SOURCE_DIR}")
  message(STATUS "Every include points down the layers")
endif()
