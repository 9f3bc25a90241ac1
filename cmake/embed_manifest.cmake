# Joins the media manifest files into one C++ string constant.
#   -DOUT=file.cpp -DSOURCES="a.txt;b.txt"
set(text "")
foreach(f IN LISTS SOURCES)
  file(READ "${f}" part)
  string(APPEND text "${part}\n")
endforeach()
set(content "// Generated from core/manifest/*.txt.\nnamespace tapo::core {\nextern const char* const kMediaManifestText;\nconst char* const kMediaManifestText = R\"manifest(${text})manifest\";\n}  // namespace tapo::core\n")
if(EXISTS "${OUT}")
  file(READ "${OUT}" old)
endif()
if(NOT "${old}" STREQUAL "${content}")
  file(WRITE "${OUT}" "${content}")
endif()
