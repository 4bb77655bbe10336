# Flags every target of the project shares, carried by one INTERFACE target.
add_library(hekira_common INTERFACE)
target_compile_options(hekira_common INTERFACE -Wall -Wextra)
# Only where the program is developed: another compiler's new warnings must not
# stop a build from source.
if(HEKIRA_WERROR)
  target_compile_options(hekira_common INTERFACE -Werror)
endif()
target_compile_definitions(hekira_common INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_NO_KEYWORDS)

if(HEKIRA_SANITIZE)
  set(hekira_sanitize_flags -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_compile_options(hekira_common INTERFACE ${hekira_sanitize_flags})
  target_link_options(hekira_common INTERFACE ${hekira_sanitize_flags})
endif()
