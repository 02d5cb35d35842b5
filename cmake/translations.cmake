# The program's texts for translators. `make translations` (the update_translations target) has
# lupdate gather every text the sources mark for translation into translations/threadloom.ts, the
# template a translator starts from, and brings each translation made from it up to date. Every
# translation, translations/threadloom_<language>.ts, is compiled by lrelease as the program is
# built and goes into its resources under :/i18n, where the program looks for the user's language.
file(GLOB threadloom_translations CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/translations/threadloom_*.ts)
file(GLOB_RECURSE threadloom_text_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp ${CMAKE_SOURCE_DIR}/src/*.h)
qt_add_lupdate(threadloom
  TS_FILES ${CMAKE_SOURCE_DIR}/translations/threadloom.ts ${threadloom_translations}
  SOURCES ${threadloom_text_sources}
  INCLUDE_DIRECTORIES ${CMAKE_SOURCE_DIR}/src ${CMAKE_BINARY_DIR}/generated
  # Line numbers relative to the text before, so that an edit elsewhere moves few of them.
  OPTIONS -locations relative)

if(threadloom_translations)
  qt_add_lrelease(threadloom TS_FILES ${threadloom_translations} QM_FILES_OUTPUT_VARIABLE threadloom_qm_files)
  qt_add_resources(threadloom threadloom_translations PREFIX /i18n BASE ${CMAKE_BINARY_DIR}
    FILES ${threadloom_qm_files})
endif()
