# zestora_add_test(NAME <name> LABEL core|gui|x11 SOURCES ... [LIBS ...])
# Builds one Qt Test executable and registers it with CTest under its label. Tests of windows (linking
# zestora_gui) get the widget helpers; every test can run the command-line tool, in-process or as the real
# program. gui and core tests run on the offscreen platform; x11 tests expect a display (run them under
# xvfb-run).
function(zestora_add_test)
    cmake_parse_arguments(T "" "NAME;LABEL" "SOURCES;LIBS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE zestora_testsupport ${T_LIBS})
    if("zestora_gui" IN_LIST T_LIBS)
        target_link_libraries(${T_NAME} PRIVATE zestora_testsupport_ui)
    endif()
    add_dependencies(${T_NAME} zestora)
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    set_tests_properties(${T_NAME} PROPERTIES LABELS ${T_LABEL} TIMEOUT 300)
    if(NOT T_LABEL STREQUAL "x11")
        set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    elseif(T_LABEL STREQUAL "x11")
        # One display, one focus, possibly one window manager: the X11 tests take turns.
        set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK x11_display)
    endif()
endfunction()
