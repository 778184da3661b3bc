# EQ_SANITIZE applies to every target, third-party libraries included, so that
# instrumented and uninstrumented code never mix.
if(EQ_SANITIZE)
  add_compile_options(-fsanitize=${EQ_SANITIZE} -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=${EQ_SANITIZE})
  if(EQ_SANITIZE MATCHES "undefined")
    add_compile_options(-fno-sanitize-recover=undefined)
  endif()
endif()

# EQ_FUZZ: coverage for libFuzzer in every target; the fuzzer executables link
# libFuzzer itself (fuzz/CMakeLists.txt).
if(EQ_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
