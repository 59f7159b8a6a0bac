# One INTERFACE target carries the language standard, the warnings and the
# sanitizer flags, so that every library, program and test is built alike.
add_library(trasolan_options INTERFACE)
target_compile_features(trasolan_options INTERFACE cxx_std_20)
target_compile_options(trasolan_options INTERFACE
    -Wall -Wextra -Wshadow -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual -Wpedantic)
if(TRASOLAN_WERROR)
    target_compile_options(trasolan_options INTERFACE -Werror)
endif()

# Qt strictness: no implicit conversions between QString and char*, no
# narrowing QUrl from strings, no foreach keyword.
set(TRASOLAN_QT_DEFINES
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_URL_CAST_FROM_STRING
    QT_NO_FOREACH
    QT_NO_KEYWORDS)

if(TRASOLAN_SANITIZE)
    target_compile_options(trasolan_options INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(trasolan_options INTERFACE -fsanitize=address,undefined)
endif()
