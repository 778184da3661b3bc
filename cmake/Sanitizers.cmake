# EQ_SANITIZE applies to every target, third-party libraries included, so that
# instrumented and uninstrumented code never mix.
if(EQ_SANITIZE)
  add_compile_options(-fsanitize=${EQ_SANITIZE} -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=${EQ_SANITIZE})
  if(EQ_SANITIZE MATCHES "undefined")
    add_compile_options(-fno-sanitize-recover=undefined)
  endif()
endif()
