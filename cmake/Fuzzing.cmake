# libFuzzer builds (clang only): every library is instrumented for coverage and
# checked by AddressSanitizer and UndefinedBehaviorSanitizer; the fuzz targets
# link libFuzzer's main.
if(HEKIRA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "HEKIRA_FUZZ needs clang (scripts/fuzz sets it up)")
  endif()
  set(hekira_fuzz_flags -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
      -fno-omit-frame-pointer)
  target_compile_options(hekira_common INTERFACE ${hekira_fuzz_flags})
  target_link_options(hekira_common INTERFACE -fsanitize=address,undefined)
endif()
