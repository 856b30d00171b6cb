# SPDX-License-Identifier: Apache-2.0
# Warnings for our own targets only; third-party headers come in as SYSTEM.
function(velt_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
