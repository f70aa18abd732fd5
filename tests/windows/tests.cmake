# The Windows build's tests: the same sources as on Linux, built with mingw-w64 and run under wine
# (windows/wine_run.sh) by the windows stage of scripts/test. Included from tests/CMakeLists.txt,
# so paths are those of tests/.
#
# Left out, as they rest on Linux alone: the X11 and desktop portal tests; the fault tests (they
# drop root and kill a saving process); the palette command tests (they make device files and
# pipes with mknod). The About window, the Help menu and the downloader are tested with Qt Network
# inside the test program, as the Windows program carries it, against the same local HTTP server
# as on Linux; only their cases of the network module and of xdg-open are left out.

find_package(Qt6 6.4 REQUIRED COMPONENTS Test)

# GoogleTest from Debian's source of it, built with the same compiler as everything else.
set(INSTALL_GTEST OFF CACHE BOOL "GoogleTest is only built for the tests here" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_CURRENT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# ctest runs every test program through wine, in a prefix of the build's own unless WINEPREFIX
# names one.
set(CMAKE_CROSSCOMPILING_EMULATOR bash ${CMAKE_CURRENT_SOURCE_DIR}/windows/wine_run.sh
  ${CMAKE_BINARY_DIR}/wine-prefix)
# The offscreen platform draws text with FreeType and finds no fonts of Windows' own: it reads
# them from this folder (fonts-dejavu-core), as Windows sees it under wine.
set(TINCTORA_WINE_FONT_DIR "Z:/usr/share/fonts/truetype/dejavu")

function(tinctora_windows_test_program target)
  target_link_options(${target} PRIVATE -static)
  tinctora_warnings(${target})
endfunction()

file(GLOB TINCTORA_UNIT_TESTS CONFIGURE_DEPENDS
  colour/*_test.cpp capture/*_test.cpp palette/*_test.cpp about/*_test.cpp app/*_test.cpp platform/*_test.cpp)
file(GLOB TINCTORA_WIDGET_TESTS CONFIGURE_DEPENDS
  capture/*_widget_test.cpp colour/*_widget_test.cpp palette/*_widget_test.cpp about/*_widget_test.cpp
  app/*_widget_test.cpp platform/*_widget_test.cpp widgets/*_widget_test.cpp contrast/*_widget_test.cpp)
file(GLOB TINCTORA_LINUX_ONLY_TESTS CONFIGURE_DEPENDS
  platform/*_x11_test.cpp platform/*_portal_test.cpp */*_fault_test.cpp)
list(REMOVE_ITEM TINCTORA_UNIT_TESTS ${TINCTORA_WIDGET_TESTS} ${TINCTORA_LINUX_ONLY_TESTS})
list(REMOVE_ITEM TINCTORA_WIDGET_TESTS
  ${CMAKE_CURRENT_SOURCE_DIR}/palette/palette_commands_widget_test.cpp)

add_executable(unit_tests ${TINCTORA_UNIT_TESTS})
target_link_libraries(unit_tests PRIVATE tinctora_rules GTest::gtest_main)
tinctora_windows_test_program(unit_tests)
add_test(NAME windows.unit_tests COMMAND unit_tests)

# The real windows on Qt's offscreen platform, linked in as Windows has no plugins to load.
add_executable(widget_tests widget_test_main.cpp widget_test_support.cpp ${TINCTORA_WIDGET_TESTS})
target_link_libraries(widget_tests PRIVATE tinctora_ui tinctora_fakes tinctora_platform Qt6::Test
  Qt6::Network GTest::gtest)
target_include_directories(widget_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
qt_import_plugins(widget_tests INCLUDE Qt6::QOffscreenIntegrationPlugin)
tinctora_windows_test_program(widget_tests)
# Left out here: the user's folders of a read-only copy are the XDG ones of Linux (Windows: the
# AppData folders); the captions' fit, which needs real fonts: the offscreen platform under
# wine falls back to Qt's box font, every glyph a square (wine_window_test.sh shows the real
# window with DejaVu instead); and the cases of Linux's opener, xdg-open.
set(TINCTORA_WINDOWS_SKIPPED_TESTS
  DataLocations.ReadOnlyProgramFolderUsesTheUsersFolders
  MainWindowFont.CaptionsFitTheirControls
  AboutWindow.CaptionsFitTheirLabels
  DesktopOpen.*
  PdfManual.NoViewerThroughTheDesktopsRealOpener
  OnlineManual.NoBrowserThroughTheDesktopsRealOpener)
list(JOIN TINCTORA_WINDOWS_SKIPPED_TESTS ":" skipped)
add_test(NAME windows.widget_tests COMMAND widget_tests --gtest_filter=-${skipped})
set_tests_properties(windows.widget_tests PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QPA_FONTDIR=${TINCTORA_WINE_FONT_DIR}" TIMEOUT 600)

# The fuzz targets' seed corpus and kept reproducers, read by the Windows build of the readers.
file(GLOB TINCTORA_FUZZ_TARGETS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/fuzz/*_fuzz.cpp)
foreach(source ${TINCTORA_FUZZ_TARGETS})
  get_filename_component(name ${source} NAME_WE)
  string(REGEX REPLACE "_fuzz$" "" short ${name})
  add_executable(${name}_replay ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp ${source})
  target_link_libraries(${name}_replay PRIVATE tinctora_rules)
  tinctora_windows_test_program(${name}_replay)
  add_test(NAME windows.fuzz_replay.${short} COMMAND ${name}_replay
    Z:${PROJECT_SOURCE_DIR}/fuzz/corpus/${short} Z:${PROJECT_SOURCE_DIR}/fuzz/regressions/${short})
endforeach()

# The real program through its window under wine, and the two packages.
file(GLOB TINCTORA_WINE_TESTS CONFIGURE_DEPENDS windows/*_test.sh)
foreach(script ${TINCTORA_WINE_TESTS})
  get_filename_component(name ${script} NAME_WE)
  add_test(NAME windows.${name} COMMAND bash ${script})
  set_tests_properties(windows.${name} PROPERTIES
    ENVIRONMENT "TINCTORA_BINARY=$<TARGET_FILE:tinctora>;TINCTORA_HELP_PDF=${TINCTORA_HELP_PDF};E2E_LIB=${CMAKE_CURRENT_SOURCE_DIR}/e2e/lib.sh;TINCTORA_PIXEL_PROBE=${TINCTORA_HOST_TOOLS}/x11_pixel_probe;TINCTORA_PACKAGES=${PROJECT_BINARY_DIR}/packages;TINCTORA_ROOT=${PROJECT_SOURCE_DIR}"
    TIMEOUT 300 LABELS e2e RESOURCE_LOCK xserver)
endforeach()
