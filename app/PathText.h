// Paths live in fixed buffers of MAX_PATH characters; these copies never write past them.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

// Copies as much of text as fits, always terminated. Returns false when text was cut.
template <std::size_t N>
bool CopyPath(char (&target)[N], std::string_view text) {
    std::size_t n = text.size() < N - 1 ? text.size() : N - 1;
    std::memcpy(target, text.data(), n);
    target[n] = '\0';
    return n == text.size();
}
