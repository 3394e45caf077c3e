# AddressSanitizer + UndefinedBehaviorSanitizer for everything built in this tree.
# -fno-sanitize-recover makes any report end the process, so a report fails the test run.
if(VELLUMINE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Fuzz builds instrument the whole library for coverage, not only the targets' own files, and a
# sanitizer report ends the run, so libFuzzer records it as a crash.
if(VELLUMINE_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
