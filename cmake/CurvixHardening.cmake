# The distribution's hardening, as dpkg-buildflags gives it with
# hardening=+all: position-independent executables, stack protection,
# checked string and memory functions, read-only relocations bound at
# start. Off for the sanitizer and fuzz builds, whose runtimes replace the
# checked functions. A _FORTIFY_SOURCE the caller's flags already choose is
# kept. The flags are the ELF toolchain's; the Windows cross-build takes none.
option(CURVIX_HARDENING "Build with the distribution's hardening flags" ON)
if(CURVIX_HARDENING AND NOT CURVIX_SANITIZE AND NOT CURVIX_FUZZ AND NOT WIN32)
    include(CheckPIESupported)
    check_pie_supported()
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
    if(NOT "${CMAKE_CXX_FLAGS} $ENV{CPPFLAGS}" MATCHES "_FORTIFY_SOURCE")
        # glibc checks only optimised code, and warns otherwise.
        add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
    endif()
    add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
