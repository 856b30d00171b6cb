# SPDX-License-Identifier: Apache-2.0
# VELT_SANITIZE=address builds everything with AddressSanitizer and UndefinedBehaviorSanitizer,
# VELT_SANITIZE=thread with ThreadSanitizer. Any report aborts the process, so a test fails.
if(VELT_SANITIZE STREQUAL "address")
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
elseif(VELT_SANITIZE STREQUAL "thread")
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
elseif(NOT VELT_SANITIZE STREQUAL "")
    message(FATAL_ERROR "VELT_SANITIZE must be empty, address or thread")
endif()
