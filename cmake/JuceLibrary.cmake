# The JUCE modules are compiled once, here, into one static library that the
# plug-in, tests, tools and benchmarks all link. No other CMakeLists names a
# juce_ module.
add_library(quorvel_juce STATIC)

# JUCE 7.0.5's ChildProcess closes its output pipe twice when its output was
# read: once through the stream opened on it, then again by number. By then
# another thread may own that number, and in a host that is the host's file or
# socket. The framework runs child processes on its own (the desktop's theme and
# scale look-ups on a display without settings), so any plug-in built on it can
# close a descriptor it never opened. The module is compiled from a copy in the
# build tree with the pipe closed once; the rest of the copy is the packaged
# source unchanged. Configuring stops if the packaged text is not the one mended.
set(quorvel_juce_core_source "${JUCE_MODULES_DIR}/juce_core")
set(quorvel_juce_core_copy "${CMAKE_BINARY_DIR}/juce-mended/juce_core")
set(quorvel_mended_file "native/juce_posix_SharedCode.h")

file(COPY "${quorvel_juce_core_source}" DESTINATION "${CMAKE_BINARY_DIR}/juce-mended"
    PATTERN "juce_posix_SharedCode.h" EXCLUDE)
file(READ "${quorvel_juce_core_source}/${quorvel_mended_file}" quorvel_packaged_text)
set(quorvel_double_close "            fclose (readHandle);

        if (pipeHandle != 0)
")
set(quorvel_single_close "            fclose (readHandle);
        else if (pipeHandle != 0)
")
string(FIND "${quorvel_packaged_text}" "${quorvel_double_close}" quorvel_found_at)
if(quorvel_found_at EQUAL -1)
    message(FATAL_ERROR "The packaged JUCE no longer holds the ChildProcess pipe close this build mends: "
                        "check ${quorvel_juce_core_source}/${quorvel_mended_file} and cmake/JuceLibrary.cmake")
endif()
string(REPLACE "${quorvel_double_close}" "${quorvel_single_close}" quorvel_mended_text "${quorvel_packaged_text}")
# Written only when it differs, so reconfiguring does not rebuild the module.
set(quorvel_written_text "")
if(EXISTS "${quorvel_juce_core_copy}/${quorvel_mended_file}")
    file(READ "${quorvel_juce_core_copy}/${quorvel_mended_file}" quorvel_written_text)
endif()
if(NOT quorvel_written_text STREQUAL quorvel_mended_text)
    file(WRITE "${quorvel_juce_core_copy}/${quorvel_mended_file}" "${quorvel_mended_text}")
endif()

get_target_property(quorvel_core_sources juce_core INTERFACE_SOURCES)
list(TRANSFORM quorvel_core_sources REPLACE "^${quorvel_juce_core_source}/" "${quorvel_juce_core_copy}/")
set_target_properties(juce_core PROPERTIES INTERFACE_SOURCES "${quorvel_core_sources}")

target_link_libraries(quorvel_juce
    PRIVATE
        juce::juce_core
        juce::juce_events
        juce::juce_data_structures
        juce::juce_graphics
        juce::juce_gui_basics
        juce::juce_gui_extra
        juce::juce_audio_basics
        juce::juce_audio_formats
        juce::juce_audio_processors
    PUBLIC
        juce::juce_recommended_config_flags
        # Debian's JUCE decodes and encodes PNG and JPEG with the system's
        # libpng and libjpeg instead of bundled copies.
        juce::pkgconfig_JUCE_IMG_LINUX_DEPS
        Threads::Threads
        ${CMAKE_DL_LIBS})

target_compile_definitions(quorvel_juce
    PUBLIC
        JUCE_WEB_BROWSER=0
        JUCE_USE_CURL=0
        JUCE_USE_FLAC=0
        JUCE_USE_OGGVORBIS=0
        JUCE_USE_MP3AUDIOFORMAT=0
        JUCE_PLUGINHOST_VST=1
        JUCE_PLUGINHOST_VST3=0
        JUCE_PLUGINHOST_LADSPA=0
        JUCE_PLUGINHOST_LV2=0
        JUCE_DISPLAY_SPLASH_SCREEN=0
        JUCE_REPORT_APP_USAGE=0
        JUCER_ENABLE_GPL_MODE=1
        JUCE_MODAL_LOOPS_PERMITTED=0
        JUCE_STRICT_REFCOUNTEDPOINTER=1
        JUCE_SILENCE_XCODE_15_LINKER_WARNING=1
        JUCE_STANDALONE_APPLICATION=0
        JUCE_GLOBAL_MODULE_SETTINGS_INCLUDED=1
    INTERFACE
        $<TARGET_PROPERTY:quorvel_juce,COMPILE_DEFINITIONS>)

# SYSTEM, so that the project's warnings flags do not report on JUCE's headers.
target_include_directories(quorvel_juce
    SYSTEM INTERFACE
        $<TARGET_PROPERTY:quorvel_juce,INCLUDE_DIRECTORIES>)

# The VST 2 hosting code (used by the renderer and the plug-in tests) compiles
# against the small header shim in tools/vst2-host-shim. It is passed as a
# compile option rather than an include directory, because the include
# directories above are handed on to every consumer, and the plug-in's own code
# must never see it. -Wno-cpp quiets the #warning notes of fst's header.
target_compile_options(quorvel_juce PRIVATE "-I${PROJECT_SOURCE_DIR}/tools/vst2-host-shim" -Wno-cpp)

# A host and a plug-in each describe the VST 2 record with their own types, so
# clang's check of function types across calls through pointers cannot hold for
# the entry point and the callbacks between them.
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang" AND QUORVEL_SANITIZE MATCHES "undefined")
    target_compile_options(quorvel_juce PRIVATE -fno-sanitize=function)
endif()

set_target_properties(quorvel_juce PROPERTIES
    POSITION_INDEPENDENT_CODE ON
    VISIBILITY_INLINES_HIDDEN ON
    C_VISIBILITY_PRESET hidden
    CXX_VISIBILITY_PRESET hidden)
