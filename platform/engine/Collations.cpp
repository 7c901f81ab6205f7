#include "platform/engine/Collations.h"

#include <sqlite3.h>

namespace {

// Decodes one UTF-8 code point; malformed bytes are taken one by one as themselves.
char32_t next(const unsigned char*& p, const unsigned char* end) {
    const unsigned char c = *p++;
    if (c < 0x80)
        return c;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    char32_t cp = c & (0x3F >> extra);
    if (extra == 0 || end - p < extra)
        return c;
    for (int i = 0; i < extra; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return c;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    p += extra;
    return cp;
}

char32_t foldCase(char32_t c) {
    if (c >= U'A' && c <= U'Z')
        return c + 0x20;
    if (c >= 0x0410 && c <= 0x042F)
        return c + 0x20;
    return c;
}

// Weights double the code point, so ё can sit between е (U+0435) and ж (U+0436).
char32_t orderWeight(char32_t c) {
    c = foldCase(c);
    if (c == 0x0401 || c == 0x0451)
        return 0x0435 * 2 + 1;
    return c * 2;
}

template <char32_t (*Key)(char32_t)>
int compare(void*, int lengthA, const void* a, int lengthB, const void* b) {
    auto pa = static_cast<const unsigned char*>(a);
    auto pb = static_cast<const unsigned char*>(b);
    const unsigned char* endA = pa + lengthA;
    const unsigned char* endB = pb + lengthB;
    while (pa < endA && pb < endB) {
        const char32_t ka = Key(next(pa, endA));
        const char32_t kb = Key(next(pb, endB));
        if (ka != kb)
            return ka < kb ? -1 : 1;
    }
    if (pa < endA)
        return 1;
    if (pb < endB)
        return -1;
    return 0;
}

} // namespace

int Collations::registerOn(sqlite3* db) {
    int rc = sqlite3_create_collation(db, "ZELMAR_NOCASE", SQLITE_UTF8, nullptr, compare<foldCase>);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_collation(db, "ZELMAR_ORDER", SQLITE_UTF8, nullptr, compare<orderWeight>);
    return rc;
}
