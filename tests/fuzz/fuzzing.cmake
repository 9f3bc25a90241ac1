# TAPO_FUZZ: everything is built for libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer (clang only); the fuzz targets link libFuzzer's
# main.  Included from the top before any library is defined.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "TAPO_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)
