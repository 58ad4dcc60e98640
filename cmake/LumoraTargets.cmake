# Shared build rules: one warning set, one way to add a core library, one way to add a test.

if(MSVC)
  # Sources and texts are UTF-8 whatever the machine's code page. The C runtime's "unsafe
  # function" warnings name calls made on purpose (_wopen with _O_EXCL, strerror).
  set(LUMORA_WARNINGS /W4 /permissive- /utf-8 /Zc:__cplusplus)
  add_compile_definitions(_CRT_SECURE_NO_WARNINGS)
  if(LUMORA_WERROR)
    list(APPEND LUMORA_WARNINGS /WX)
  endif()
else()
  set(LUMORA_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC 12 reports false positives inside std::string (-Wrestrict) and std::optional
    # (-Wmaybe-uninitialized) once optimising.
    list(APPEND LUMORA_WARNINGS -Wno-restrict -Wno-maybe-uninitialized)
  endif()
  if(LUMORA_WERROR)
    list(APPEND LUMORA_WARNINGS -Werror)
  endif()
endif()

if(LUMORA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

function(lumora_apply_warnings target)
  target_compile_options(${target} PRIVATE ${LUMORA_WARNINGS})
endfunction()

# A Qt-free core library. Its include path holds no Qt headers and it links no Qt,
# so a Qt include in one of its files fails the build.
function(lumora_add_core_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  lumora_apply_warnings(${name})
  set_target_properties(${name} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
endfunction()

# lumora_add_test(NAME name LABEL unit|e2e|gui SOURCES ... LIBS ... [ENV k=v ...] [QT])
# QT turns on moc for tests that define QObjects.
# Builds a GoogleTest program, links the test main and registers each case with ctest.
function(lumora_add_test)
  cmake_parse_arguments(T "QT" "NAME;LABEL" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  if(NOT T_QT)
    set_target_properties(${T_NAME} PROPERTIES AUTOMOC OFF)
  endif()
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  # Helpers every test may use (temporary folders).
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  target_compile_definitions(${T_NAME} PRIVATE LUMORA_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
                                                LUMORA_SAMPLES="${PROJECT_SOURCE_DIR}/samples"
                                                LUMORA_BIN_DIR="${PROJECT_BINARY_DIR}/bin")
  lumora_apply_warnings(${T_NAME})
  # Tests never touch the user's home, settings or desktop session.
  set(home ${PROJECT_BINARY_DIR}/test-home)
  set(env QT_QPA_PLATFORM=offscreen DBUS_SESSION_BUS_ADDRESS=disabled: HOME=${home}
          XDG_CONFIG_HOME=${home}/config XDG_DATA_HOME=${home}/data ${T_ENV})
  gtest_discover_tests(${T_NAME}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS "${T_LABEL}" ENVIRONMENT "${env}")
endfunction()

# Programs go to one folder so end-to-end tests can find them.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
include(GoogleTest)
