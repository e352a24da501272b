# Build conventions shared by every folder, so that adding a file never means editing a list:
#   <folder>/*.cpp            portable core (no <windows.h>), built natively and for Windows
#   <folder>/*_win.cpp        Win32 layer of that folder (Windows build only)
#   <folder>/main_win.cpp     entry point of the folder's program
#   tests/<folder>/*_test.cpp     portable tests: native (ASan/UBSan) and under Wine
#   tests/<folder>/*_wintest.cpp  Windows tests of that folder, one executable per folder
#   tests/fuzz/*_fuzz.cpp         fuzz targets (plain functions, see tests/fuzz/FuzzTarget.h)
#   bench/*_corebench.cpp     portable benchmark, both builds
#   bench/*_winbench.cpp      Windows benchmark

set(ZAVRA_WIN_SYSTEM_LIBS user32 gdi32 comctl32 comdlg32 shell32 shlwapi ole32 oleaut32 uuid
    gdiplus winmm advapi32 uxtheme msimg32 version imm32 winhttp ws2_32)

add_library(zavra_options INTERFACE)
if(MSVC)
  target_compile_options(zavra_options INTERFACE /W4 /utf-8 /permissive-)
  set(ZAVRA_UNICODE_ENTRY "")
else()
  target_compile_options(zavra_options INTERFACE -Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers)
  # wWinMain / wmain entry points
  set(ZAVRA_UNICODE_ENTRY -municode)
endif()
target_include_directories(zavra_options INTERFACE ${PROJECT_SOURCE_DIR})
if(ZAVRA_WINDOWS)
  target_compile_definitions(zavra_options INTERFACE UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN
      _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800 GDIPVER=0x0110)
else()
  option(ZAVRA_SANITIZE "Build the native core with ASan and UBSan" ON)
  if(ZAVRA_SANITIZE AND NOT MSVC)
    target_compile_options(zavra_options INTERFACE -fsanitize=address,undefined
        -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(zavra_options INTERFACE -fsanitize=address,undefined)
  endif()
endif()

function(zavra_glob out)
  file(GLOB files CONFIGURE_DEPENDS ${ARGN})
  list(SORT files)
  set(${out} ${files} PARENT_SCOPE)
endfunction()

function(zavra_core_library)
  set(srcs)
  foreach(f ${ZAVRA_FOLDERS})
    zavra_glob(s ${PROJECT_SOURCE_DIR}/${f}/*.cpp)
    list(FILTER s EXCLUDE REGEX "_win\\.cpp$")
    list(APPEND srcs ${s})
  endforeach()
  add_library(zavra_core STATIC ${PROJECT_SOURCE_DIR}/cmake/core_anchor.cpp ${srcs})
  target_link_libraries(zavra_core PUBLIC zavra_options)
endfunction()

# Assets drawn or synthesised by our own script: program icons, the icon strip, the chime.
function(zavra_assets)
  set(dir ${CMAKE_BINARY_DIR}/assets)
  set(outs ${dir}/notezavra.ico ${dir}/note.ico ${dir}/held.ico ${dir}/designer.ico
      ${dir}/wizard.ico ${dir}/calendar.ico ${dir}/link.ico ${dir}/icons.bmp ${dir}/clock.wav
      ${dir}/pad.ico ${dir}/padlink.ico ${dir}/padtoolbar.bmp)
  add_custom_command(OUTPUT ${outs}
      COMMAND python3 ${PROJECT_SOURCE_DIR}/tools/make_assets.py ${dir}
      DEPENDS ${PROJECT_SOURCE_DIR}/tools/make_assets.py
      COMMENT "Drawing icons and synthesising the chime")
  add_custom_target(zavra_assets ALL
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bin/snd
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${dir}/icons.bmp ${CMAKE_BINARY_DIR}/bin/icons.bmp
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${dir}/clock.wav ${CMAKE_BINARY_DIR}/bin/snd/clock.wav
      DEPENDS ${outs})
endfunction()

function(zavra_folder_libs)
  zavra_glob(fw ${PROJECT_SOURCE_DIR}/framework/*.cpp)
  add_library(zavra_framework STATIC ${fw})
  target_link_libraries(zavra_framework PUBLIC zavra_core ${ZAVRA_WIN_SYSTEM_LIBS})
  foreach(f ${ZAVRA_FOLDERS})
    zavra_glob(s ${PROJECT_SOURCE_DIR}/${f}/*_win.cpp)
    list(FILTER s EXCLUDE REGEX "/main_win\\.cpp$")
    if(NOT s)
      set(s ${PROJECT_SOURCE_DIR}/cmake/win_anchor.cpp)
    endif()
    add_library(zavra_${f}_win STATIC ${s})
    target_link_libraries(zavra_${f}_win PUBLIC zavra_framework)
  endforeach()
endfunction()

# Links a target against the Win32 layers of the given folders; the layers call each other,
# so the archives are searched as one group.
function(zavra_link_folders target)
  set(libs)
  foreach(f ${ARGN})
    list(APPEND libs zavra_${f}_win)
  endforeach()
  if(MSVC)
    # The MSVC linker searches libraries as often as needed.
    target_link_libraries(${target} PRIVATE ${libs} zavra_framework zavra_core ${ZAVRA_WIN_SYSTEM_LIBS})
  else()
    target_link_libraries(${target} PRIVATE "$<LINK_GROUP:RESCAN,${libs},zavra_framework,zavra_core>"
        ${ZAVRA_WIN_SYSTEM_LIBS})
  endif()
endfunction()

set(ZAVRA_MAIN_FOLDERS app store skin notewnd schedule pad feeds prefs)

function(zavra_program name folder rc)
  add_executable(${name} WIN32 ${PROJECT_SOURCE_DIR}/${folder}/main_win.cpp ${PROJECT_SOURCE_DIR}/resources/${rc})
  target_link_options(${name} PRIVATE ${ZAVRA_UNICODE_ENTRY})
  target_include_directories(${name} PRIVATE ${CMAKE_BINARY_DIR}/assets ${PROJECT_SOURCE_DIR}/resources ${PROJECT_SOURCE_DIR})
  add_dependencies(${name} zavra_assets)
  zavra_link_folders(${name} ${ARGN})
endfunction()

function(zavra_windows_programs)
  set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  zavra_assets()
  zavra_folder_libs()
  zavra_program(notezavra app notezavra.rc ${ZAVRA_MAIN_FOLDERS})
  zavra_program(ZavraNd designer ZavraNd.rc designer skin store)
  zavra_program(ZavraSwiz wizard ZavraSwiz.rc wizard store)
  zavra_program(ZavraL launcher ZavraL.rc launcher app)
  zavra_program(feedzavra feedhelper feedzavra.rc feedhelper feeds store)
  # A hidden window that keeps Wine's desktop process alive between test processes.
  add_executable(keepalive WIN32 ${PROJECT_SOURCE_DIR}/tools/keepalive_win.cpp)
  target_link_options(keepalive PRIVATE ${ZAVRA_UNICODE_ENTRY})
  set_target_properties(keepalive PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
  # Records how it was started; end-to-end tests put it where a program is expected.
  add_executable(argdump WIN32 ${PROJECT_SOURCE_DIR}/tools/argdump_win.cpp)
  target_link_options(argdump PRIVATE ${ZAVRA_UNICODE_ENTRY})
  set_target_properties(argdump PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
  # A trivial Win32 program: the start-time floor that benchmarks compare against.
  add_executable(trivial WIN32 ${PROJECT_SOURCE_DIR}/tools/trivial_win.cpp)
  target_link_options(trivial PRIVATE ${ZAVRA_UNICODE_ENTRY})
  set_target_properties(trivial PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
  add_executable(trivial_gui WIN32 ${PROJECT_SOURCE_DIR}/tools/trivial_gui_win.cpp)
  target_link_options(trivial_gui PRIVATE ${ZAVRA_UNICODE_ENTRY})
  set_target_properties(trivial_gui PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
endfunction()

function(zavra_tests)
  set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  zavra_glob(core_tests ${PROJECT_SOURCE_DIR}/tests/*/*_test.cpp ${PROJECT_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
  add_executable(core_tests ${PROJECT_SOURCE_DIR}/tests/core_test_main.cpp ${core_tests})
  target_link_libraries(core_tests PRIVATE zavra_core gtest gmock)
  target_include_directories(core_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(ZAVRA_WINDOWS)
    target_link_libraries(core_tests PRIVATE ${ZAVRA_WIN_SYSTEM_LIBS})
  endif()
  gtest_discover_tests(core_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
      PROPERTIES LABELS core)
  # A folder's extra test registrations (runs under another time zone or locale, ...).
  foreach(f ${ZAVRA_FOLDERS} framework e2e fuzz)
    include(${PROJECT_SOURCE_DIR}/tests/${f}/extra.cmake OPTIONAL)
  endforeach()
  if(NOT ZAVRA_WINDOWS)
    return()
  endif()
  foreach(f ${ZAVRA_FOLDERS} framework e2e)
    zavra_glob(s ${PROJECT_SOURCE_DIR}/tests/${f}/*_wintest.cpp)
    if(NOT s)
      continue()
    endif()
    zavra_glob(rc ${PROJECT_SOURCE_DIR}/tests/${f}/*.rc)
    add_executable(${f}_wintests ${PROJECT_SOURCE_DIR}/tests/win_test_main.cpp ${s} ${rc})
    target_link_options(${f}_wintests PRIVATE ${ZAVRA_UNICODE_ENTRY})
    target_include_directories(${f}_wintests PRIVATE ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR}/resources
        ${PROJECT_SOURCE_DIR} ${CMAKE_BINARY_DIR}/assets)
    target_link_libraries(${f}_wintests PRIVATE gtest gmock)
    zavra_link_folders(${f}_wintests ${ZAVRA_MAIN_FOLDERS} designer wizard launcher feedhelper)
    if(f STREQUAL "e2e")
      add_dependencies(${f}_wintests notezavra ZavraNd ZavraSwiz ZavraL feedzavra argdump trivial)
    else()
      add_dependencies(${f}_wintests zavra_assets)
    endif()
    # Tests that run the programs, or serve the command pipe, share one resident-copy slot.
    set(lock)
    if(f STREQUAL "e2e" OR f STREQUAL "app" OR f STREQUAL "pad")
      set(lock RESOURCE_LOCK zavra_instance)
    endif()
    gtest_discover_tests(${f}_wintests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
        PROPERTIES LABELS windows ${lock})
  endforeach()
endfunction()

function(zavra_benchmarks)
  set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  zavra_glob(core ${PROJECT_SOURCE_DIR}/bench/*_corebench.cpp)
  foreach(src ${core})
    get_filename_component(n ${src} NAME_WE)
    add_executable(${n} ${src})
    target_link_libraries(${n} PRIVATE zavra_core)
  endforeach()
  if(ZAVRA_WINDOWS)
    zavra_glob(win ${PROJECT_SOURCE_DIR}/bench/*_winbench.cpp)
    foreach(src ${win})
      get_filename_component(n ${src} NAME_WE)
      add_executable(${n} ${src})
      target_link_options(${n} PRIVATE ${ZAVRA_UNICODE_ENTRY})
      zavra_link_folders(${n} ${ZAVRA_MAIN_FOLDERS})
    endforeach()
  endif()
endfunction()
