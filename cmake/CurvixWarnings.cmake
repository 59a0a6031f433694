# Warnings on the project's own targets only; third-party headers
# (GoogleTest, Qt) come in as system includes and are not affected. As
# errors with CURVIX_WERROR.
function(curvix_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(CURVIX_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
