// One fuzz target: a function of arbitrary bytes that feeds them to a parser and checks what
// the parser promises. Built two ways: natively with libFuzzer and the sanitizers
// (scripts/fuzz.sh), and into the Windows unit tests that replay the stored hostile inputs.
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef TESMARO_LIBFUZZER
#define FUZZ_TARGET(name) extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
// A broken promise is a finding: stop here so that libFuzzer keeps the input.
#define FUZZ_CHECK(condition) \
    do {                      \
        if (!(condition)) __builtin_trap(); \
    } while (0)
#else
#define FUZZ_TARGET(name) int name(const uint8_t* data, size_t size)
// The replaying test reports a broken promise with the input that broke it.
void FuzzCheckFailed(const char* file, int line, const char* condition);
#define FUZZ_CHECK(condition) \
    do {                      \
        if (!(condition)) FuzzCheckFailed(__FILE__, __LINE__, #condition); \
    } while (0)
#endif
