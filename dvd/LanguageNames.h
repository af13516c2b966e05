// English names of the languages a DVD stream may carry, by Windows locale identifier, for
// discs whose languages the system itself cannot name.
#pragma once

#include <cstddef>
#include <cstdint>

struct LanguageName {
    uint32_t lcid;
    const char* name;
};

// The table, in the order LookupLanguageName searches it.
const LanguageName* LanguageNameTable(size_t& count);

// Copies the name of lcid into buffer (size bytes, terminator included). The first entry for
// lcid whose name fits is taken; an entry too long for the buffer is passed over. Without a
// usable entry "Unknown" is copied when it fits (the buffer is left as it was otherwise) and the
// result is false.
bool LookupLanguageName(uint32_t lcid, char* buffer, size_t size);
