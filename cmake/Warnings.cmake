# The project's own targets link this; the JUCE modules do not, since their
# warnings are not ours to fix.
add_library(quorvel_warnings INTERFACE)
target_compile_options(quorvel_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
    -Wcast-align -Wformat=2 -Wimplicit-fallthrough -Wfloat-conversion)
if(QUORVEL_WARNINGS_AS_ERRORS)
    target_compile_options(quorvel_warnings INTERFACE -Werror)
endif()
