# Compiled-in resources: images and style sheet (client/resources/vorn.qrc), the program's
# translations merged from every client/resources/lang/<topic>_<lang>.ts, the toolkit's own
# translations from the system's Qt translation package, and the editor font when set-up fetched it.
set(VORN_RES_DIR ${CMAKE_SOURCE_DIR}/client/resources)
set(VORN_RES_OUT ${CMAKE_BINARY_DIR}/resources)
file(MAKE_DIRECTORY ${VORN_RES_OUT}/lang)

find_program(VORN_LRELEASE NAMES lrelease-qt5 lrelease HINTS /usr/lib/qt5/bin)
find_program(VORN_LCONVERT NAMES lconvert-qt5 lconvert HINTS /usr/lib/qt5/bin)
find_program(VORN_RCC NAMES rcc HINTS /usr/lib/qt5/bin ${Qt5Core_DIR}/../../../bin)
if(TARGET Qt5::rcc)
  set(VORN_RCC $<TARGET_FILE:Qt5::rcc>)
endif()
set(VORN_QT_TRANSLATIONS /usr/share/qt5/translations CACHE PATH "Folder of the toolkit's qtbase_*.qm")

set(vorn_lang_entries "")
set(vorn_lang_files "")

# Program translations: one .qm per language from all topics of that language.
foreach(lang en zh fr jp)
  file(GLOB ts_files CONFIGURE_DEPENDS ${VORN_RES_DIR}/lang/*_${lang}.ts)
  set(qm ${VORN_RES_OUT}/lang/vorn_tsdb_cli_${lang}.qm)
  if(ts_files AND VORN_LRELEASE)
    add_custom_command(OUTPUT ${qm}
      COMMAND ${VORN_LRELEASE} -silent ${ts_files} -qm ${qm}
      DEPENDS ${ts_files} VERBATIM)
    list(APPEND vorn_lang_files ${qm})
    string(APPEND vorn_lang_entries "    <file alias=\"lang/vorn_tsdb_cli_${lang}.qm\">${qm}</file>\n")
  else()
    message(STATUS "resources: no translations for ${lang} (lrelease: ${VORN_LRELEASE})")
  endif()
endforeach()

# Toolkit translations. A system qt_XX.qm holds no messages, only a list of catalogues to load
# from its own folder, which would fail inside the resources; so the resource is built from
# qtbase_XX.qm alone (every module the client uses lives in qtbase).
foreach(pair "en:en" "zh_CN:zh_CN" "fr:fr" "jp:ja")
  string(REPLACE ":" ";" pair ${pair})
  list(GET pair 0 res_name)
  list(GET pair 1 sys_name)
  set(src ${VORN_QT_TRANSLATIONS}/qtbase_${sys_name}.qm)
  set(qm ${VORN_RES_OUT}/lang/qt_${res_name}.qm)
  if(EXISTS ${src} AND VORN_LCONVERT)
    add_custom_command(OUTPUT ${qm}
      COMMAND ${VORN_LCONVERT} -i ${src} -o ${qm}
      DEPENDS ${src} VERBATIM)
    list(APPEND vorn_lang_files ${qm})
    string(APPEND vorn_lang_entries "    <file alias=\"lang/qt_${res_name}.qm\">${qm}</file>\n")
  else()
    message(STATUS "resources: ${src} not found, toolkit texts stay untranslated")
  endif()
endforeach()

# The editor font, when scripts/setup.d fetched it into third_party/fonts.
file(GLOB vorn_fonts ${CMAKE_SOURCE_DIR}/third_party/fonts/SourceCodePro-*.ttf)
foreach(ttf ${vorn_fonts})
  get_filename_component(name ${ttf} NAME)
  string(APPEND vorn_lang_entries "    <file alias=\"font/${name}\">${ttf}</file>\n")
  list(APPEND vorn_lang_files ${ttf})
endforeach()
if(vorn_fonts AND EXISTS ${CMAKE_SOURCE_DIR}/third_party/fonts/LICENSE.md)
  # The font's licence travels with it.
  string(APPEND vorn_lang_entries "    <file alias=\"font/LICENSE.md\">${CMAKE_SOURCE_DIR}/third_party/fonts/LICENSE.md</file>\n")
endif()

set(vorn_gen_qrc ${VORN_RES_OUT}/vorn_generated.qrc)
file(WRITE ${vorn_gen_qrc}.in "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/\">\n${vorn_lang_entries}</qresource>\n</RCC>\n")
configure_file(${vorn_gen_qrc}.in ${vorn_gen_qrc} COPYONLY)
set(vorn_gen_cpp ${VORN_RES_OUT}/qrc_vorn_generated.cpp)
add_custom_command(OUTPUT ${vorn_gen_cpp}
  COMMAND ${VORN_RCC} --name vorn_generated ${vorn_gen_qrc} -o ${vorn_gen_cpp}
  DEPENDS ${vorn_gen_qrc} ${vorn_lang_files} VERBATIM)

# Images and the style sheet, listed in the committed .qrc.
qt5_add_resources(vorn_static_qrc_cpp ${VORN_RES_DIR}/vorn.qrc)

add_library(vorn_obj_resources OBJECT ${vorn_static_qrc_cpp} ${vorn_gen_cpp})
target_link_libraries(vorn_obj_resources PUBLIC Qt5::Core)
