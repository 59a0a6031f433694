# ASan + UBSan for the whole build. Floating-point division by zero is
# well defined under IEEE 754 and used on purpose (cotangent at 0), so
# that check stays off.
if(CURVIX_SANITIZE)
    set(_curvix_san -fsanitize=address,undefined -fno-sanitize-recover=all
                    -fno-sanitize=float-divide-by-zero -fno-omit-frame-pointer)
    add_compile_options(${_curvix_san})
    add_link_options(${_curvix_san})
endif()
